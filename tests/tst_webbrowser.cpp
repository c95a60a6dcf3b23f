// The embedded browser on the real Qt WebEngine against the practice site: titles, forms,
// fields, typing and sending, and the document-complete signal.
#include "practicesiteprocess.h"
#include "settings.h"
#include "webbrowser.h"

#include <QApplication>
#include <QSignalSpy>
#include <QtTest>

using testsupport::PracticeSiteProcess;

class TestWebBrowser : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void noDocumentYet();
    void titles_data();
    void titles();
    void signInThenConfirmTheBid();

private:
    // Loads the address and waits for its document to complete.
    bool load(WebBrowser &browser, const QString &url);

    PracticeSiteProcess m_site;
};

void TestWebBrowser::initTestCase()
{
    QVERIFY2(m_site.start({QStringLiteral("--user"), QStringLiteral("alice"),
                           QStringLiteral("--password"), QStringLiteral("s3cret \"pw\"")}),
             m_site.stderrOutput().constData());
}

void TestWebBrowser::cleanupTestCase()
{
    m_site.stop();
}

bool TestWebBrowser::load(WebBrowser &browser, const QString &url)
{
    QSignalSpy complete(&browser, &Browser::DocumentComplete);
    browser.Navigate(url);
    return complete.wait(30000);
}

void TestWebBrowser::noDocumentYet()
{
    WebBrowser browser;
    QVERIFY(!browser.HasDocument());
    QCOMPARE(browser.Title(), QString());
    QCOMPARE(browser.Form(QStringLiteral("SignInForm")), -1);
    QCOMPARE(browser.TextField(0, QStringLiteral("userid")), -1);
    QVERIFY(!browser.SetValue(0, QStringLiteral("x")));
    QVERIFY(!browser.Submit(0));
    QVERIFY(browser.View() != nullptr);
}

void TestWebBrowser::titles_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("title");

    // A page without a title element has an empty title, not its address.
    QTest::newRow("plain text") << "/test/lines" << QString();
    QTest::newRow("empty page") << "/test/empty" << QString();
    QTest::newRow("titled page") << "/test/status/404" << "Status 404";
}

void TestWebBrowser::titles()
{
    QFETCH(QString, path);
    QFETCH(QString, title);

    WebBrowser browser;
    QVERIFY(load(browser, m_site.baseUrl() + path));
    QVERIFY(browser.HasDocument());
    QCOMPARE(browser.Title(), title);
}

void TestWebBrowser::signInThenConfirmTheBid()
{
    const QString item = m_site.createAuction(QStringLiteral("Brass telescope"), 600);
    QVERIFY(!item.isEmpty());
    SiteHosts hosts;
    hosts.bid = m_site.baseUrl();

    WebBrowser browser;
    QVERIFY(load(browser, siteaddress::BidPage(hosts, QStringLiteral("12.50"), item)));
    QCOMPARE(browser.Title(), QStringLiteral("Sign in or register to continue"));
    QCOMPARE(browser.Form(QStringLiteral("PlaceBid")), -1);
    const int form = browser.Form(QStringLiteral("SignInForm"));
    QVERIFY(form >= 0);
    QCOMPARE(browser.TextField(form, QStringLiteral("nosuchfield")), -1);
    const int user = browser.TextField(form, QStringLiteral("userid"));
    const int pass = browser.TextField(form, QStringLiteral("pass"));
    QVERIFY(user >= 0);
    QVERIFY(pass >= 0);
    QVERIFY(browser.SetValue(user, QStringLiteral("alice")));
    // Quotes and blanks reach the site as typed; the site rejects any other password.
    QVERIFY(browser.SetValue(pass, QStringLiteral("s3cret \"pw\"")));

    QSignalSpy complete(&browser, &Browser::DocumentComplete);
    QVERIFY(browser.Submit(form));
    QVERIFY(complete.wait(30000));
    QCOMPARE(browser.Title(), QStringLiteral("Review and confirm your bid"));
    const int bidForm = browser.Form(QStringLiteral("PlaceBid"));
    QVERIFY(bidForm >= 0);

    QList<testsupport::SiteRecord> records = m_site.records();
    QCOMPARE(records.size(), 1);
    QCOMPARE(records[0].kind, QStringLiteral("signin"));
    QCOMPARE(records[0].userId, QStringLiteral("alice"));

    complete.clear();
    QVERIFY(browser.Submit(bidForm));
    QVERIFY(complete.wait(30000));
    records = m_site.records();
    QCOMPARE(records.size(), 2);
    QCOMPARE(records[1].kind, QStringLiteral("bid"));
    QCOMPARE(records[1].item, item);
    QCOMPARE(records[1].amount, QStringLiteral("12.50"));
}

int main(int argc, char *argv[])
{
    // The browser shares its GL contexts with the application's windows.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    TestWebBrowser test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_webbrowser.moc"
