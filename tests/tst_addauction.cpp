#include "Unit3.h"
#include "addauction.h"
#include "browserdouble.h"
#include "datetext.h"
#include "datetime.h"
#include "errors.h"
#include "listview.h"
#include "messages.h"
#include "numbertext.h"
#include "testsupport.h"
#include "trackedauction.h"
#include "zazaza.h"

#include <QLineEdit>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

using namespace testsupport;

namespace {
const QString kLampTitle = "Desk lamp - eBay (item 123456789 end time Sep-15-08 17:45:12 PDT)";
double fixedClock() { return EncodeDateTime(2008, 9, 15, 12, 0, 0); }
}

class TestAddAuction : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { frmZazAza = new TfrmZazAza; }
    void init()
    {
        messages.clear();
        SetMessageHooksForTesting({[this](const QString &t) { messages.append(t); },
                                   [this](const QString &t) { messages.append("error: " + t); }, {}});
        SetClockForTesting(&fixedClock);
    }
    void cleanup()
    {
        SetMessageHooksForTesting({});
        SetClockForTesting(nullptr);
    }

    void cutsTitle_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("endText");
        QTest::newRow("item page") << kLampTitle << "Desk lamp" << "123456789" << "09-15-08 17:45:12";
        QTest::newRow("no zone") << "Pen - eBay (item 42 end time Jan-02-27 08:00:00" << "Pen" << "42" << "01-02-27 08:00:00";
        QTest::newRow("no item marker") << "ABCDEFGHIJKL12345 end time Dec-31-26 23:59:59 PST)" << "" << "12345" << "12-31-26 23:59:59";
    }
    void cutsTitle()
    {
        QFETCH(QString, title);
        QFETCH(QString, description);
        QFETCH(QString, id);
        QFETCH(QString, endText);
        const ItemPageValues v = ExtractItemPageValues(title);
        QCOMPARE(v.description, description);
        QCOMPARE(v.auctionId, id);
        QCOMPARE(v.endText, endText);
        QCOMPARE(v.endMoment, DateTextToDateTime(endText));
    }

    void refusesTitle_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("error");
        QTest::newRow("month in capitals") << "Desk lamp - eBay (item 1 end time SEP-15-08 17:45:12 PDT)" << "'' is not a valid integer value";
        QTest::newRow("no end time") << "Desk lamp - eBay (item 1)" << "'' is not a valid integer value";
        QTest::newRow("search page") << "Practice auctions: search" << "'' is not a valid integer value";
        QTest::newRow("impossible date") << "Lamp - eBay (item 1 end time Feb-30-08 17:45:12 PDT)" << "";
        QTest::newRow("empty title") << "" << "'' is not a valid integer value";
    }
    void refusesTitle()
    {
        QFETCH(QString, title);
        QFETCH(QString, error);
        try {
            ExtractItemPageValues(title);
            QFAIL("no error");
        } catch (const ConvertError &e) {
            if (!error.isEmpty())
                QCOMPARE(e.message(), error);
        }
    }

    // The add through the window: the row, its moments, the saved grid and the tab.
    void addsRow()
    {
        TempWorkDir dir;
        BrowserDouble bro;
        TfrmMn w(&bro);
        w.clockOffset = 2 * kOneSecond;
        w.edtOfst->setText("30");
        w.SelectPage(1);
        bro.ShowPage(kLampTitle);
        w.btnAddClick();
        QCOMPARE(messages, QStringList{"Item added.  Right click to enter a snipe bid amount."});
        QCOMPARE(w.pgCntrl->currentIndex(), 0);
        QCOMPARE(w.Grid->topLevelItemCount(), 1);
        const GridRow row = ListViewRows(w.Grid).first();
        const double end = EncodeDateTime(2008, 9, 15, 17, 45, 12);
        const double bid = end + 2 * kOneSecond - 30 * kOneSecond;
        QCOMPARE(row.caption, QStringLiteral("123456789"));
        QCOMPARE(row.subItems.mid(0, 5), (QStringList{"5 h 45 m", "0.00", "Desk lamp", "09-15-08 17:45:12", "no"}));
        QCOMPARE(row.subItems.size(), 8);
        QCOMPARE(TextToFloat(row.subItems[col::EndMoment]), end);
        QVERIFY(qAbs(TextToFloat(row.subItems[col::BidMoment]) - bid) < 1e-9);
        QVERIFY(qAbs(TextToFloat(row.subItems[col::LaunchMoment]) - (bid - 360 * kOneSecond)) < 1e-9);
        QVERIFY(qAbs(w.bidMoment - bid) < 1e-9);
        const QByteArray saved = readFile("Grid.grd");
        QVERIFY(saved.startsWith(">>c<<123456789\r\n>>s<<99:99\r\n>>s<<0.00\r\n>>s<<Desk lamp\r\n"));

        // The same item again: refused, nothing changes.
        messages.clear();
        w.SelectPage(1);
        w.btnAddClick();
        QCOMPARE(messages, QStringList{"Item already in grid."});
        QCOMPARE(w.Grid->topLevelItemCount(), 1);
        QCOMPARE(w.pgCntrl->currentIndex(), 1);
        QCOMPARE(readFile("Grid.grd"), saved);
    }

    // A bid offset that is not 0 to 59 whole seconds, or a page that is no item page,
    // leaves no row and no file behind.
    void refusesWithoutLeavingRow_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("offset");
        QTest::newRow("offset letters") << kLampTitle << "abc";
        QTest::newRow("offset 60") << kLampTitle << "60";
        QTest::newRow("offset negative") << kLampTitle << "-1";
        QTest::newRow("offset empty") << kLampTitle << "";
        QTest::newRow("search page") << "Practice auctions: search" << "30";
    }
    void refusesWithoutLeavingRow()
    {
        QFETCH(QString, title);
        QFETCH(QString, offset);
        TempWorkDir dir;
        BrowserDouble bro;
        TfrmMn w(&bro);
        w.edtOfst->setText(offset);
        bro.ShowPage(title);
        w.btnAddClick();
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages.first().startsWith("error: "));
        QCOMPARE(w.Grid->topLevelItemCount(), 0);
        QVERIFY(!QFile::exists("Grid.grd"));
    }

private:
    QStringList messages;
};

QTEST_MAIN(TestAddAuction)
#include "tst_addauction.moc"
