#include "datetime.h"
#include "endtimes.h"
#include "errors.h"
#include "listview.h"
#include "numbertext.h"
#include "trackedauction.h"

#include <QTreeWidget>
#include <QtTest>

using namespace trackedauction;

namespace {

double g_now = 0;
double fixedClock() { return g_now; }

const double kMs = 1.0 / 86400000.0;

QTime localTime(const QString &numberText)
{
    return FromDateTime(TextToFloat(numberText)).time();
}

GridRow row(const QString &id, const QString &ends, const QString &endsMoment)
{
    return {id, {ends, text::ZeroAmount, "item " + id, "09-15-08 12:00:00", text::No, endsMoment,
                 "0", "0"}};
}

}  // namespace

class TestEndTimes : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { SetClockForTesting(nullptr); }

    void moments_data()
    {
        QTest::addColumn<double>("clockOffset");
        QTest::addColumn<QString>("bidOffset");
        QTest::addColumn<QTime>("bid");
        QTest::addColumn<QTime>("launch");
        QTest::newRow("+2 s, bid 30 s") << 2 * kOneSecond << "30" << QTime(11, 59, 32) << QTime(11, 53, 32);
        QTest::newRow("no clock offset") << 0.0 << "30" << QTime(11, 59, 30) << QTime(11, 53, 30);
        QTest::newRow("bid offset 0") << 2 * kOneSecond << "0" << QTime(12, 0, 2) << QTime(11, 54, 2);
        QTest::newRow("bid offset 59") << 0.0 << "59" << QTime(11, 59, 1) << QTime(11, 53, 1);
        QTest::newRow("local clock behind") << -3600 * kOneSecond << "5" << QTime(10, 59, 55) << QTime(10, 53, 55);
    }
    void moments()
    {
        QFETCH(double, clockOffset);
        QFETCH(QString, bidOffset);
        QFETCH(QTime, bid);
        QFETCH(QTime, launch);
        const double end = EncodeDateTime(2008, 9, 15, 12, 0, 0);
        const AuctionMoments m = ComputeMoments(end, clockOffset, bidOffset);
        // The end keeps the site's time; only the bid and launch moments are local.
        QCOMPARE(m.endsText, FloatToText(end));
        QCOMPARE(localTime(m.endsText), QTime(12, 0, 0));
        QCOMPARE(localTime(m.bidText), bid);
        QCOMPARE(localTime(m.launchText), launch);
        QCOMPARE(FromDateTime(m.bid).date(), QDate(2008, 9, 15));
        QCOMPARE(m.bidText, FloatToText(m.bid));
        QCOMPARE(m.launchText, FloatToText(m.launch));
        QCOMPARE(qRound64((m.bid - m.launch) / kMs), qint64(360000));
    }

    void bidOffsetRefused_data()
    {
        QTest::addColumn<QString>("text");
        for (const char *text : {"", "abc", "-1", "60", "1.5", " 30", "30 ", "+5", "0x1F",
                                 "99999999999", "\xd9\xa3"})  // the last: an Arabic-Indic 3
            QTest::newRow(qPrintable(QStringLiteral("\"%1\"").arg(QString::fromUtf8(text))))
                << QString::fromUtf8(text);
    }
    void bidOffsetRefused()
    {
        QFETCH(QString, text);
        try {
            ComputeMoments(40000, 0, text);
            QFAIL("accepted");
        } catch (const CorvaneError &e) {
            QCOMPARE(e.message(),
                     QStringLiteral("The bid offset must be a whole number of seconds from 0 to 59 "
                                    "(Options tab); it is now \"%1\".").arg(text));
        }
    }

    void bidOffsetAccepted()
    {
        const QList<QPair<QString, int>> cases = {{"0", 0}, {"30", 30}, {"59", 59}, {"07", 7}};
        for (const auto &c : cases)
            QCOMPARE(BidOffsetSeconds(c.first), c.second);
    }

    void remainingTime_data()
    {
        QTest::addColumn<double>("span");  // target minus now, in days
        QTest::addColumn<QString>("text");
        QTest::newRow("now") << 0.0 << "0 m";
        QTest::newRow("1 ms before") << -kMs << "ended";
        QTest::newRow("under half a ms before") << -0.4 * kMs << "0 m";
        QTest::newRow("a day before") << -1.0 << "ended";
        QTest::newRow("59.9 s") << 59900 * kMs << "0 m";
        QTest::newRow("1 min") << Duration(0, 1, 0) << "1 m";
        QTest::newRow("59 min 59.9 s") << Duration(0, 59, 59) + 900 * kMs << "59 m";
        QTest::newRow("60 min") << Duration(1, 0, 0) << "1 h 0 m";
        QTest::newRow("30 h 5 m") << Duration(30, 5, 0) << "30 h 5 m";
        QTest::newRow("3 days 2 h 7 m 59 s") << Duration(74, 7, 59) << "74 h 7 m";
    }
    void remainingTime()
    {
        QFETCH(double, span);
        QFETCH(QString, text);
        const double now = EncodeDateTime(2008, 9, 15, 11, 0, 0, 250);
        QCOMPARE(RemainingTimeText(now + span, now), text);
    }

    // Through the grid: the end comes back from its number text and the clock offset is added.
    void calcEnds_data()
    {
        QTest::addColumn<double>("endMinusNow");
        QTest::addColumn<double>("clockOffset");
        QTest::addColumn<QString>("ends");
        QTest::newRow("equal") << 0.0 << 0.0 << "0 m";
        QTest::newRow("1 ms before") << -kMs << 0.0 << "ended";
        QTest::newRow("59 min 59.9 s") << Duration(0, 59, 59) + 900 * kMs << 0.0 << "59 m";
        QTest::newRow("60 min") << Duration(1, 0, 0) << 0.0 << "1 h 0 m";
        QTest::newRow("30 h 5 m") << Duration(30, 5, 0) << 0.0 << "30 h 5 m";
        QTest::newRow("under a minute") << 30 * kOneSecond << 0.0 << "0 m";
        QTest::newRow("offset brings it back") << -Duration(0, 30, 0) << Duration(1, 0, 0) << "30 m";
        QTest::newRow("offset makes it ended") << Duration(0, 30, 0) << -Duration(1, 0, 0) << "ended";
    }
    void calcEnds()
    {
        QFETCH(double, endMinusNow);
        QFETCH(double, clockOffset);
        QFETCH(QString, ends);
        g_now = EncodeDateTime(2008, 9, 15, 11, 0, 0);
        SetClockForTesting(&fixedClock);
        QTreeWidget grid;
        grid.setColumnCount(kColumnCount);
        SetListViewRows(&grid, {row("1", text::NotCalculated, FloatToText(g_now + endMinusNow))});
        CalcEnds(&grid, clockOffset);
        QCOMPARE(SubItem(grid.topLevelItem(0), col::Ends), ends);
    }

    void endedRowsNeverRecomputed()
    {
        g_now = EncodeDateTime(2008, 9, 15, 11, 0, 0);
        SetClockForTesting(&fixedClock);
        QTreeWidget grid;
        grid.setColumnCount(kColumnCount);
        // Neither a future end nor an unreadable one is looked at once a row reads "ended".
        SetListViewRows(&grid, {row("1", text::Ended, FloatToText(g_now + 1)),
                                row("2", text::Ended, "not a number"),
                                row("3", "Ended", FloatToText(g_now + Duration(2, 0, 0)))});
        CalcEnds(&grid, 0);
        QCOMPARE(SubItem(grid.topLevelItem(0), col::Ends), text::Ended);
        QCOMPARE(SubItem(grid.topLevelItem(1), col::Ends), text::Ended);
        QCOMPARE(SubItem(grid.topLevelItem(2), col::Ends), QStringLiteral("2 h 0 m"));
    }

    void unreadableRowStopsTheRefresh()
    {
        g_now = EncodeDateTime(2008, 9, 15, 11, 0, 0);
        SetClockForTesting(&fixedClock);
        QTreeWidget grid;
        grid.setColumnCount(kColumnCount);
        SetListViewRows(&grid, {row("1", text::NotCalculated, FloatToText(g_now + Duration(0, 5, 0))),
                                row("2", text::NotCalculated, "12,5"),
                                row("3", text::NotCalculated, FloatToText(g_now + Duration(0, 7, 0)))});
        QVERIFY_THROWS_EXCEPTION(ConvertError, CalcEnds(&grid, 0));
        QCOMPARE(SubItem(grid.topLevelItem(0), col::Ends), QStringLiteral("5 m"));
        QCOMPARE(SubItem(grid.topLevelItem(1), col::Ends), text::NotCalculated);
        QCOMPARE(SubItem(grid.topLevelItem(2), col::Ends), text::NotCalculated);
    }

    // The clock is read afresh for every row.
    void clockReadPerRow()
    {
        static int calls = 0;
        calls = 0;
        g_now = EncodeDateTime(2008, 9, 15, 11, 0, 0);
        SetClockForTesting([] { return g_now + Duration(0, 10, 0) * calls++; });
        QTreeWidget grid;
        grid.setColumnCount(kColumnCount);
        const QString end = FloatToText(g_now + Duration(0, 25, 0));
        SetListViewRows(&grid, {row("1", "", end), row("2", "", end), row("3", "", end)});
        CalcEnds(&grid, 0);
        QCOMPARE(SubItem(grid.topLevelItem(0), col::Ends), QStringLiteral("25 m"));
        QCOMPARE(SubItem(grid.topLevelItem(1), col::Ends), QStringLiteral("15 m"));
        QCOMPARE(SubItem(grid.topLevelItem(2), col::Ends), QStringLiteral("5 m"));
    }
};

QTEST_MAIN(TestEndTimes)
#include "tst_endtimes.moc"
