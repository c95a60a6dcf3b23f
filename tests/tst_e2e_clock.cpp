// The tracker's start-up and scheduler with the real kestrin against the practice site.
#include "Unit3.h"
#include "browserdouble.h"
#include "corvaneSplash.h"
#include "datetime.h"
#include "jobfiles.h"
#include "listview.h"
#include "messages.h"
#include "numbertext.h"
#include "practicesiteprocess.h"
#include "testsupport.h"
#include "trackedauction.h"
#include "zazaza.h"

#include <QLineEdit>
#include <QTabWidget>
#include <QTimeZone>
#include <QTreeWidget>
#include <QtTest>

using namespace testsupport;

class TestE2eClock : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        messages.clear();
        SetMessageHooksForTesting({[this](const QString &t) { messages.append(t); },
                                   [this](const QString &t) { messages.append(t); }, {}});
        if (!frmZazAza)
            frmZazAza = new TfrmZazAza;
    }
    void cleanup()
    {
        SetMessageHooksForTesting({});
        jobfiles::SetAgentProgramForTesting(QString());
    }

    // Start-up writes the time-probe job, starts the real agent, reads its answer and shows
    // the main window with the measured offset (site 37 s ahead: offset -37 s).
    void startupMeasuresClockOffset()
    {
        TempWorkDir dir;
        ProcessReaper reaper(dir.path(), "kestrin");
        PracticeSiteProcess site;
        QVERIFY(site.start({"--offset", "37", "--zone", QString::fromLatin1(QTimeZone::systemTimeZoneId())}));
        site.writeHostOverrides("windowscorvane.ini");
        writeNoTips();

        BrowserDouble bro;
        TfrmMn main(&bro);
        TfrmCorvaneSplsh splash(&main);
        splash.show();
        QTRY_VERIFY_WITH_TIMEOUT(main.isVisible(), 60000);
        QVERIFY(!splash.isVisible());
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
        QCOMPARE(readFile("BID.TDL"), QByteArray("--eBayTime--"));
        QVERIFY(!QFile::exists("BID.ACK"));
        const double seconds = main.clockOffset * 86400;
        QVERIFY2(qAbs(seconds + 37) < 1.0, qPrintable(QString::number(seconds)));
        QVERIFY(site.requestLog().contains("EbayTime"));
    }

    // An agent that cannot be started is a failed measurement, not a wait without end.
    void startupWithoutAgentShowsMainWindow()
    {
        TempWorkDir dir;
        jobfiles::SetAgentProgramForTesting(dir.file("no-such-kestrin"));
        expectFailedStartup();
    }

    // An acknowledgement that is not a number (the agent failed) is reported; offset 0.
    void failedProbeAnswerIsReported()
    {
        TempWorkDir dir;
        writeFile("BID.ACK", "--eBayTime--");
        jobfiles::SetAgentProgramForTesting("/bin/true");
        expectFailedStartup();
        QVERIFY(!QFile::exists("BID.ACK"));
    }

    // A tick with a due row marks it, saves the grid, writes the bid job and starts the real
    // agent, which goes for the bid page on the practice site.
    void tickStartsAgentForDueRow()
    {
        TempWorkDir dir;
        ProcessReaper reaper(dir.path(), "kestrin");
        PracticeSiteProcess site;
        QVERIFY(site.start({"--zone", QString::fromLatin1(QTimeZone::systemTimeZoneId())}));
        site.writeHostOverrides("windowscorvane.ini");
        writeNoTips();
        const QString item = site.createAuction("Brass telescope", 600);
        QVERIFY(!item.isEmpty());

        BrowserDouble bro;
        TfrmMn main(&bro);
        main.edtEbId->setText("alice");
        main.edtEbPswrd->setText("secret");
        const double bid = Now() + 300 * kOneSecond;  // due: launch moment 1 minute ago
        SetListViewRows(main.Grid, {
            row("1", "0", "Tracked only", bid - 200 * kOneSecond),
            row(item, "25.00", "Brass telescope", bid),
        });
        main.tmrTimer();

        QCOMPARE(SubItem(main.Grid->topLevelItem(1), col::HasLaunched), QStringLiteral("yes"));
        QCOMPARE(SubItem(main.Grid->topLevelItem(0), col::HasLaunched), QStringLiteral("no"));
        const QList<QByteArray> lines = readFile("BID.TDL").split('\n');
        QCOMPARE(lines.size(), 7);
        QCOMPARE(lines[0], QByteArray("--autoBid--\r"));
        QCOMPARE(lines[1], QByteArray("Brass telescope\r"));
        QCOMPARE(lines[2], FloatToText(bid).toLatin1() + '\r');
        QCOMPARE(lines[3], QByteArray("alice\r"));
        QCOMPARE(lines[4], QByteArray("secret\r"));
        QCOMPARE(lines[5], QByteArray("25.00\r"));
        QCOMPARE(lines[6], item.toLatin1());
        QVERIFY(readFile("Grid.grd").contains(">>s<<yes"));  // survives a crash
        QVERIFY(messages.isEmpty());

        // The agent's first countdown tick asks for the bid page of this item and amount.
        QTRY_VERIFY_WITH_TIMEOUT(site.requestLog().contains("MfcISAPICommand=MakeBid&item=" + item.toLatin1()), 30000);
        QVERIFY(site.requestLog().contains("maxbid=25.00"));
    }

private:
    // Start-up in the current directory ends with the failure message and offset 0.
    void expectFailedStartup()
    {
        writeNoTips();
        BrowserDouble bro;
        TfrmMn main(&bro);
        TfrmCorvaneSplsh splash(&main);
        splash.show();
        QTRY_VERIFY_WITH_TIMEOUT(main.isVisible(), 20000);
        QCOMPARE(messages, QStringList{kSyncFailedMessage});
        QCOMPARE(main.clockOffset, 0.0);
    }

    static void writeNoTips()
    {
        QFile f("windowscorvane.ini");
        QVERIFY(f.open(QIODevice::Append));
        f.write("[main]\r\nshwTip=0\r\n");
    }
    static GridRow row(const QString &id, const QString &amount, const QString &description, double bid)
    {
        return GridRow{id, {"1 h 0 m", amount, description, "12-11-26 10:00:00", "no",
                            FloatToText(bid + 30 * kOneSecond), FloatToText(bid),
                            FloatToText(bid - 360 * kOneSecond)}};
    }

    QStringList messages;
};

QTEST_MAIN(TestE2eClock)
#include "tst_e2e_clock.moc"
