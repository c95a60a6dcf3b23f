#include "corvaneSplash.h"

#include "Unit3.h"
#include "errors.h"
#include "jobfiles.h"
#include "messages.h"
#include "numbertext.h"
#include "textfile.h"

#include <QBitmap>
#include <QCloseEvent>
#include <QFile>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <cstdio>

TfrmCorvaneSplsh *frmCorvaneSplsh = nullptr;

static void initTrackerResources()
{
    Q_INIT_RESOURCE(tracker);
}

namespace {

const QColor kTransparentColour(128, 0, 0);  // maroon: see-through, so the picture shapes the window

QLabel *makeLabel(QWidget *parent, const QString &text, const QString &colour, int pixels)
{
    auto *label = new QLabel(text, parent);
    QFont font(QStringLiteral("Trebuchet MS"));
    font.setPixelSize(pixels);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(colour));
    return label;
}

}  // namespace

TfrmCorvaneSplsh::TfrmCorvaneSplsh(TfrmMn *mainWindow, QWidget *parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::SplashScreen), m_main(mainWindow)
{
    setObjectName(QStringLiteral("frmCorvaneSplsh"));
    setWindowTitle(QStringLiteral("Corvane"));
    initTrackerResources();  // the picture lives in a static library
    const QPixmap picture(QStringLiteral(":/images/splash.png"));
    setFixedSize(picture.isNull() ? QSize(416, 323) : picture.size());
    auto *background = new QLabel(this);
    background->setPixmap(picture);
    background->setGeometry(rect());
    if (!picture.isNull())
        setMask(picture.createMaskFromColor(kTransparentColour, Qt::MaskInColor));

    lblTitle = makeLabel(this, QString(), QStringLiteral("white"), 27);
    lblTitle->setGeometry(24, 18, width() - 48, 40);
    lblStatus = makeLabel(this, QStringLiteral(" Obtaining eBay Time"), QStringLiteral("navy"), 16);
    lblStatus->setGeometry(24, height() - 52, width() - 48, 28);

    Timer1 = new QTimer(this);
    Timer1->setInterval(2000);
    connect(Timer1, &QTimer::timeout, this, &TfrmCorvaneSplsh::Timer1Timer);
    Timer1->start();
}

void TfrmCorvaneSplsh::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    FormShow();
}

void TfrmCorvaneSplsh::FormShow()
{
    lblTitle->setText(QStringLiteral(" Corvane"));
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void TfrmCorvaneSplsh::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    FormClose();
}

void TfrmCorvaneSplsh::FormClose()
{
    Guarded([this] { m_main->ShowMainWindow(); });
}

void TfrmCorvaneSplsh::Timer1Timer()
{
    // A message box of a step runs its own event loop; the ticks during it must wait.
    if (!isVisible() || m_busy)
        return;
    m_busy = true;
    Guarded([this] {
        switch (m_state) {
        case StartupState::WriteProbeJob: {
            jobfiles::WriteJobFile(jobfiles::ComposeTimeProbeJob());  // a failure is shown; next tick retries
            m_state = StartupState::WaitForAck;
            QString reason;
            if (!jobfiles::StartAgent(&reason)) {
                // Without an agent no answer will ever come: count it as a failed measurement.
                std::fprintf(stderr, "corvane: %s\n", qPrintable(reason));
                m_state = StartupState::ShowMain;
                ShowMessage(kSyncFailedMessage);
            }
            break;
        }
        case StartupState::WaitForAck:
            if (QFile::exists(jobfiles::kAckFile))
                m_state = StartupState::ReadAck;
            break;
        case StartupState::ReadAck:
            if (QFile::exists(jobfiles::kAckFile)) {
                double offset = 0;
                bool ok = false;
                try {
                    const QString text = FromNarrow(ReadWholeFile(jobfiles::kAckFile));
                    QFile::remove(jobfiles::kAckFile);
                    ok = TryTextToFloat(text, &offset);
                } catch (const FileError &) {
                    ok = false;
                }
                if (ok)
                    m_main->clockOffset = offset;
                else
                    ShowMessage(kSyncFailedMessage);  // its ticks wait: m_busy
            }
            m_state = StartupState::ShowMain;
            break;
        case StartupState::ShowMain:
            m_main->ShowMainWindow();
            close();
            break;
        }
    });
    m_busy = false;
}
