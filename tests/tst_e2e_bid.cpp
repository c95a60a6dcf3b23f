// One auction's whole road with the real programs: the tracker's browser opens an item page
// of the practice site, "Add" puts it in the grid, a scheduler tick starts the real kestrin,
// which signs in and confirms the bid a few seconds before the bid moment.
#include "Unit3.h"
#include "browser.h"
#include "datetime.h"
#include "listview.h"
#include "messages.h"
#include "numbertext.h"
#include "practicesiteprocess.h"
#include "settings.h"
#include "testsupport.h"
#include "trackedauction.h"
#include "zazaza.h"

#include <QSignalSpy>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimeZone>
#include <QTreeWidget>
#include <QtTest>

using namespace testsupport;

class TestE2eBid : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        frmZazAza = new TfrmZazAza;
    }
    void cleanup() { SetMessageHooksForTesting({}); }

    void fromItemPageToRecordedBid()
    {
        TempWorkDir dir;
        ProcessReaper reaper(dir.path(), "kestrin");
        PracticeSiteProcess site;
        // The site shows its clock in our zone and in step with ours, so the clock offset is 0.
        QVERIFY(site.start({"--zone", QString::fromLatin1(QTimeZone::systemTimeZoneId()),
                            "--user", "alice", "--password", "s3cret pass"}));
        site.writeHostOverrides("windowscorvane.ini");
        const int bidOffset = 30;
        const QString item = site.createAuction("Fountain pen", bidOffset + 22);
        QVERIFY(!item.isEmpty());

        QStringList messages;
        SetMessageHooksForTesting({[&](const QString &t) { messages.append(t); },
                                   [&](const QString &t) { messages.append("error: " + t); },
                                   [](const QString &, const QString &, const QString &) { return QStringLiteral("12.50"); }});

        TfrmMn main;  // with its own Qt WebEngine browser
        main.clockOffset = 0;
        main.edtOfst->setText(QString::number(bidOffset));
        main.edtEbId->setText("alice");
        main.edtEbPswrd->setText("s3cret pass");
        main.resize(670, 265);

        QSignalSpy loaded(main.bro, &Browser::DocumentComplete);
        main.bro->Navigate(siteaddress::ItemView(SiteHosts::Load(), item));
        QVERIFY(loaded.wait(30000));
        QTRY_VERIFY_WITH_TIMEOUT(main.bro->Title().contains(" end time "), 10000);

        main.btnAddClick();
        QCOMPARE(messages, QStringList{"Item added.  Right click to enter a snipe bid amount."});
        QCOMPARE(main.pgCntrl->currentIndex(), 0);
        QCOMPARE(main.Grid->topLevelItemCount(), 1);
        QTreeWidgetItem *added = main.Grid->topLevelItem(0);
        QCOMPARE(added->text(0), item);
        QCOMPARE(SubItem(added, col::Description), QStringLiteral("Fountain pen"));
        QVERIFY(SubItem(added, col::Ends) != QStringLiteral("99:99"));
        QVERIFY(readFile("Grid.grd").contains(">>c<<" + item.toLatin1()));

        main.Grid->setCurrentItem(added);
        main.ChangeSnipeAmountForSelected1Click();
        QCOMPARE(SubItem(added, col::Amount), QStringLiteral("12.50"));

        const double bidMoment = TextToFloat(SubItem(added, col::BidMoment));
        main.tmrTimer();
        QCOMPARE(SubItem(added, col::HasLaunched), QStringLiteral("yes"));

        // The agent signs in and confirms; wait past the bid moment for the site's record.
        const double waitMs = (bidMoment - Now()) * 86400000.0 + 15000;
        QTRY_VERIFY_WITH_TIMEOUT(hasBid(site), int(waitMs));
        const QList<SiteRecord> records = site.records();
        int signIns = 0, bids = 0;
        for (const SiteRecord &r : records) {
            if (r.kind == "signin") {
                ++signIns;
                QCOMPARE(r.userId, QStringLiteral("alice"));
            } else if (r.kind == "bid") {
                ++bids;
                QCOMPARE(r.item, item);
                QCOMPARE(r.amount, QStringLiteral("12.50"));
                // Confirmed between 4 and 1 seconds before the bid moment on the site's clock
                // (the end as the item page states it, in whole seconds, less the bid offset).
                const double received = ToDateTime(QDateTime::fromString(r.siteTime, "yyyy-MM-dd hh:mm:ss.zzz"));
                const double siteBidMoment = TextToFloat(SubItem(added, col::EndMoment)) - bidOffset * kOneSecond;
                const double beforeBidMoment = (siteBidMoment - received) * 86400;
                QVERIFY2(beforeBidMoment >= 0.95 && beforeBidMoment <= 4.05,
                         qPrintable(QString::number(beforeBidMoment)));
            }
        }
        QCOMPARE(bids, 1);
        QVERIFY(signIns >= 1);
        QCOMPARE(messages.size(), 1);
    }

private:
    static bool hasBid(const PracticeSiteProcess &site)
    {
        for (const SiteRecord &r : site.records())
            if (r.kind == "bid")
                return true;
        return false;
    }
};

QTEST_MAIN(TestE2eBid)
#include "tst_e2e_bid.moc"
