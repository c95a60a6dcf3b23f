#pragma once
// The start-up window: while it is shown, its timer measures the clock offset through the
// bid agent, one step a tick, then shows the main window and closes itself.
#include <QWidget>

class QLabel;
class QTimer;
class TfrmMn;

// The steps of the measurement; the state only ever grows, so it runs once per run.
enum class StartupState { WriteProbeJob = 1, WaitForAck = 2, ReadAck = 3, ShowMain = 4 };

class TfrmCorvaneSplsh : public QWidget {
    Q_OBJECT
public:
    explicit TfrmCorvaneSplsh(TfrmMn *mainWindow, QWidget *parent = nullptr);

    QLabel *lblTitle;
    QLabel *lblStatus;
    QTimer *Timer1;
    StartupState state() const { return m_state; }

public slots:
    void Timer1Timer();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormShow();
    void FormClose();

    TfrmMn *m_main;
    StartupState m_state = StartupState::WriteProbeJob;
    bool m_busy = false;
};

extern TfrmCorvaneSplsh *frmCorvaneSplsh;

// The texts that the start-up window shows when the measurement fails.
inline const QString kSyncFailedMessage = QStringLiteral(
    "Program restart required.  Could not reach eBay site.  Verify you are not behind a "
    "firewall and connected to the Internet. Message ID 54135.");
