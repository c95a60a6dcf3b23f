// The agent's time probe: the real kestrin program against the practice site with a known
// clock offset, and a failed probe run in this process so that its message box can be
// answered.
#include "agentwindow.h"
#include "browserdouble.h"
#include "httpget.h"
#include "jobfiles.h"
#include "messages.h"
#include "numbertext.h"
#include "practicesiteprocess.h"
#include "testsupport.h"
#include "zazaza.h"

#include <QHostAddress>
#include <QProcess>
#include <QTcpServer>
#include <QTimeZone>
#include <QtTest>

using testsupport::BrowserDouble;
using testsupport::PracticeSiteProcess;
using testsupport::TempWorkDir;

namespace {

// The site's clock runs this far ahead of ours.
const double kSiteAheadSeconds = 37.0;

}  // namespace

class TestAgentProbe : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void kestrinReportsTheOffset_data();
    void kestrinReportsTheOffset();
    void failedProbe_data();
    void failedProbe();

private:
    PracticeSiteProcess m_site;
};

void TestAgentProbe::initTestCase()
{
    // The site shows its clock in our own zone, so the offset is the clocks' difference alone.
    const QString zone = QString::fromUtf8(QTimeZone::systemTimeZoneId());
    QVERIFY2(m_site.start({QStringLiteral("--offset"), QString::number(kSiteAheadSeconds),
                           QStringLiteral("--zone"), zone}),
             m_site.stderrOutput().constData());
    QVERIFY(QFileInfo(testsupport::binPath(QStringLiteral("kestrin"))).isExecutable());
}

void TestAgentProbe::cleanupTestCase()
{
    m_site.stop();
}

void TestAgentProbe::kestrinReportsTheOffset_data()
{
    QTest::addColumn<bool>("withJobFile");
    QTest::newRow("time-probe job") << true;
    QTest::newRow("no job file") << false;
}

void TestAgentProbe::kestrinReportsTheOffset()
{
    QFETCH(bool, withJobFile);

    TempWorkDir dir;
    m_site.writeHostOverrides(dir.file(QStringLiteral("windowscorvane.ini")));
    if (withJobFile)
        testsupport::writeFile(dir.file(jobfiles::kJobFile), jobfiles::ComposeTimeProbeJob());

    QProcess kestrin;
    kestrin.setWorkingDirectory(dir.path());
    kestrin.setProcessChannelMode(QProcess::ForwardedChannels);
    kestrin.start(testsupport::binPath(QStringLiteral("kestrin")), {});
    QVERIFY(kestrin.waitForStarted(10000));
    // The program closes by itself once it has answered.
    QVERIFY(kestrin.waitForFinished(90000));
    QCOMPARE(kestrin.exitStatus(), QProcess::NormalExit);
    QCOMPARE(kestrin.exitCode(), 0);

    const QByteArray ack = testsupport::readFile(dir.file(jobfiles::kAckFile));
    double offsetDays = 0;
    QVERIFY2(TryTextToFloat(QString::fromLocal8Bit(ack), &offsetDays), ack.constData());
    const double offsetSeconds = offsetDays * 86400.0;
    // Local minus site: a site ahead of us gives a negative offset. The fetcher's pause
    // after the page has arrived must not count.
    QVERIFY2(qAbs(offsetSeconds + kSiteAheadSeconds) < 1.0,
             qPrintable(QStringLiteral("measured %1 s").arg(offsetSeconds)));
    QVERIFY(!ack.contains('\n') && !ack.contains(' '));
}

void TestAgentProbe::failedProbe_data()
{
    QTest::addColumn<bool>("withJobFile");
    QTest::addColumn<QByteArray>("ack");
    QTest::newRow("time-probe job") << true << QByteArray("--eBayTime--");
    QTest::newRow("no job file") << false << QByteArray();
}

void TestAgentProbe::failedProbe()
{
    QFETCH(bool, withJobFile);
    QFETCH(QByteArray, ack);

    TempWorkDir dir;
    testsupport::writeFile(dir.file(QStringLiteral("windowscorvane.ini")),
                           QStringLiteral("[site]\r\ntime=http://127.0.0.1:%1\r\n")
                               .arg(testsupport::unusedPort())
                               .toUtf8());
    if (withJobFile)
        testsupport::writeFile(dir.file(jobfiles::kJobFile), jobfiles::ComposeTimeProbeJob());

    TfrmZazAza utility;
    frmZazAza = &utility;
    SetFetchPauseForTesting(0);
    QStringList messages;
    QStringList errors;
    bool ackBeforeMessage = false;
    MessageHooks hooks;
    hooks.message = [&](const QString &text) {
        // The answer is written only once the user has closed the box.
        ackBeforeMessage = QFile::exists(dir.file(jobfiles::kAckFile));
        messages.append(text);
    };
    hooks.error = [&](const QString &text) { errors.append(text); };
    SetMessageHooksForTesting(hooks);

    {
        BrowserDouble bro;
        TfrmMn window(&bro);
        window.show();
        // Showing the window starts the job; the probe closes the window when it is done.
        QTRY_VERIFY_WITH_TIMEOUT(!window.isVisible(), 30000);
    }

    SetMessageHooksForTesting({});
    SetFetchPauseForTesting(-1);
    frmZazAza = nullptr;

    QCOMPARE(messages, QStringList{QStringLiteral(
                           "Could not reach eBay site.  Program restart required.  Verify you are "
                           "not behind a firewall and or connected to the Internet. Message ID 4677.")});
    QVERIFY(!ackBeforeMessage);
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QLatin1Char('\n'))));
    QVERIFY(QFile::exists(dir.file(jobfiles::kAckFile)));
    QCOMPARE(testsupport::readFile(dir.file(jobfiles::kAckFile)), ack);
}

QTEST_MAIN(TestAgentProbe)
#include "tst_agentprobe.moc"
