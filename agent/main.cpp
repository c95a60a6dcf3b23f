// kestrin: the bid agent. One job per run, taken from "BID.TDL" in the current directory.
#include "agentwindow.h"
#include "zazaza.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // The embedded browser shares its GL contexts with the application's windows.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kestrin"));
    QApplication::setApplicationDisplayName(QStringLiteral("Corvane"));
    QApplication::setApplicationVersion(QStringLiteral(CORVANE_VERSION));

    TfrmMn mainWindow;
    frmMn = &mainWindow;
    TfrmZazAza utilityForm;
    frmZazAza = &utilityForm;

    mainWindow.show();
    const int code = app.exec();
    frmZazAza = nullptr;
    frmMn = nullptr;
    return code;
}
