#pragma once
// The bid agent's one window: it reads the job when first shown, then either measures the
// site's clock and reports the offset, or counts down to the bid moment and confirms the
// bid in its embedded browser, signing in whenever the site asks.
#include <QWidget>

class Browser;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTimer;

class TfrmMn : public QWidget {
    Q_OBJECT
public:
    // Without a browser the window makes its own WebBrowser.
    explicit TfrmMn(Browser *browser = nullptr, QWidget *parent = nullptr);

    QLabel *lblBidAmount;
    QLineEdit *Bid_Amount;
    QLabel *lblAuctionID;
    QLineEdit *Auction_ID;
    QLabel *lblDescription;
    QLineEdit *Description;
    QLabel *Label1;
    QLabel *lblSecondsToBid;
    QLineEdit *edtID;
    QLineEdit *edtPassword;
    QLineEdit *edtBidMoment;
    QPlainTextEdit *m;  // the job text, later the text for the acknowledgement file
    Browser *bro;
    QTimer *Timer1;

    double bidMoment = 0;
    bool firstTick = true;

    // The job's entry point, run once when the window is first shown.
    void FormShow();
    void StartBidJob();
    void Timer1Timer();
    bool SubmitBidForm();
    void broDocumentComplete();
    void CheckSignInPage();
    bool SignIn();

    static const QString kSiteUnreachable;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void RunTimeProbe();
    QString JobText() const;

    bool m_shownOnce = false;
};

// The agent's main window.
extern TfrmMn *frmMn;
