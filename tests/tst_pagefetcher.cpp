// The utility form's page fetcher against the practice site, and the HTTP client's reading
// of answers the practice site never gives (chunked, close-delimited, bare LF headers).
#include "httpget.h"
#include "practicesiteprocess.h"
#include "testsupport.h"
#include "zazaza.h"

#include <QDir>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

using testsupport::PracticeSiteProcess;
using testsupport::TempWorkDir;

namespace {

// Answers every connection with the same raw bytes and keeps the request it read.
class RawServer {
public:
    RawServer(const QByteArray &answer, bool closeAfter) : m_answer(answer), m_close(closeAfter)
    {
        m_server.listen(QHostAddress::LocalHost);
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
            QTcpSocket *socket = m_server.nextPendingConnection();
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                request += socket->readAll();
                if (!request.contains("\r\n\r\n"))
                    return;
                socket->write(m_answer);
                socket->flush();
                if (m_close)
                    socket->disconnectFromHost();
            });
        });
    }
    QString url(const QString &path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path);
    }
    QByteArray request;

private:
    QTcpServer m_server;
    QByteArray m_answer;
    bool m_close;
};

}  // namespace

class TestPageFetcher : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void threeLinePage();
    void successes_data();
    void successes();
    void failures_data();
    void failures();
    void fetchesStartFromEmptyMemos();
    void noFileLeftInWorkingDirectory();
    void requestAsSent();
    void unusualAnswers_data();
    void unusualAnswers();
    void timingOfTheExchange();

private:
    PracticeSiteProcess m_site;
    TfrmZazAza *m_form = nullptr;
};

void TestPageFetcher::initTestCase()
{
    QVERIFY2(m_site.start(), m_site.stderrOutput().constData());
    m_form = new TfrmZazAza;
    SetFetchPauseForTesting(0);
}

void TestPageFetcher::cleanupTestCase()
{
    SetFetchPauseForTesting(-1);
    delete m_form;
}

void TestPageFetcher::threeLinePage()
{
    const QString text = m_form->FetchPage(m_site.baseUrl() + QStringLiteral("/test/lines"));
    QCOMPARE(text, QStringLiteral("first line\r\nsecond line\r\nthird line"));
    QCOMPARE(m_form->DocumentMemo,
             (QStringList{QStringLiteral("first line"), QStringLiteral("second line"),
                          QStringLiteral("third line")}));

    // The log: the commands as sent, the document, the end of the request, the status and
    // the headers, in that order.
    const QStringList log = m_form->DisplayMemo;
    QCOMPARE(log.value(0), QStringLiteral("cmd> GET /test/lines HTTP/1.0"));
    QVERIFY(log.contains(QStringLiteral(
        "cmd> Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*")));
    QVERIFY(log.contains(QStringLiteral("cmd> User-Agent: Mozilla/3.0 (compatible)")));
    QVERIFY(log.contains(QStringLiteral("cmd> Host: 127.0.0.1:%1").arg(m_site.port())));
    const int docAt = log.indexOf(QRegularExpression(QStringLiteral("^text/plain.* => lines$")));
    QVERIFY2(docAt > 0, qPrintable(log.join(QLatin1Char('\n'))));
    QCOMPARE(log.value(docAt + 1), QStringLiteral("Document = lines"));
    QCOMPARE(log.value(docAt + 2), QStringLiteral("RequestDone Error = 0"));
    QCOMPARE(log.value(docAt + 3), QStringLiteral("StatusCode = 200"));
    QCOMPARE(log.filter(QRegularExpression(QStringLiteral("^hdr>Content-Length: 34$"))).size(), 1);
    for (int i = docAt + 4; i < log.size(); ++i)
        QVERIFY2(log[i].startsWith(QLatin1String("hdr>")), qPrintable(log[i]));
}

void TestPageFetcher::successes_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("firstLine");

    // 401 and 407 are answers, not failures: their page is the document.
    QTest::newRow("401") << "/test/status/401" << 401 << "<!DOCTYPE html>";
    QTest::newRow("407") << "/test/status/407" << 407 << "<!DOCTYPE html>";
    QTest::newRow("five relocations") << "/test/redirect/4" << 200 << "first line";
    QTest::newRow("one relocation") << "/test/redirect/0" << 200 << "first line";
    QTest::newRow("empty page") << "/test/empty" << 200 << QString();
}

void TestPageFetcher::successes()
{
    QFETCH(QString, path);
    QFETCH(int, status);
    QFETCH(QString, firstLine);

    const QString text = m_form->FetchPage(m_site.baseUrl() + path);
    QCOMPARE(m_form->DocumentMemo.value(0), firstLine);
    QCOMPARE(text, m_form->DocumentMemo.join(QStringLiteral("\r\n")));
    QVERIFY(!m_form->DisplayMemo.contains(QStringLiteral("GET Failed !")));
    QVERIFY(m_form->DisplayMemo.contains(QStringLiteral("StatusCode = %1").arg(status)));
    QVERIFY(m_form->DisplayMemo.contains(QStringLiteral("RequestDone Error = 0")));
}

void TestPageFetcher::failures_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<int>("status");

    const QString base = m_site.baseUrl();
    QTest::newRow("404 with a page") << base + "/test/status/404" << 404;
    QTest::newRow("500") << base + "/test/status/500" << 500;
    QTest::newRow("400") << base + "/test/status/400" << 400;
    QTest::newRow("six relocations") << base + "/test/redirect/5" << 302;
    QTest::newRow("nobody listening") << QStringLiteral("http://127.0.0.1:%1/x").arg(testsupport::unusedPort()) << 0;
    QTest::newRow("unknown host") << QStringLiteral("http://no-such-host.invalid/x") << 0;
}

void TestPageFetcher::failures()
{
    QFETCH(QString, url);
    QFETCH(int, status);

    const QString text = m_form->FetchPage(url);
    QCOMPARE(text, QString());
    QVERIFY(m_form->DocumentMemo.isEmpty());
    const QStringList log = m_form->DisplayMemo;
    const int failedAt = log.indexOf(QStringLiteral("GET Failed !"));
    QVERIFY2(failedAt >= 0, qPrintable(log.join(QLatin1Char('\n'))));
    QCOMPARE(log.value(failedAt + 1), QStringLiteral("StatusCode   = %1").arg(status));
    QVERIFY(log.value(failedAt + 2).startsWith(QLatin1String("ReasonPhrase = ")));
    QVERIFY(log.value(failedAt + 2).size() > 15);
    QCOMPARE(failedAt, log.size() - 3);
    QVERIFY(!log.contains(QStringLiteral("RequestDone Error = 0")));
    QVERIFY(!LastFetchTiming().valid);
}

void TestPageFetcher::fetchesStartFromEmptyMemos()
{
    const QString lines = m_site.baseUrl() + QStringLiteral("/test/lines");
    const QString missing = m_site.baseUrl() + QStringLiteral("/test/status/404");

    m_form->FetchPage(lines);
    m_form->FetchPage(missing);
    QVERIFY(m_form->DocumentMemo.isEmpty());
    QCOMPARE(m_form->DisplayMemo.filter(QStringLiteral("cmd> GET")).size(), 1);
    QVERIFY(!m_form->DisplayMemo.contains(QStringLiteral("StatusCode = 200")));

    m_form->FetchPage(lines);
    QCOMPARE(m_form->DocumentMemo.size(), 3);
    QVERIFY(!m_form->DisplayMemo.contains(QStringLiteral("GET Failed !")));
    QCOMPARE(m_form->DisplayMemo.filter(QStringLiteral("cmd> GET")).size(), 1);

    // GetButtonClick on its own empties both before it starts.
    m_form->DocumentMemo = QStringList{QStringLiteral("stale")};
    m_form->DisplayMemo = QStringList{QStringLiteral("stale")};
    m_form->URLEdit = missing;
    m_form->GetButtonClick();
    QVERIFY(m_form->DocumentMemo.isEmpty());
    QVERIFY(!m_form->DisplayMemo.contains(QStringLiteral("stale")));
}

void TestPageFetcher::noFileLeftInWorkingDirectory()
{
    TempWorkDir dir;
    QVERIFY(dir.isValid());
    m_form->FetchPage(m_site.baseUrl() + QStringLiteral("/test/lines"));
    m_form->FetchPage(m_site.baseUrl() + QStringLiteral("/ws/eBayISAPI.dll?EbayTime"));
    m_form->FetchPage(m_site.baseUrl() + QStringLiteral("/test/status/404"));
    m_form->FetchPage(QStringLiteral("http://127.0.0.1:%1/x").arg(testsupport::unusedPort()));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList());
}

void TestPageFetcher::requestAsSent()
{
    RawServer server("HTTP/1.0 200 OK\r\nContent-Length: 2\r\n\r\nok", true);
    m_form->FetchPage(server.url(QStringLiteral("/ws/eBayISAPI.dll?EbayTime")));
    QCOMPARE(m_form->DocumentMemo, QStringList{QStringLiteral("ok")});
    const QByteArray expected = "GET /ws/eBayISAPI.dll?EbayTime HTTP/1.0\r\n"
                                "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*\r\n"
                                "User-Agent: Mozilla/3.0 (compatible)\r\n"
                                "Host: 127.0.0.1:"
        + server.url(QString()).section(QLatin1Char(':'), 2).toLatin1() + "\r\n\r\n";
    QCOMPARE(server.request, expected);
}

void TestPageFetcher::unusualAnswers_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<bool>("closeAfter");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("chunked") << QByteArray("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
                                           "4\r\nab\r\n\r\n3;x=y\r\ncd\n\r\n0\r\n\r\n")
                             << false << QStringList{"ab", "cd"};
    QTest::newRow("until close") << QByteArray("HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n"
                                               "one\rtwo\r\nthree\nfour")
                                 << true << QStringList{"one", "two", "three", "four"};
    QTest::newRow("bare LF head") << QByteArray("HTTP/1.0 200 OK\nContent-Length: 4\n\nx\ny\n")
                                  << false << QStringList{"x", "y"};
}

void TestPageFetcher::unusualAnswers()
{
    QFETCH(QByteArray, answer);
    QFETCH(bool, closeAfter);
    QFETCH(QStringList, lines);

    RawServer server(answer, closeAfter);
    m_form->FetchPage(server.url(QStringLiteral("/page.htm")));
    QCOMPARE(m_form->DocumentMemo, lines);
    QVERIFY(m_form->DisplayMemo.contains(QStringLiteral("Document = page.htm")));
}

void TestPageFetcher::timingOfTheExchange()
{
    m_form->FetchPage(m_site.baseUrl() + QStringLiteral("/test/lines"));
    const FetchTiming timing = LastFetchTiming();
    QVERIFY(timing.valid);
    QVERIFY(timing.sent > 0);
    QVERIFY(timing.received >= timing.sent);
    QVERIFY(timing.Midpoint() >= timing.sent && timing.Midpoint() <= timing.received);
}

QTEST_MAIN(TestPageFetcher)
#include "tst_pagefetcher.moc"
