// The practice site: its two time texts, and its pages served by the running program.
#include "practicesite.h"
#include "practicesiteprocess.h"
#include "testsupport.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkCookieJar>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

using testsupport::PracticeSiteProcess;

namespace {

struct Fetched {
    int status = 0;
    QByteArray body;
    QByteArray location;
    QByteArray setCookie;
    int redirects = 0;
};

// One request through nam; follows redirects only when told to.
Fetched fetch(QNetworkAccessManager &nam, const QString &url, const QByteArray &postBody = QByteArray(),
              bool follow = false)
{
    QNetworkRequest request{QUrl(url)};
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         follow ? QNetworkRequest::NoLessSafeRedirectPolicy : QNetworkRequest::ManualRedirectPolicy);
    QNetworkReply *reply;
    if (postBody.isNull()) {
        reply = nam.get(request);
    } else {
        request.setHeader(QNetworkRequest::ContentTypeHeader, "application/x-www-form-urlencoded");
        reply = nam.post(request, postBody);
    }
    Fetched f;
    QObject::connect(reply, &QNetworkReply::redirected, [&f] { ++f.redirects; });
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();
    f.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    f.body = reply->readAll();
    f.location = reply->rawHeader("Location");
    f.setCookie = reply->rawHeader("Set-Cookie");
    delete reply;
    return f;
}

QString titleOf(const QByteArray &page)
{
    static const QRegularExpression re(QStringLiteral("<title>(.*)</title>"));
    return re.match(QString::fromUtf8(page)).captured(1);
}

QByteArray form(const QList<QPair<QString, QString>> &fields)
{
    QUrlQuery q;
    for (const auto &f : fields)
        q.addQueryItem(f.first, QString::fromUtf8(QUrl::toPercentEncoding(f.second)));
    return q.toString(QUrl::FullyEncoded).toUtf8();
}

}  // namespace

class TestPracticeSite : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void timeTexts_data();
    void timeTexts();
    void timePageShowsSiteClock();
    void itemTitleCarriesEndTime_data();
    void itemTitleCarriesEndTime();
    void unknownItem();
    void signInThenBid();
    void onlyConfiguredUserSignsIn_data();
    void onlyConfiguredUserSignsIn();
    void testPages_data();
    void testPages();
    void hostOverridesKeepOtherSections();

private:
    PracticeSiteProcess m_site;  // --offset 37 --zone UTC
    QNetworkAccessManager m_nam;
};

void TestPracticeSite::initTestCase()
{
    m_nam.setProxy(QNetworkProxy::NoProxy);
    QVERIFY2(m_site.start({QStringLiteral("--offset"), QStringLiteral("37"), QStringLiteral("--zone"),
                           QStringLiteral("UTC")}),
             "practice-site did not start");
}

void TestPracticeSite::timeTexts_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QDateTime>("utc");
    QTest::addColumn<QString>("official");
    QTest::addColumn<QString>("itemEnd");

    const auto utc = [](int y, int mo, int d, int h, int mi, int s, int ms) {
        return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms), Qt::UTC);
    };
    // Seconds are truncated, never rounded up.
    QTest::newRow("summer time") << QByteArray("America/Los_Angeles") << utc(2008, 3, 16, 21, 23, 45, 999)
                                 << "Sunday, March 16, 2008 14:23:45 PDT" << "Mar-16-08 14:23:45 PDT";
    QTest::newRow("winter time, day before in UTC")
        << QByteArray("America/Los_Angeles") << utc(2008, 1, 5, 8, 0, 7, 0) << "Saturday, January 05, 2008 00:00:07 PST"
        << "Jan-05-08 00:00:07 PST";
    QTest::newRow("utc") << QByteArray("UTC") << utc(2008, 9, 15, 17, 45, 12, 500)
                         << "Monday, September 15, 2008 17:45:12 UTC" << "Sep-15-08 17:45:12 UTC";
    QTest::newRow("four-letter zone name cut to three")
        << QByteArray("Europe/Berlin") << utc(2010, 7, 1, 22, 5, 9, 0) << "Friday, July 02, 2010 00:05:09 CES"
        << "Jul-02-10 00:05:09 CES";
}

void TestPracticeSite::timeTexts()
{
    QFETCH(QByteArray, zone);
    QFETCH(QDateTime, utc);
    QFETCH(QString, official);
    QFETCH(QString, itemEnd);
    const QDateTime zoned = utc.toTimeZone(QTimeZone(zone));
    QCOMPARE(practicesite::officialTimeText(zoned), official);
    QCOMPARE(practicesite::itemEndTimeText(zoned), itemEnd);
}

void TestPracticeSite::timePageShowsSiteClock()
{
    const Fetched f = fetch(m_nam, m_site.baseUrl() + "/ws/eBayISAPI.dll?EbayTime");
    const QDateTime expected = QDateTime::currentDateTimeUtc().addSecs(37);
    QCOMPARE(f.status, 200);

    static const QRegularExpression lineRe(
        QStringLiteral("^<p><b>([A-Z][a-z]+day, [A-Z][a-z]+ \\d\\d, \\d{4} \\d\\d:\\d\\d:\\d\\d) ([A-Za-z]{3})</b></p>$"));
    const QList<QByteArray> lines = f.body.split('\n');
    const auto first = std::find_if(lines.begin(), lines.end(), [](const QByteArray &l) { return l.contains("</b></p>"); });
    QVERIFY(first != lines.end());
    const auto m = lineRe.match(QString::fromUtf8(*first));
    QVERIFY2(m.hasMatch(), first->constData());
    QCOMPARE(m.captured(2), QStringLiteral("UTC"));

    QDateTime shown = QDateTime::fromString(m.captured(1), QStringLiteral("dddd, MMMM dd, yyyy HH:mm:ss"));
    shown.setTimeSpec(Qt::UTC);
    QVERIFY(shown.isValid());
    QVERIFY2(qAbs(shown.secsTo(expected)) <= 2, qPrintable(m.captured(1)));
}

void TestPracticeSite::itemTitleCarriesEndTime_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("ws") << QStringLiteral("/ws/eBayISAPI.dll");
    QTest::newRow("root") << QStringLiteral("/eBayISAPI.dll");
}

void TestPracticeSite::itemTitleCarriesEndTime()
{
    QFETCH(QString, path);
    const QString item = m_site.createAuction(QStringLiteral("Desk lamp"), 600);
    const QDateTime expectedEnd = QDateTime::currentDateTimeUtc().addSecs(37 + 600);
    QVERIFY(!item.isEmpty());

    const Fetched f = fetch(m_nam, m_site.baseUrl() + path + "?ViewItem&item=" + item);
    QCOMPARE(f.status, 200);
    static const QRegularExpression titleRe(QStringLiteral(
        "^(.+) - eBay \\(item (\\d+) end time ([A-Z][a-z]{2}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d) ([A-Za-z]{3})\\)$"));
    const auto m = titleRe.match(titleOf(f.body));
    QVERIFY2(m.hasMatch(), qPrintable(titleOf(f.body)));
    QCOMPARE(m.captured(1), QStringLiteral("Desk lamp"));
    QCOMPARE(m.captured(2), item);
    QCOMPARE(m.captured(4), QStringLiteral("UTC"));

    QDateTime end = QDateTime::fromString(m.captured(3), QStringLiteral("MMM-dd-yy HH:mm:ss")).addYears(100);
    end.setTimeSpec(Qt::UTC);
    QVERIFY2(qAbs(end.secsTo(expectedEnd)) <= 2, qPrintable(m.captured(3)));
}

void TestPracticeSite::unknownItem()
{
    QCOMPARE(fetch(m_nam, m_site.baseUrl() + "/ws/eBayISAPI.dll?ViewItem&item=999").status, 404);

    QNetworkAccessManager nam;
    nam.setProxy(QNetworkProxy::NoProxy);
    fetch(nam, m_site.baseUrl() + "/ws/eBayISAPI.dll?SignIn", form({{"userid", "u"}, {"pass", "p"}, {"ru", ""}}));
    const Fetched bid = fetch(nam, m_site.baseUrl() + "/ws/eBayISAPI.dll?maxbid=1.00&MfcISAPICommand=MakeBid&item=999");
    QCOMPARE(bid.status, 200);
    QCOMPARE(titleOf(bid.body), QStringLiteral("Item not found"));
    QVERIFY(!bid.body.contains("PlaceBid"));
}

void TestPracticeSite::signInThenBid()
{
    const QString item = m_site.createAuction(QStringLiteral("Brass telescope"), 300);
    const QString bidPath = "/ws/eBayISAPI.dll?maxbid=12.50&MfcISAPICommand=MakeBid&item=" + item;
    QNetworkAccessManager nam;  // its own cookie jar
    nam.setProxy(QNetworkProxy::NoProxy);

    const Fetched signInPage = fetch(nam, m_site.baseUrl() + bidPath);
    QCOMPARE(signInPage.status, 200);
    QCOMPARE(titleOf(signInPage.body), QStringLiteral("Sign in or register to continue"));
    QVERIFY(signInPage.body.contains(
        R"(<form name="SignInForm" id="SignInForm" method="post" action="/ws/eBayISAPI.dll?SignIn">)"));
    QVERIFY(signInPage.body.contains(QString("name=\"ru\" value=\"%1\"").arg(bidPath.toHtmlEscaped()).toUtf8()));

    const Fetched signedIn = fetch(nam, m_site.baseUrl() + "/ws/eBayISAPI.dll?SignIn",
                                   form({{"userid", "sniper one"}, {"pass", "pw"}, {"ru", bidPath}}));
    QVERIFY(signedIn.status == 302 || signedIn.status == 303);
    QVERIFY(signedIn.setCookie.startsWith("practice_session="));
    QCOMPARE(QString::fromUtf8(signedIn.location), bidPath);

    const Fetched review = fetch(nam, m_site.baseUrl() + bidPath);
    QCOMPARE(titleOf(review.body), QStringLiteral("Review and confirm your bid"));
    QVERIFY(review.body.contains(R"(<form name="PlaceBid" id="PlaceBid" method="post" )"
                                 R"(action="/ws/eBayISAPI.dll?MfcISAPICommand=AcceptBid">)"));

    const Fetched confirmed = fetch(nam, m_site.baseUrl() + "/ws/eBayISAPI.dll?MfcISAPICommand=AcceptBid",
                                    form({{"item", item}, {"maxbid", "12.50"}}));
    QCOMPARE(titleOf(confirmed.body), QStringLiteral("Bid confirmed"));

    const QList<testsupport::SiteRecord> records = m_site.records();
    const auto signin = std::find_if(records.begin(), records.end(), [](const testsupport::SiteRecord &r) {
        return r.kind == QLatin1String("signin") && r.userId == QLatin1String("sniper one");
    });
    QVERIFY(signin != records.end());
    const auto bid = std::find_if(records.begin(), records.end(), [&](const testsupport::SiteRecord &r) {
        return r.kind == QLatin1String("bid") && r.item == item;
    });
    QVERIFY(bid != records.end());
    QCOMPARE(bid->amount, QStringLiteral("12.50"));
    QVERIFY(bid->localEpochMs >= signin->localEpochMs);
    QVERIFY2(bid->secondsBeforeEnd > 250 && bid->secondsBeforeEnd <= 300, qPrintable(QString::number(bid->secondsBeforeEnd)));
}

void TestPracticeSite::onlyConfiguredUserSignsIn_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("right pair") << "alice" << "secret" << true;
    QTest::newRow("wrong password") << "alice" << "Secret" << false;
    QTest::newRow("other user") << "bob" << "secret" << false;
    QTest::newRow("empty pair") << "" << "" << false;
}

void TestPracticeSite::onlyConfiguredUserSignsIn()
{
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(bool, accepted);
    PracticeSiteProcess site;
    QVERIFY(site.start({"--user", "alice", "--password", "secret"}));
    QNetworkAccessManager nam;
    nam.setProxy(QNetworkProxy::NoProxy);

    const Fetched f = fetch(nam, site.baseUrl() + "/ws/eBayISAPI.dll?SignIn",
                            form({{"userid", user}, {"pass", password}, {"ru", "/conkeep.htm"}}));
    QCOMPARE(!f.setCookie.isEmpty(), accepted);
    if (accepted) {
        QCOMPARE(f.location, QByteArray("/conkeep.htm"));
    } else {
        QCOMPARE(f.status, 200);
        QCOMPARE(titleOf(f.body), QStringLiteral("Sign in or register to continue"));
        QVERIFY(f.body.contains("not correct"));
    }
    QCOMPARE(site.records().size(), accepted ? 1 : 0);
}

void TestPracticeSite::testPages_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("redirects");
    QTest::addColumn<QByteArray>("body");  // null: only checked to mention the status
    const QByteArray lines("first line\nsecond line\nthird line\n");
    QTest::newRow("lines") << "/test/lines" << 200 << 0 << lines;
    QTest::newRow("empty") << "/test/empty" << 200 << 0 << QByteArray("");
    QTest::newRow("chain of 5") << "/test/redirect/4" << 200 << 5 << lines;
    QTest::newRow("chain of 6") << "/test/redirect/5" << 200 << 6 << lines;
    for (int code : {401, 404, 407, 500})
        QTest::newRow(qPrintable(QString("status %1").arg(code))) << QString("/test/status/%1").arg(code) << code << 0 << QByteArray();
}

void TestPracticeSite::testPages()
{
    QFETCH(QString, path);
    QFETCH(int, status);
    QFETCH(int, redirects);
    QFETCH(QByteArray, body);
    const Fetched f = fetch(m_nam, m_site.baseUrl() + path, QByteArray(), true);
    QCOMPARE(f.status, status);
    QCOMPARE(f.redirects, redirects);
    if (body.isNull())
        QVERIFY(f.body.contains("error page " + QByteArray::number(status)));
    else
        QCOMPARE(f.body, body);
}

void TestPracticeSite::hostOverridesKeepOtherSections()
{
    testsupport::TempWorkDir dir;
    const QString ini = dir.file(QStringLiteral("windowscorvane.ini"));
    testsupport::writeFile(ini, "[general]\r\nuser=me\r\n[site]\r\nsearch=http://old\r\n[other]\r\nx=1\r\n");
    m_site.writeHostOverrides(ini);
    const QByteArray base = m_site.baseUrl().toUtf8();
    QCOMPARE(testsupport::readFile(ini), "[general]\r\nuser=me\r\n[other]\r\nx=1\r\n[site]\r\nsearch=" + base +
                                             "\r\nitem=" + base + "\r\ntime=" + base + "\r\nbid=" + base + "\r\n");
}

QTEST_GUILESS_MAIN(TestPracticeSite)
#include "tst_practicesite.moc"
