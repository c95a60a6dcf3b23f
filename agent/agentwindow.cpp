#include "agentwindow.h"

#include "agentjob.h"
#include "countdown.h"
#include "errors.h"
#include "datetime.h"
#include "jobfiles.h"
#include "messages.h"
#include "numbertext.h"
#include "pageforms.h"
#include "settings.h"
#include "textfile.h"
#include "timeprobe.h"
#include "webbrowser.h"
#include "zazaza.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QTimer>

TfrmMn *frmMn = nullptr;

const QString TfrmMn::kSiteUnreachable = QStringLiteral(
    "Could not reach eBay site.  Program restart required.  Verify you are not behind a "
    "firewall and or connected to the Internet. Message ID 4677.");

namespace {

QLineEdit *edit(QWidget *parent, const char *name, int x, int y, int w, int h)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setGeometry(x, y, w, h);
    return e;
}

QLabel *label(QWidget *parent, const char *name, const QString &text, int x, int y)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->move(x, y);
    l->adjustSize();
    return l;
}

TfrmZazAza &utilityForm()
{
    if (!frmZazAza)
        throw CorvaneError(QStringLiteral("The utility form has not been created."));
    return *frmZazAza;
}

}  // namespace

TfrmMn::TfrmMn(Browser *browser, QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmMn"));
    setWindowTitle(QString());
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    setFont(font);
    setFixedSize(368, 309);
    move(0, 250);

    lblBidAmount = label(this, "lblBidAmount", QStringLiteral("Bid_Amount"), 24, 8);
    Bid_Amount = edit(this, "Bid_Amount", 24, 24, 121, 21);
    lblAuctionID = label(this, "lblAuctionID", QStringLiteral("Auction_ID"), 184, 8);
    Auction_ID = edit(this, "Auction_ID", 184, 24, 121, 21);
    lblDescription = label(this, "lblDescription", QStringLiteral("Description"), 24, 58);
    Description = edit(this, "Description", 24, 74, 281, 21);
    Label1 = label(this, "Label1", QStringLiteral("Countdown : "), 24, 101);
    lblSecondsToBid = label(this, "lblSecondsToBid", QStringLiteral("999 seconds"), 95, 101);
    lblSecondsToBid->setMinimumWidth(120);

    edtID = edit(this, "edtID", 97, 51, 121, 21);
    edtID->setText(QStringLiteral("edtID"));
    edtID->hide();
    edtPassword = edit(this, "edtPassword", 24, 113, 121, 21);
    edtPassword->setText(QStringLiteral("Edit1"));
    edtPassword->setEchoMode(QLineEdit::Password);
    edtPassword->hide();
    edtBidMoment = edit(this, "edtBidMoment", 224, 51, 121, 21);
    edtBidMoment->setText(QStringLiteral("edtBidMoment"));
    edtBidMoment->hide();

    m = new QPlainTextEdit(this);
    m->setObjectName(QStringLiteral("m"));
    m->setLineWrapMode(QPlainTextEdit::NoWrap);
    m->setGeometry(160, 140, 185, 89);
    m->setPlainText(QStringLiteral("m"));
    m->hide();

    bro = browser ? browser : new WebBrowser(this);
    if (QWidget *view = bro->View()) {
        view->setParent(this);
        view->setGeometry(0, 140, 369, 173);
        view->show();
    }
    connect(bro, &Browser::DocumentComplete, this, &TfrmMn::broDocumentComplete);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(3000);
    // Ticks exactly 3 s apart keep the confirmation within 1 to 4 s before the bid moment;
    // a coarse timer may drift by up to 5 %.
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, &TfrmMn::Timer1Timer);
}

void TfrmMn::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_shownOnce || event->spontaneous())
        return;
    m_shownOnce = true;
    // Queued, so that the job runs as the first thing of the message loop with the window
    // on screen, and a probe can close the window once it is done.
    QMetaObject::invokeMethod(this, &TfrmMn::FormShow, Qt::QueuedConnection);
}

QString TfrmMn::JobText() const
{
    return SplitLines(m->toPlainText()).join(QStringLiteral("\r\n"));
}

void TfrmMn::FormShow()
{
    Guarded([this] {
        lblBidAmount->setText(QStringLiteral("Bid Amount"));
        lblBidAmount->adjustSize();
        lblAuctionID->setText(QStringLiteral("Auction ID"));
        lblAuctionID->adjustSize();

        const AgentJob job = LoadAgentJob();
        m->setPlainText(SplitLines(job.text).join(QLatin1Char('\n')));
        if (!job.timeProbe) {
            StartBidJob();
            return;
        }
        RunTimeProbe();
    });
}

void TfrmMn::RunTimeProbe()
{
    try {
        const double offset = MeasureClockOffset(
            utilityForm(), siteaddress::OfficialTime(SiteHosts::Load()));
        m->setPlainText(FloatToText(offset));
    } catch (const std::exception &) {
        // The buffer keeps the job text, which the tracker will fail to read as an offset.
        ShowMessage(kSiteUnreachable);
    }
    // A failure to write the answer reaches the error box and leaves the window open.
    jobfiles::WriteAckFile(JobText());
    close();
}

void TfrmMn::StartBidJob()
{
    Guarded([this] {
        const QString text = m->toPlainText();
        const QString description = jobfiles::JobLine(text, jobfiles::Description);
        setWindowTitle(description);
        Description->setText(description);
        edtBidMoment->setText(jobfiles::JobLine(text, jobfiles::BidMoment));
        edtID->setText(jobfiles::JobLine(text, jobfiles::UserId));
        edtPassword->setText(jobfiles::JobLine(text, jobfiles::Password));
        Bid_Amount->setText(jobfiles::JobLine(text, jobfiles::Amount));
        Auction_ID->setText(jobfiles::JobLine(text, jobfiles::AuctionId));
        bidMoment = TextToFloat(edtBidMoment->text());
        Timer1->start();
    });
}

void TfrmMn::Timer1Timer()
{
    Guarded([this] {
        const int count = CountSeconds(bidMoment, Now());
        lblSecondsToBid->setText(SecondsText(count));
        if (firstTick) {
            const QString url = siteaddress::BidPage(SiteHosts::Load(), Bid_Amount->text(),
                                                     Auction_ID->text());
            firstTick = false;
            bro->Navigate(url);
        }
        if (!CountConfirms(count))
            return;
        // Stopped first: the browser may run the event loop while the form is sent, and
        // another tick must not confirm a second time.
        Timer1->stop();
        SubmitBidForm();
        lblSecondsToBid->setText(SecondsText(0));
    });
}

bool TfrmMn::SubmitBidForm()
{
    return SubmitBidFormOnPage(*bro);
}

void TfrmMn::broDocumentComplete()
{
    Guarded([this] { CheckSignInPage(); });
}

void TfrmMn::CheckSignInPage()
{
    if (!IsSignInTitle(utilityForm().DocumentTitle(bro)))
        return;
    bro->Stop();
    SignIn();
}

bool TfrmMn::SignIn()
{
    return SignInOnPage(*bro, edtID->text(), edtPassword->text());
}
