// The bid agent's countdown, bid confirmation, sign-in and job handling, with a browser
// double in place of the embedded browser and a clock the test sets.
#include "agentjob.h"
#include "agentwindow.h"
#include "browserdouble.h"
#include "countdown.h"
#include "datetime.h"
#include "errors.h"
#include "httpget.h"
#include "jobfiles.h"
#include "messages.h"
#include "numbertext.h"
#include "pageforms.h"
#include "testsupport.h"
#include "timeprobe.h"
#include "zazaza.h"

#include <QHostAddress>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTcpServer>
#include <QTimer>
#include <QtTest>

using testsupport::BrowserDouble;
using testsupport::TempWorkDir;

Q_DECLARE_METATYPE(testsupport::BrowserDouble::PageForm)

namespace {

double g_now = 0;
double fakeNow()
{
    return g_now;
}

// A fixed afternoon, so that the clock never moves under the test.
const double kBidMoment = EncodeDateTime(2008, 3, 16, 14, 23, 45, 500);

double secondsBefore(double seconds)
{
    return kBidMoment - seconds * kOneSecond;
}

QByteArray bidJob(const QString &description, const QString &bidMoment, const QString &userId,
                  const QString &password, const QString &amount, const QString &auctionId)
{
    jobfiles::BidJob job;
    job.description = description;
    job.bidMoment = bidMoment;
    job.userId = userId;
    job.password = password;
    job.amount = amount;
    job.auctionId = auctionId;
    return jobfiles::ComposeBidJob(job);
}

void writeSiteHosts(const QString &base)
{
    testsupport::writeFile(QStringLiteral("windowscorvane.ini"),
                           ("[site]\r\nsearch=" + base + "\r\nitem=" + base + "\r\ntime=" + base
                            + "\r\nbid=" + base + "\r\n").toUtf8());
}

}  // namespace

class TestAgent : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void count_data();
    void count();
    void countdownTicks_data();
    void countdownTicks();
    void bidPageOnTheFirstTickOnly();
    void signIn_data();
    void signIn();
    void signInAnsweredAfterTheBidButNoSecondBid();
    void badBidMoment();
    void bidJobFromFile_data();
    void bidJobFromFile();
    void jobDecision_data();
    void jobDecision();
    void descriptionWithEbayTimeIsAProbe();
    void siteTimeFromText();

private:
    // A window counting down to kBidMoment, started as StartBidJob starts it.
    void startCountdown(TfrmMn &window, const QString &userId = QStringLiteral("alice"),
                        const QString &password = QStringLiteral("secret"));

    QStringList m_messages;
    QStringList m_errors;
};

void TestAgent::initTestCase()
{
    frmZazAza = new TfrmZazAza;
    SetClockForTesting(&fakeNow);
    SetFetchPauseForTesting(0);
    MessageHooks hooks;
    hooks.message = [this](const QString &text) { m_messages.append(text); };
    hooks.error = [this](const QString &text) { m_errors.append(text); };
    SetMessageHooksForTesting(hooks);
}

void TestAgent::init()
{
    m_messages.clear();
    m_errors.clear();
}

void TestAgent::cleanupTestCase()
{
    SetMessageHooksForTesting({});
    SetFetchPauseForTesting(-1);
    SetClockForTesting(nullptr);
    delete frmZazAza;
    frmZazAza = nullptr;
}

void TestAgent::startCountdown(TfrmMn &window, const QString &userId, const QString &password)
{
    const QByteArray job = bidJob(QStringLiteral("Brass telescope"), FloatToText(kBidMoment),
                                  userId, password, QStringLiteral("12.50"),
                                  QStringLiteral("123456"));
    window.m->setPlainText(QString::fromUtf8(job));
    window.StartBidJob();
}

void TestAgent::count_data()
{
    QTest::addColumn<double>("secondsBeforeBid");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("confirms");

    QTest::newRow("125.9 s ahead") << 125.9 << 125 << false;
    QTest::newRow("125.9 s behind") << -125.9 << 125 << false;
    QTest::newRow("exactly 4 s ahead") << 4.0 << 4 << false;
    QTest::newRow("3.999 s ahead") << 3.999 << 3 << true;
    QTest::newRow("exactly 3 s behind") << -3.0 << 3 << true;
    QTest::newRow("at the moment") << 0.0 << 0 << true;
    QTest::newRow("a day ahead") << 86400.0 << 86400 << false;
}

void TestAgent::count()
{
    QFETCH(double, secondsBeforeBid);
    QFETCH(int, count);
    QFETCH(bool, confirms);

    const int counted = CountSeconds(kBidMoment, secondsBefore(secondsBeforeBid));
    QCOMPARE(counted, count);
    QCOMPARE(CountConfirms(counted), confirms);
    QCOMPARE(SecondsText(counted), QString::number(count) + QStringLiteral(" seconds"));
}

void TestAgent::countdownTicks_data()
{
    QTest::addColumn<double>("firstTickBefore");  // seconds before the bid moment
    QTest::addColumn<QStringList>("labels");      // after each tick
    QTest::addColumn<int>("confirmingTick");      // -1: never

    QTest::newRow("4 waits, then 1 confirms")
        << 7.0 << QStringList{"7 seconds", "4 seconds", "0 seconds"} << 2;
    QTest::newRow("3.9 confirms") << 6.9 << QStringList{"6 seconds", "0 seconds"} << 1;
    QTest::newRow("first tick already within 3 s") << 2.0 << QStringList{"0 seconds"} << 0;
    QTest::newRow("first tick 2 s after") << -2.0 << QStringList{"0 seconds"} << 0;
    QTest::newRow("first tick 10 s after")
        << -10.0 << QStringList{"10 seconds", "13 seconds", "16 seconds", "19 seconds"} << -1;
}

void TestAgent::countdownTicks()
{
    QFETCH(double, firstTickBefore);
    QFETCH(QStringList, labels);
    QFETCH(int, confirmingTick);

    TempWorkDir dir;
    BrowserDouble bro;
    // The confirmation form is there from the start, so that a confirmation shows up as a
    // submission whenever it runs.
    bro.ShowPage(QStringLiteral("Review and confirm your bid"), {BrowserDouble::BidForm()});
    TfrmMn window(&bro);
    startCountdown(window);
    QVERIFY(window.Timer1->isActive());
    QCOMPARE(window.Timer1->interval(), 3000);
    QCOMPARE(window.bidMoment, kBidMoment);

    for (int tick = 0; tick < labels.size(); ++tick) {
        g_now = secondsBefore(firstTickBefore - 3.0 * tick);
        window.Timer1Timer();
        QCOMPARE(window.lblSecondsToBid->text(), labels[tick]);
        QCOMPARE(bro.navigations.size(), 1);  // on the first tick, even the confirming one
        const bool confirmed = confirmingTick >= 0 && tick >= confirmingTick;
        QCOMPARE(bro.submissions.size(), confirmed ? 1 : 0);
        QCOMPARE(window.Timer1->isActive(), !confirmed);
    }
    if (confirmingTick >= 0)
        QCOMPARE(bro.submissions.at(0).form, QStringLiteral("PlaceBid"));
}

void TestAgent::bidPageOnTheFirstTickOnly()
{
    TempWorkDir dir;
    writeSiteHosts(QStringLiteral("http://127.0.0.1:8123"));
    BrowserDouble bro;
    TfrmMn window(&bro);
    startCountdown(window);
    QCOMPARE(window.Bid_Amount->text(), QStringLiteral("12.50"));
    QVERIFY(window.firstTick);

    g_now = secondsBefore(300);
    window.Timer1Timer();
    QCOMPARE(bro.navigations,
             QStringList{QStringLiteral("http://127.0.0.1:8123/ws/eBayISAPI.dll?maxbid=12.50"
                                        "&MfcISAPICommand=MakeBid&item=123456")});
    QVERIFY(!window.firstTick);
    QCOMPARE(window.lblSecondsToBid->text(), QStringLiteral("300 seconds"));

    // The amount is read when the page is requested, not later.
    window.Bid_Amount->setText(QStringLiteral("99"));
    g_now = secondsBefore(297);
    window.Timer1Timer();
    QCOMPARE(bro.navigations.size(), 1);

    // Confirming on a page that has not loaded finds nothing to send and ends all the same.
    g_now = secondsBefore(1);
    window.Timer1Timer();
    QVERIFY(bro.submissions.isEmpty());
    QVERIFY(!window.Timer1->isActive());
    QVERIFY(m_errors.isEmpty());
    QVERIFY(m_messages.isEmpty());
}

void TestAgent::signIn_data()
{
    using Form = BrowserDouble::PageForm;
    using Field = BrowserDouble::PageField;
    QTest::addColumn<QString>("title");
    QTest::addColumn<QList<BrowserDouble::PageForm>>("forms");
    QTest::addColumn<QString>("userId");
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("submittedForm");  // -1: nothing sent

    const QString title = kSignInTitle;
    const Form signIn = BrowserDouble::SignInForm();
    QTest::newRow("signs in") << title << QList<Form>{signIn} << "alice" << "secret" << 0;
    QTest::newRow("first of two sign-in forms")
        << title << QList<Form>{Form{"Search", {Field{"q"}}}, signIn, signIn} << "alice"
        << "secret" << 1;
    QTest::newRow("empty user id and password") << title << QList<Form>{signIn} << "" << "" << 0;
    QTest::newRow("no password field")
        << title << QList<Form>{Form{"SignInForm", {Field{"userid"}}}} << "alice" << "secret" << -1;
    QTest::newRow("no user id field")
        << title << QList<Form>{Form{"SignInForm", {Field{"pass"}}}} << "alice" << "secret" << -1;
    QTest::newRow("password is no text input")
        << title << QList<Form>{Form{"SignInForm", {Field{"userid"}, Field{"pass", false}}}}
        << "alice" << "secret" << -1;
    QTest::newRow("sign-in form is no form")
        << title << QList<Form>{Form{"SignInForm", {Field{"userid"}, Field{"pass"}}, false}}
        << "alice" << "secret" << -1;
    QTest::newRow("no sign-in form") << title << QList<Form>{BrowserDouble::BidForm()} << "alice"
                                     << "secret" << -1;
    QTest::newRow("title in other letter case")
        << "Sign In or Register to Continue" << QList<Form>{signIn} << "alice" << "secret" << -1;
    QTest::newRow("title with a trailing blank")
        << "Sign in or register to continue " << QList<Form>{signIn} << "alice" << "secret" << -1;
    QTest::newRow("another page") << "Review and confirm your bid" << QList<Form>{signIn} << "alice"
                                  << "secret" << -1;
}

void TestAgent::signIn()
{
    QFETCH(QString, title);
    QFETCH(QList<BrowserDouble::PageForm>, forms);
    QFETCH(QString, userId);
    QFETCH(QString, password);
    QFETCH(int, submittedForm);

    TempWorkDir dir;
    BrowserDouble bro;
    TfrmMn window(&bro);
    startCountdown(window, userId, password);
    bro.ShowPage(title, forms);
    bro.CompleteDocument();

    if (submittedForm < 0) {
        QVERIFY(bro.submissions.isEmpty());
        QVERIFY(bro.valuesSet.isEmpty());
        // Loading is stopped only for the sign-in page itself.
        QCOMPARE(bro.stops, title == kSignInTitle ? 1 : 0);
    } else {
        QCOMPARE(bro.stops, 1);
        QCOMPARE(bro.submissions.size(), 1);
        QCOMPARE(bro.submissions[0].formIndex, submittedForm);
        QCOMPARE(bro.submissions[0].values.value(QStringLiteral("userid")), userId);
        QCOMPARE(bro.submissions[0].values.value(QStringLiteral("pass")), password);
        QCOMPARE(bro.valuesSet.size(), 2);

        // A second completion of the same page (a frame, then the page) signs in again.
        bro.CompleteDocument();
        QCOMPARE(bro.submissions.size(), 2);
    }
    QVERIFY(m_messages.isEmpty());
    QVERIFY(m_errors.isEmpty());
}

void TestAgent::signInAnsweredAfterTheBidButNoSecondBid()
{
    TempWorkDir dir;
    BrowserDouble bro;
    TfrmMn window(&bro);
    startCountdown(window);
    g_now = secondsBefore(30);
    window.Timer1Timer();
    bro.ShowPage(kSignInTitle, {BrowserDouble::SignInForm()});
    bro.CompleteDocument();
    bro.ShowPage(QStringLiteral("Review and confirm your bid"), {BrowserDouble::BidForm()});
    bro.CompleteDocument();
    g_now = secondsBefore(3);
    window.Timer1Timer();
    QCOMPARE(bro.submissions.size(), 2);
    QCOMPARE(bro.submissions[1].form, QStringLiteral("PlaceBid"));

    // The site asks to sign in once more after the bid: answered, but no bid again.
    bro.ShowPage(kSignInTitle, {BrowserDouble::SignInForm(), BrowserDouble::BidForm()});
    bro.CompleteDocument();
    QCOMPARE(bro.submissions.size(), 3);
    QCOMPARE(bro.submissions[2].form, QStringLiteral("SignInForm"));
    QVERIFY(!window.Timer1->isActive());
    QCOMPARE(window.lblSecondsToBid->text(), QStringLiteral("0 seconds"));
}

void TestAgent::badBidMoment()
{
    TempWorkDir dir;
    testsupport::writeFile(jobfiles::kJobFile,
                           bidJob(QStringLiteral("Desk lamp"), QStringLiteral("tomorrow"),
                                  QStringLiteral("alice"), QStringLiteral("pw"),
                                  QStringLiteral("5"), QStringLiteral("42")));
    BrowserDouble bro;
    TfrmMn window(&bro);
    window.FormShow();
    QCOMPARE(m_errors.size(), 1);
    QVERIFY2(m_errors[0].contains(QStringLiteral("tomorrow")), qPrintable(m_errors[0]));
    QVERIFY(!window.Timer1->isActive());
    QCOMPARE(window.Description->text(), QStringLiteral("Desk lamp"));
    QCOMPARE(window.Auction_ID->text(), QStringLiteral("42"));
    QVERIFY(bro.navigations.isEmpty());
    QVERIFY(!QFile::exists(jobfiles::kAckFile));
}

void TestAgent::bidJobFromFile_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("password");

    const QByteArray crlf = bidJob(QStringLiteral("Fountain pen"), FloatToText(kBidMoment),
                                   QStringLiteral("alice"), QStringLiteral("secret"),
                                   QStringLiteral("12.50"), QStringLiteral("123456"));
    QByteArray lf = crlf;
    lf.replace("\r\n", "\n");
    QTest::newRow("CR LF") << crlf << "secret";
    QTest::newRow("LF only") << lf << "secret";
    QTest::newRow("empty password") << bidJob(QStringLiteral("Fountain pen"), FloatToText(kBidMoment),
                                              QStringLiteral("alice"), QString(),
                                              QStringLiteral("12.50"), QStringLiteral("123456"))
                                    << "";
}

void TestAgent::bidJobFromFile()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, password);

    TempWorkDir dir;
    testsupport::writeFile(jobfiles::kJobFile, file);
    BrowserDouble bro;
    TfrmMn window(&bro);
    QCOMPARE(window.windowTitle(), QString());
    window.FormShow();

    QCOMPARE(window.windowTitle(), QStringLiteral("Fountain pen"));
    QCOMPARE(window.Description->text(), QStringLiteral("Fountain pen"));
    QCOMPARE(window.edtBidMoment->text(), FloatToText(kBidMoment));
    QCOMPARE(window.edtID->text(), QStringLiteral("alice"));
    QCOMPARE(window.edtPassword->text(), password);
    QCOMPARE(window.Bid_Amount->text(), QStringLiteral("12.50"));
    QCOMPARE(window.Auction_ID->text(), QStringLiteral("123456"));
    QCOMPARE(window.lblBidAmount->text(), QStringLiteral("Bid Amount"));
    QCOMPARE(window.lblAuctionID->text(), QStringLiteral("Auction ID"));
    QCOMPARE(window.bidMoment, kBidMoment);
    QVERIFY(window.Timer1->isActive());
    QVERIFY(bro.navigations.isEmpty());  // the first tick requests the page
    QVERIFY(!QFile::exists(jobfiles::kAckFile));
    QVERIFY(m_errors.isEmpty());
    QVERIFY(m_messages.isEmpty());
}

void TestAgent::jobDecision_data()
{
    QTest::addColumn<bool>("present");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("timeProbe");

    QTest::newRow("no job file") << false << QByteArray() << true;
    QTest::newRow("time probe") << true << QByteArray("--eBayTime--") << true;
    QTest::newRow("bid job") << true << QByteArray("--autoBid--\r\nLamp\r\n1.5") << false;
    QTest::newRow("eBayTime in the description")
        << true << QByteArray("--autoBid--\r\nMy eBayTime clock\r\n1.5") << true;
    QTest::newRow("other letter case") << true << QByteArray("--ebaytime--") << false;
    QTest::newRow("empty job file") << true << QByteArray() << false;
}

void TestAgent::jobDecision()
{
    QFETCH(bool, present);
    QFETCH(QByteArray, file);
    QFETCH(bool, timeProbe);

    TempWorkDir dir;
    if (present)
        testsupport::writeFile(jobfiles::kJobFile, file);
    const AgentJob job = LoadAgentJob();
    QCOMPARE(job.timeProbe, timeProbe);
    QCOMPARE(job.text, QString::fromUtf8(file));
}

void TestAgent::descriptionWithEbayTimeIsAProbe()
{
    TempWorkDir dir;
    writeSiteHosts(QStringLiteral("http://127.0.0.1:%1").arg(testsupport::unusedPort()));
    const QByteArray job = bidJob(QStringLiteral("eBayTime radio clock"), FloatToText(kBidMoment),
                                  QStringLiteral("alice"), QStringLiteral("secret"),
                                  QStringLiteral("12.50"), QStringLiteral("123456"));
    testsupport::writeFile(jobfiles::kJobFile, job);
    BrowserDouble bro;
    TfrmMn window(&bro);
    window.FormShow();

    QCOMPARE(m_messages, QStringList{TfrmMn::kSiteUnreachable});
    // The failed probe answers with the job text as it was read.
    QCOMPARE(testsupport::readFile(jobfiles::kAckFile), job);
    QVERIFY(!window.Timer1->isActive());
    QVERIFY(bro.navigations.isEmpty());
    QCOMPARE(window.windowTitle(), QString());
}

void TestAgent::siteTimeFromText()
{
    // The page shows whole seconds; the middle of the second shown is taken.
    QCOMPARE(SiteTimeFromText(QStringLiteral("09 10, 2008 19:51:35")),
             EncodeDateTime(2008, 9, 10, 19, 51, 35, 500));
    QVERIFY_THROWS_EXCEPTION(ConvertError, SiteTimeFromText(QString()));
    QVERIFY_THROWS_EXCEPTION(ConvertError, SiteTimeFromText(QStringLiteral("00 10, 2008 19:51:35")));

    FetchTiming timing;
    timing.valid = true;
    timing.sent = kBidMoment;
    timing.received = kBidMoment + 2 * kOneSecond;
    QCOMPARE(MeasurementMoment(timing), kBidMoment + kOneSecond);
    g_now = secondsBefore(-100);
    QCOMPARE(MeasurementMoment(FetchTiming()), g_now);
}

QTEST_MAIN(TestAgent)
#include "tst_agent.moc"
