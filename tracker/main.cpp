// The tracker: the main window, the utility form, the start-up window and the tips window,
// all created hidden. The start-up window measures the site's clock and then shows the main
// window, whose first showing loads the grid and starts the scheduler.
#include "Unit3.h"
#include "corvaneSplash.h"
#include "corvaneStartupTips.h"
#include "messages.h"
#include "zazaza.h"

#include <QApplication>
#include <QTimer>
#include <exception>
#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvane"));
    QApplication::setApplicationDisplayName(QStringLiteral("Corvane"));
    try {
        // Owned here so that the windows, the browser among them, go before the application.
        std::unique_ptr<TfrmMn> mainWindow(frmMn = new TfrmMn);
        std::unique_ptr<TfrmZazAza> utilityForm(frmZazAza = new TfrmZazAza);
        std::unique_ptr<TfrmCorvaneSplsh> splash(frmCorvaneSplsh = new TfrmCorvaneSplsh(frmMn));
        std::unique_ptr<TfrmTips> tips(frmTips = new TfrmTips);
        // Closing the main window ends the program, whatever else is still open.
        QApplication::setQuitOnLastWindowClosed(false);
        QObject::connect(frmMn, &TfrmMn::closed, &app, &QApplication::quit);
        QTimer::singleShot(0, frmCorvaneSplsh, &QWidget::show);
        const int result = QApplication::exec();
        frmTips = nullptr;
        frmCorvaneSplsh = nullptr;
        frmZazAza = nullptr;
        return result;
    } catch (const std::exception &e) {
        ShowError(ErrorText(e));
        return 1;
    }
}
