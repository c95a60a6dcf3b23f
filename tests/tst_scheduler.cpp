#include "Unit3.h"
#include "browserdouble.h"
#include "datetime.h"
#include "jobfiles.h"
#include "listview.h"
#include "messages.h"
#include "numbertext.h"
#include "scheduler.h"
#include "testsupport.h"
#include "trackedauction.h"
#include "zazaza.h"

#include <QDir>
#include <QLineEdit>
#include <QTreeWidget>
#include <QtTest>

using namespace testsupport;

namespace {

const double kNow = EncodeDateTime(2026, 12, 11, 12, 0, 0);
double g_now = kNow;
double fixedClock() { return g_now; }

// A row whose bid moment lies bidInSeconds from now; its end 30 s later.
GridRow auction(const QString &id, const QString &amount, double bidInSeconds,
                const QString &launched = "no", const QString &ends = "1 h 0 m")
{
    const double bid = g_now + bidInSeconds * kOneSecond;
    return GridRow{id, {ends, amount, "item " + id, "09-15-08 17:45:12", launched,
                        FloatToText(bid + 30 * kOneSecond), FloatToText(bid),
                        FloatToText(bid - 360 * kOneSecond)}};
}

}  // namespace

Q_DECLARE_METATYPE(QList<GridRow>)

class TestScheduler : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { frmZazAza = new TfrmZazAza; }
    void init()
    {
        g_now = kNow;
        SetClockForTesting(&fixedClock);
        messages.clear();
        SetMessageHooksForTesting({[this](const QString &t) { messages.append(t); onMessage(); },
                                   [this](const QString &t) { messages.append(t); onMessage(); }, {}});
    }
    void cleanup()
    {
        SetClockForTesting(nullptr);
        SetMessageHooksForTesting({});
        jobfiles::SetAgentProgramForTesting(QString());
        onMessage = [] {};
    }

    void choose_data()
    {
        QTest::addColumn<QList<GridRow>>("rows");
        QTest::addColumn<QString>("chosen");  // empty: none
        QTest::addColumn<bool>("due");
        QTest::addColumn<QStringList>("unreadable");
        QTest::newRow("nothing") << QList<GridRow>{} << "" << false << QStringList{};
        QTest::newRow("earliest bid moment") << QList<GridRow>{auction("a", "5", 900), auction("b", "5", 300), auction("c", "5", 600)} << "b" << true << QStringList{};
        QTest::newRow("tie keeps the upper row") << QList<GridRow>{auction("a", "5", 300), auction("b", "5", 300)} << "a" << true << QStringList{};
        QTest::newRow("amount 0 is tracked only") << QList<GridRow>{auction("a", "0.00", 300), auction("b", "5", 900)} << "b" << false << QStringList{};
        QTest::newRow("negative amount still bids") << QList<GridRow>{auction("a", "-1", 300)} << "a" << true << QStringList{};
        QTest::newRow("launched") << QList<GridRow>{auction("a", "5", 300, "yes")} << "" << false << QStringList{};
        QTest::newRow("\"No\" is not \"no\"") << QList<GridRow>{auction("a", "5", 300, "No")} << "" << false << QStringList{};
        QTest::newRow("ended") << QList<GridRow>{auction("a", "5", 300, "no", "ended")} << "" << false << QStringList{};
        QTest::newRow("launch moment equal to now is not due") << QList<GridRow>{auction("a", "5", 360)} << "a" << false << QStringList{};
        QTest::newRow("launch moment a second ago is due") << QList<GridRow>{auction("a", "5", 359)} << "a" << true << QStringList{};
        QTest::newRow("earliest not due holds the tick") << QList<GridRow>{auction("a", "5", 400), auction("b", "5", 500)} << "a" << false << QStringList{};
        GridRow badAmount = auction("bad", "12,50", 100);
        GridRow badMoment = auction("worse", "5", 100);
        badMoment.subItems[col::BidMoment] = "soon";
        QTest::newRow("unreadable rows are passed over")
            << QList<GridRow>{badAmount, badMoment, auction("good", "5", 300)} << "good" << true << QStringList{"bad", "worse"};
    }
    void choose()
    {
        QFETCH(QList<GridRow>, rows);
        QFETCH(QString, chosen);
        QFETCH(bool, due);
        QFETCH(QStringList, unreadable);
        QTreeWidget grid;
        SetListViewRows(&grid, rows);
        const AuctionChoice choice = ChooseNextAuction(&grid, g_now);
        QCOMPARE(choice.found, !chosen.isEmpty());
        QCOMPARE(choice.row ? choice.row->text(0) : QString(), chosen);
        QCOMPARE(choice.launchDue, due);
        QCOMPARE(choice.unreadable, unreadable);
    }

    // Every due row goes in the same tick, the upper one first, each with its own job file;
    // the grid is saved with their "yes" at once.
    void tickLaunchesEveryDueRow()
    {
        TempWorkDir dir;
        useRecordingAgent(dir);
        BrowserDouble bro;
        TfrmMn w(&bro);
        w.edtEbId->setText("alice");
        w.edtEbPswrd->setText("");
        SetListViewRows(w.Grid, {auction("1", "5", 300), auction("2", "0", 100), auction("3", "7.5", 300),
                                 auction("4", "9", 3600)});
        w.tmrTimer();
        QCOMPARE(launchedFlags(w), (QStringList{"yes", "no", "yes", "no"}));
        const QStringList jobs = QDir().entryList({"job-*"}, QDir::Files, QDir::Name);
        QCOMPARE(jobs.size(), 2);
        const QString bid = FloatToText(g_now + 300 * kOneSecond);
        QCOMPARE(readFile(jobs[0]), jobfiles::ComposeBidJob({"item 1", bid, "alice", "", "5", "1"}));
        QCOMPARE(readFile(jobs[1]), jobfiles::ComposeBidJob({"item 3", bid, "alice", "", "7.5", "3"}));
        QVERIFY(readFile("Grid.grd").contains(">>c<<3\r\n>>s<<5 m\r\n>>s<<7.5\r\n>>s<<item 3\r\n>>s<<09-15-08 17:45:12\r\n>>s<<yes\r\n"));
        QVERIFY(messages.isEmpty());

        w.tmrTimer();  // nothing more is due
        QCOMPARE(QDir().entryList({"job-*"}, QDir::Files).size(), 2);
    }

    // One unreadable row is named once per run and holds up nobody.
    void unreadableRowIsReportedOnce()
    {
        TempWorkDir dir;
        useRecordingAgent(dir);
        BrowserDouble bro;
        TfrmMn w(&bro);
        GridRow bad = auction("77", "5", 100);
        bad.subItems[col::EndMoment] = "x";
        SetListViewRows(w.Grid, {bad, auction("78", "5", 100)});
        w.tmrTimer();
        QCOMPARE(launchedFlags(w), (QStringList{"no", "yes"}));
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages.first().contains("77"));
        w.tmrTimer();
        QCOMPARE(messages.size(), 1);
    }

    // An agent that cannot be started is reported with the auction and the reason; the row
    // stays launched.
    void missingAgentIsReported()
    {
        TempWorkDir dir;
        jobfiles::SetAgentProgramForTesting(dir.file("no-such-agent"));
        BrowserDouble bro;
        TfrmMn w(&bro);
        SetListViewRows(w.Grid, {auction("55", "5", 100)});
        w.tmrTimer();
        QCOMPARE(launchedFlags(w), QStringList{"yes"});
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages.first().contains("55"));
        QVERIFY(messages.first().contains("not found"));
        QVERIFY(QFile::exists("BID.TDL"));
    }

    // A tick whose message box is still open lets no other tick run meanwhile.
    void ticksDoNotOverlap()
    {
        TempWorkDir dir;
        useRecordingAgent(dir);
        BrowserDouble bro;
        TfrmMn w(&bro);
        GridRow bad = auction("9", "abc", 100);
        SetListViewRows(w.Grid, {bad, auction("10", "5", 100)});
        int nested = 0;
        onMessage = [&] { ++nested; w.tmrTimer(); };  // the timer fires while the box is open
        w.tmrTimer();
        QCOMPARE(nested, 1);
        QCOMPARE(QDir().entryList({"job-*"}, QDir::Files).size(), 1);
    }

    // The override sends the selected row as it stands, whatever it holds, and marks nothing.
    void overrideSendsSelectedRow()
    {
        TempWorkDir dir;
        useRecordingAgent(dir);
        BrowserDouble bro;
        TfrmMn w(&bro);
        GridRow ended = auction("5", "0", -100, "yes", "ended");
        ended.subItems[col::BidMoment] = "39522.5";
        SetListViewRows(w.Grid, {ended});
        w.LaunchKestrinNowOverride1Click();
        QCOMPARE(messages, QStringList{"You must select an item."});
        QVERIFY(!QFile::exists("BID.TDL"));

        w.Grid->setCurrentItem(w.Grid->topLevelItem(0));
        w.LaunchKestrinNowOverride1Click();
        QCOMPARE(readFile("BID.TDL"), jobfiles::ComposeBidJob({"item 5", "39522.5", "", "", "0", "5"}));
        QCOMPARE(launchedFlags(w), QStringList{"yes"});
        QCOMPARE(SubItem(w.Grid->topLevelItem(0), col::Ends), QStringLiteral("ended"));
    }

private:
    // An agent that keeps a numbered copy of the job file it was started for.
    static void useRecordingAgent(const TempWorkDir &dir)
    {
        const QString script = dir.file("record-agent");
        writeFile(script, "#!/bin/sh\nn=$(ls job-* 2>/dev/null | wc -l)\ncp BID.TDL job-$n\n");
        QFile::setPermissions(script, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        jobfiles::SetAgentProgramForTesting(script);
    }
    static QStringList launchedFlags(const TfrmMn &w)
    {
        QStringList flags;
        for (int i = 0; i < w.Grid->topLevelItemCount(); ++i)
            flags.append(SubItem(w.Grid->topLevelItem(i), col::HasLaunched));
        return flags;
    }

    QStringList messages;
    std::function<void()> onMessage = [] {};
};

QTEST_MAIN(TestScheduler)
#include "tst_scheduler.moc"
