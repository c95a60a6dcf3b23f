#include "Unit3.h"
#include "browserdouble.h"
#include "browser.h"
#include "datetime.h"
#include "listview.h"
#include "jobfiles.h"
#include "messages.h"
#include "numbertext.h"
#include "settings.h"
#include "systemopen.h"
#include "testsupport.h"
#include "texthelpers.h"
#include "trackedauction.h"
#include "zazaza.h"

#include <QCheckBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

using namespace trackedauction;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

// Counts the mouse presses that reach one widget, by button.
class PressSpy : public QObject {
public:
    explicit PressSpy(QWidget *target) { target->installEventFilter(this); }
    int right = 0;
    int left = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
            const auto button = static_cast<QMouseEvent *>(event)->button();
            if (button == Qt::RightButton)
                ++right;
            else if (button == Qt::LeftButton)
                ++left;
        }
        return false;
    }
};

double g_now = 0;
double fixedClock() { return g_now; }

const QByteArray kOptionsSaved = "Options saved.  Message ID 18744";
const QString kHint = QStringLiteral(
    "To add an auction: browse to the eBay auction and click  the ADD button.  The program will "
    "need to access the Internet to visit the eBay site, click ALLOW THIS PROGRAM if a window "
    "appears.\t");

// A grid file row: caption, "ends", "amount", end moment relative to the fixed clock.
QByteArray gridFileRow(const QString &id, const QString &ends, const QString &amount,
                       const QString &endMoment)
{
    QStringList lines = {">>c<<" + id, ">>s<<" + ends, ">>s<<" + amount, ">>s<<item " + id,
                         ">>s<<09-15-08 17:45:12", ">>s<<no", ">>s<<" + endMoment,
                         ">>s<<39706.7393749999", ">>s<<39706.7352083333"};
    return lines.join("\r\n").toLatin1() + "\r\n";
}

QStringList idsAndAmounts(const QTreeWidget *grid)
{
    QStringList out;
    for (int i = 0; i < grid->topLevelItemCount(); ++i)
        out.append(grid->topLevelItem(i)->text(0) + "|" + SubItem(grid->topLevelItem(i), col::Amount));
    return out;
}

QAction *actionNamed(const QMenu *menu, const QString &name)
{
    for (QAction *a : menu->actions()) {
        if (a->objectName() == name)
            return a;
    }
    return nullptr;
}

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

    QStringList messages;
    QStringList errors;
    QStringList prompts;
    QString answer;
    QList<QUrl> opened;

    std::unique_ptr<TfrmMn> openWindow(testsupport::BrowserDouble *browser)
    {
        auto w = std::make_unique<TfrmMn>(browser);
        w->ShowMainWindow();
        if (!QTest::qWaitForWindowExposed(w.get()))
            qWarning("window not exposed");
        return w;
    }

private slots:
    void initTestCase() { frmZazAza = new TfrmZazAza; }
    void cleanupTestCase()
    {
        delete frmZazAza;
        frmZazAza = nullptr;
    }
    void init()
    {
        messages.clear();
        errors.clear();
        prompts.clear();
        answer.clear();
        opened.clear();
        SetMessageHooksForTesting({
            [this](const QString &t) { messages.append(t); },
            [this](const QString &t) { errors.append(t); },
            [this](const QString &title, const QString &prompt, const QString &preset) {
                prompts.append(title + "|" + prompt + "|" + preset);
                return answer;
            },
        });
        SetSystemOpenerForTesting([this](const QUrl &url) { opened.append(url); });
        jobfiles::SetAgentProgramForTesting(QStringLiteral("/bin/true"));
        g_now = EncodeDateTime(2008, 9, 15, 12, 0, 0);
        SetClockForTesting(&fixedClock);
    }
    void cleanup()
    {
        SetMessageHooksForTesting({});
        SetSystemOpenerForTesting({});
        SetClockForTesting(nullptr);
    }

    void layoutAtConstruction()
    {
        testsupport::TempWorkDir dir;
        testsupport::BrowserDouble browser;
        TfrmMn w(&browser);
        QCOMPARE(w.windowTitle(), QStringLiteral("Corvane"));
        QCOMPARE(w.size(), QSize(670, 265));
        QCOMPARE(w.pgCntrl->count(), 4);
        const QStringList tabs = {"Grid View", "Add Auction", "Options", "Help"};
        const QList<QWidget *> pages = {w.GridView, w.tsAddActn, w.tsOptns, w.tsHlp};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(w.pgCntrl->tabText(i), tabs[i]);
            QCOMPARE(w.pgCntrl->widget(i), pages[i]);
        }

        const QList<int> widths = {100, 75, 50, 300, 1, 1, 1, 1, 1, 1};
        const QStringList captions = {"auction id", "ends", "amount", "description",
                                      "Actual End Text", "Has Launched", "TDateTime Ends",
                                      "TDateTime bidmoment", "tdatetime launchmoment", ""};
        QCOMPARE(w.Grid->columnCount(), 10);
        for (int c = 0; c < 10; ++c) {
            QCOMPARE(w.Grid->headerItem()->text(c), captions[c]);
            QCOMPARE(w.Grid->header()->sectionSize(c), widths[c]);
            QCOMPARE(w.Grid->header()->sectionResizeMode(c) == QHeaderView::Fixed, c >= 4);
        }
        QVERIFY(!w.Grid->rootIsDecorated());
        QVERIFY(w.Grid->uniformRowHeights());
        QVERIFY(!w.Grid->isSortingEnabled());
        QCOMPARE(w.Grid->selectionMode(), QAbstractItemView::SingleSelection);
        QCOMPARE(w.Grid->selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(w.Grid->editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(w.Grid->toolTip(), QStringLiteral("Right Click For Additional Features"));

        // The grid's menu, in menu order.
        const QStringList names = {"ChangeSnipeAmountForSelected1", "ViewSelectedInBrowser1",
                                   "LaunchKestrinNowOverride1", "N1", "ZeroChecked1", "ZeroAll1",
                                   "N3", "DeleteChecked1", "DeleteAll1", "DeleteEnded1", "N2", "Help1"};
        const QStringList texts = {"Change Bid Amount For Selected", "View Selected In Browser",
                                   "Launch Bid Agent Now Override", "", "Zero Snipe Amount Checked",
                                   "Zero Snipe Amount  All", "", "Delete Checked", "Delete All",
                                   "Delete Ended", "", "Help"};
        const QStringList keys = {"Ctrl+B", "Ctrl+V", "Ctrl+L", "", "", "", "", "", "", "", "", "F1"};
        const QList<QAction *> actions = w.pmGd->actions();
        QCOMPARE(actions.size(), names.size());
        for (int i = 0; i < actions.size(); ++i) {
            QCOMPARE(actions[i]->objectName(), names[i]);
            QCOMPARE(actions[i]->text(), texts[i]);
            QCOMPARE(actions[i]->shortcut().toString(), keys[i]);
            QCOMPARE(actions[i]->isSeparator(), texts[i].isEmpty());
            QCOMPARE(actions[i]->isVisible(), names[i] != "LaunchKestrinNowOverride1");
        }
        QCOMPARE(w.ChangeSnipeAmountForSelected1, actions[0]);
        QCOMPARE(w.Help1, actions[11]);
        QCOMPARE(w.pmMain->actions(), QList<QAction *>{w.tmiHlp});
        QCOMPARE(w.tmiHlp->text(), QStringLiteral("Help"));
        QCOMPARE(w.tmiHlp->shortcut(), QKeySequence(Qt::Key_F1));

        QCOMPARE(w.bro, &browser);
        QCOMPARE(browser.View()->parentWidget(), w.tsAddActn);
        QCOMPARE(browser.View()->contextMenuPolicy(), Qt::NoContextMenu);
        QCOMPARE(w.btnSearch->text(), QStringLiteral("Search"));
        QCOMPARE(w.btnSearch->toolTip(), QStringLiteral("Go to eBay search page"));
        QCOMPARE(w.btnAdd->text(), QStringLiteral("Add"));
        QCOMPARE(w.btnAdd->toolTip(),
                 QStringLiteral("Add this auction to tracked items grid...click when an item is "
                                "loaded in browser..."));
        QCOMPARE(w.btnSearch->pos(), QPoint(0, 0));
        QCOMPARE(w.btnAdd->pos(), QPoint(w.btnSearch->width(), 0));

        QCOMPARE(w.edtEbId->text(), QString());
        QCOMPARE(w.edtEbPswrd->echoMode(), QLineEdit::Password);
        QCOMPARE(w.edtOfst->text(), QStringLiteral("30"));
        QVERIFY(!w.cbTips->isChecked());
        QCOMPARE(w.cbTips->text(), QStringLiteral("Show Tips At Startup"));
        QCOMPARE(w.btnSv->text(), QStringLiteral("Save"));
        QCOMPARE(w.Button1->text(), QStringLiteral(">"));
        QCOMPARE(w.lblVersion->text(), QStringLiteral("Release 1.0.7"));
        QCOMPARE(w.btnHlp->text(), QStringLiteral("Help"));
        QCOMPARE(w.btnCalcTmRmng->text(), QStringLiteral("Calc ends"));

        QCOMPARE(w.tmr->interval(), 60000);
        QVERIFY(!w.tmr->isActive());
        QCOMPARE(w.clockOffset, 0.0);
        QCOMPARE(w.endMoment, 0.0);
        QCOMPARE(w.bidMoment, 0.0);
        QVERIFY(w.pageTitle.isEmpty() && w.auctionId.isEmpty() && w.itemDescription.isEmpty()
                && w.endText.isEmpty());
        QVERIFY(w.addHintPending);
        QVERIFY(browser.navigations.isEmpty());
        QVERIFY(!QFile::exists(kGridFile));
    }

    // No settings file and no grid file: defaults, an empty grid, and the rest of the start
    // goes on as usual.
    void firstRun()
    {
        testsupport::TempWorkDir dir;
        testsupport::BrowserDouble browser;
        auto w = openWindow(&browser);
        QCOMPARE(w->pgCntrl->currentIndex(), 0);
        QCOMPARE(w->Grid->topLevelItemCount(), 0);
        QCOMPARE(browser.navigations, QStringList{siteaddress::SearchPage(SiteHosts::Load())});
        QVERIFY(w->tmr->isActive());
        QCOMPARE(w->edtEbId->text(), QString());
        QCOMPARE(w->edtEbPswrd->text(), QString());
        QCOMPARE(w->edtOfst->text(), QStringLiteral("30"));
        QVERIFY(w->cbTips->isChecked());
        QVERIFY(!w->btnCalcTmRmng->isVisible());
        QVERIFY(messages.isEmpty());
        QVERIFY(errors.isEmpty());
        QVERIFY(!QFile::exists(settings::kFileName));

        // Shown once: showing again does not run the start again.
        w->hide();
        w->ShowMainWindow();
        QCOMPARE(browser.navigations.size(), 1);

        // "Search" goes to the search page of the configured host.
        writeFile(settings::kFileName, "[site]\r\nsearch=http://127.0.0.1:9/\r\n");
        w->btnSearch->click();
        QCOMPARE(browser.navigations.last(), QStringLiteral("http://127.0.0.1:9/ws/search/AdvSearch?"));
    }

    void startWithGridFile_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("ends");
        QTest::addColumn<bool>("searchOpened");
        const QString inTwoHours = FloatToText(EncodeDateTime(2008, 9, 15, 14, 0, 0));
        const QString pastMoment = FloatToText(EncodeDateTime(2008, 9, 15, 11, 0, 0));
        QTest::newRow("readable") << gridFileRow("1", "99:99", "5", inTwoHours)
                + gridFileRow("2", "3 m", "0.00", pastMoment) + ">>e<<\r\n"
            << QStringList{"2 h 0 m", "ended"} << true;
        QTest::newRow("unreadable row stops Calc ends") << gridFileRow("1", "99:99", "5", inTwoHours)
                + gridFileRow("2", "3 m", "0.00", "soon") + gridFileRow("3", "4 m", "1", inTwoHours)
            << QStringList{"2 h 0 m", "3 m", "4 m"} << true;
    }
    void startWithGridFile()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, ends);
        QFETCH(bool, searchOpened);
        testsupport::TempWorkDir dir;
        writeFile(kGridFile, file);
        testsupport::BrowserDouble browser;
        auto w = openWindow(&browser);
        QStringList shown;
        for (int i = 0; i < w->Grid->topLevelItemCount(); ++i)
            shown.append(SubItem(w->Grid->topLevelItem(i), col::Ends));
        QCOMPARE(shown, ends);
        QCOMPARE(browser.navigations.size(), searchOpened ? 1 : 0);
        QVERIFY(w->tmr->isActive());
        QVERIFY(errors.isEmpty());
        QVERIFY(messages.isEmpty());
    }

    // A grid file that exists but cannot be read is moved aside and reported, so that the
    // next save cannot write an empty grid over it; the start goes on as on a first run.
    void unreadableGridFile()
    {
        testsupport::TempWorkDir dir;
        QVERIFY(QDir().mkdir(kGridFile));
        writeFile(settings::kFileName, "[main]\r\nebId=someone\r\n");
        testsupport::BrowserDouble browser;
        auto w = openWindow(&browser);
        QCOMPARE(w->Grid->topLevelItemCount(), 0);
        QCOMPARE(browser.navigations.size(), 1);
        QVERIFY(w->tmr->isActive());
        QCOMPARE(w->edtEbId->text(), QStringLiteral("someone"));
        QCOMPARE(errors.size(), 1);
        QVERIFY(errors.first().contains("Grid.grd.unreadable"));
        QVERIFY(QFileInfo(kGridFile + QStringLiteral(".unreadable")).isDir());
        w->close();
        QCOMPARE(readFile(kGridFile), QByteArray(">>e<<\r\n"));
    }

    void optionsSaveAndReload()
    {
        testsupport::TempWorkDir dir;
        {
            testsupport::BrowserDouble browser;
            auto w = openWindow(&browser);
            w->edtEbId->setText("buyer one");
            w->edtEbPswrd->setText("s3cret!pw");
            w->edtOfst->setText("abc");
            w->cbTips->setChecked(false);
            w->btnSv->click();
            QCOMPARE(messages, QStringList{kOptionsSaved});
            QVERIFY(errors.isEmpty());
        }
        const QByteArray ini = readFile(settings::kFileName);
        QCOMPARE(ini, "[main]\r\nebId=buyer one\r\nebPswrd=" + ScrambleText("s3cret!pw")
                          + "\r\nofst=abc\r\nshwTip=0\r\n");
        QVERIFY(!ini.contains("s3cret"));

        testsupport::BrowserDouble browser;
        auto w = openWindow(&browser);
        QCOMPARE(w->edtEbId->text(), QStringLiteral("buyer one"));
        QCOMPARE(w->edtEbPswrd->text(), QStringLiteral("s3cret!pw"));
        QCOMPARE(w->edtOfst->text(), QStringLiteral("abc"));
        QVERIFY(!w->cbTips->isChecked());
    }

    void saveFailureReported()
    {
        testsupport::TempWorkDir dir;
        testsupport::BrowserDouble browser;
        auto w = openWindow(&browser);
        QVERIFY(QDir().mkdir(settings::kFileName));
        w->btnSv->click();
        QCOMPARE(errors, QStringList{"Unable to write to windowscorvane.ini"});
        QVERIFY(messages.isEmpty());
    }

    void showTips_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<bool>("checked");
        QTest::newRow("0") << QByteArray("0") << false;
        QTest::newRow("7") << QByteArray("7") << true;
        QTest::newRow("x reads as the default") << QByteArray("x") << true;
        QTest::newRow("1") << QByteArray("1") << true;
        QTest::newRow("0x0") << QByteArray("0x0") << false;
    }
    void showTips()
    {
        QFETCH(QByteArray, value);
        QFETCH(bool, checked);
        testsupport::TempWorkDir dir;
        writeFile(settings::kFileName, "[main]\r\nshwTip=" + value + "\r\n");
        testsupport::BrowserDouble browser;
        auto w = openWindow(&browser);
        QCOMPARE(w->cbTips->isChecked(), checked);
    }

    void addHintOncePerRun()
    {
        testsupport::TempWorkDir dir;
        testsupport::BrowserDouble browser;
        auto w = openWindow(&browser);
        QTabBar *bar = w->pgCntrl->tabBar();
        w->SelectPage(1);
        QCOMPARE(w->pgCntrl->currentIndex(), 1);
        w->SelectPage(0);
        QVERIFY(messages.isEmpty());
        QVERIFY(w->addHintPending);

        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(2).center());
        QCOMPARE(w->pgCntrl->currentIndex(), 2);
        QVERIFY(messages.isEmpty());
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
        QCOMPARE(w->pgCntrl->currentIndex(), 1);
        QCOMPARE(messages, QStringList{kHint});
        QVERIFY(!w->addHintPending);
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(0).center());
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
        QCOMPARE(messages.size(), 1);
    }

    void menuCommands_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("zero checked") << "ZeroChecked1" << QStringList{"1|0.00", "2|0.00", "3|9", "4|-1"};
        QTest::newRow("zero all") << "ZeroAll1" << QStringList{"1|0.00", "2|0.00", "3|0.00", "4|0.00"};
        QTest::newRow("delete checked") << "DeleteChecked1" << QStringList{"3|9", "4|-1"};
        QTest::newRow("delete all") << "DeleteAll1" << QStringList{};
        QTest::newRow("delete ended keeps 99:99") << "DeleteEnded1" << QStringList{"1|5", "3|9"};
    }
    void menuCommands()
    {
        QFETCH(QString, action);
        QFETCH(QStringList, after);
        testsupport::TempWorkDir dir;
        const QString future = FloatToText(g_now + 1);
        const QString past = FloatToText(g_now - 1);
        writeFile(kGridFile, gridFileRow("1", "99:99", "5", future) + gridFileRow("2", "ended", "7", past)
                                 + gridFileRow("3", "99:99", "9", future)
                                 + gridFileRow("4", "1 m", "-1", past) + ">>e<<\r\n");
        testsupport::BrowserDouble browser;
        auto w = openWindow(&browser);
        QCOMPARE(idsAndAmounts(w->Grid), (QStringList{"1|5", "2|7", "3|9", "4|-1"}));
        // Row 3 as a fresh add leaves it; rows 1 and 2 checked.
        SetSubItem(w->Grid->topLevelItem(2), col::Ends, text::NotCalculated);
        w->Grid->topLevelItem(0)->setCheckState(0, Qt::Checked);
        w->Grid->topLevelItem(1)->setCheckState(0, Qt::Checked);
        QAction *a = actionNamed(w->pmGd, action);
        QVERIFY(a);
        a->trigger();
        QCOMPARE(idsAndAmounts(w->Grid), after);
        QVERIFY(messages.isEmpty());
        QVERIFY(errors.isEmpty());
        // Commands leave the file alone; only closing saves it.
        QCOMPARE(LoadGridFile(kGridFile).size(), 4);
        w->close();
        QCOMPARE(LoadGridFile(kGridFile).size(), after.size());
    }

    void closeRewritesGridFile()
    {
        testsupport::TempWorkDir dir;
        // LF breaks and no end line: a rewrite is seen in the bytes even with nothing changed.
        const QByteArray lf = ">>c<<1\n>>s<<ended\n>>s<<5\n>>c<<2\n>>s<<ended\n>>s<<0.00";
        writeFile(kGridFile, lf);
        testsupport::BrowserDouble browser;
        auto w = openWindow(&browser);
        w->Grid->topLevelItem(1)->setCheckState(0, Qt::Checked);  // not stored
        w->close();
        QVERIFY(!w->isVisible());
        QCOMPARE(readFile(kGridFile),
                 QByteArray(">>c<<1\r\n>>s<<ended\r\n>>s<<5\r\n>>c<<2\r\n>>s<<ended\r\n>>s<<0.00\r\n>>e<<\r\n"));
        QVERIFY(errors.isEmpty());

        // Every row deleted: a grid file without rows.
        auto w2 = openWindow(&browser);
        QCOMPARE(w2->Grid->topLevelItemCount(), 2);
        w2->DeleteAll1->trigger();
        w2->close();
        QCOMPARE(readFile(kGridFile), QByteArray(">>e<<\r\n"));
    }

    void failedCloseSaveReported()
    {
        testsupport::TempWorkDir dir;
        testsupport::BrowserDouble browser;
        auto w = openWindow(&browser);
        QVERIFY(QDir().mkdir(kGridFile));
        w->close();
        QVERIFY(!w->isVisible());
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors[0].startsWith("The tracked auctions could not be saved to \"Grid.grd\": "),
                 qPrintable(errors[0]));
        QVERIFY2(errors[0].contains("directory"), qPrintable(errors[0]));  // the reason
    }

    void shortcuts()
    {
        testsupport::TempWorkDir dir;
        writeFile(kGridFile, gridFileRow("1", "ended", "5", "1") + gridFileRow("2", "ended", "7", "1"));
        testsupport::BrowserDouble browser;
        auto w = openWindow(&browser);
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        w->Grid->setFocus();
        QTRY_VERIFY(w->Grid->hasFocus());
        QSignalSpy launch(w->LaunchKestrinNowOverride1, &QAction::triggered);
        QSignalSpy gridHelp(w->Help1, &QAction::triggered);
        QSignalSpy windowHelp(w->tmiHlp, &QAction::triggered);

        // Without a selected row.
        QTest::keyClick(w->Grid, Qt::Key_B, Qt::ControlModifier);
        QCOMPARE(messages, QStringList{"You must select an item."});
        QVERIFY(prompts.isEmpty());

        w->Grid->setCurrentItem(w->Grid->topLevelItem(1));
        answer = "15";
        QTest::keyClick(w->Grid, Qt::Key_B, Qt::ControlModifier);
        QCOMPARE(prompts, QStringList{"Change Bid Amount|Enter new bid amount|7"});
        QCOMPARE(idsAndAmounts(w->Grid), (QStringList{"1|5", "2|15"}));

        QTest::keyClick(w->Grid, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(opened, QList<QUrl>{QUrl(siteaddress::ItemView(SiteHosts::Load(), "2"))});

        QTest::keyClick(w->Grid, Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(launch.size(), 1);
        QVERIFY(readFile("BID.TDL").startsWith("--autoBid--\r\n"));
        QVERIFY(readFile("BID.TDL").endsWith("\r\n15\r\n2"));

        // The help guide opens from the current directory when it has one.
        writeFile("Corvane.html", "<html></html>");
        QTest::keyClick(w->Grid, Qt::Key_F1);
        QCOMPARE(gridHelp.size(), 1);
        QCOMPARE(windowHelp.size(), 0);
        QCOMPARE(opened.size(), 2);
        QCOMPARE(opened.last(), QUrl::fromLocalFile(dir.file("Corvane.html")));

        // Elsewhere in the window F1 is the window menu's, and the grid's keys are gone.
        w->SelectPage(2);
        w->edtEbId->setFocus();
        QTRY_VERIFY(w->edtEbId->hasFocus());
        QTest::keyClick(w->edtEbId, Qt::Key_F1);
        QCOMPARE(windowHelp.size(), 1);
        QCOMPARE(gridHelp.size(), 1);
        QCOMPARE(opened.size(), 3);
        QCOMPARE(opened.last(), QUrl::fromLocalFile(dir.file("Corvane.html")));

        // The Help tab shows the compiled-in release each time it is shown.
        w->SelectPage(3);
        QTRY_COMPARE(w->lblVersion->text(), QStringLiteral("Release: 1.0.7.140"));
        w->SelectPage(2);
        QTest::keyClick(w->edtEbId, Qt::Key_L, Qt::ControlModifier);
        QTest::keyClick(w->edtEbId, Qt::Key_B, Qt::ControlModifier);
        QCOMPARE(launch.size(), 1);
        QCOMPARE(prompts.size(), 1);
        w->hide();
    }

    // Right presses are eaten everywhere; over the grid the menu opens all the same.
    void rightButton()
    {
        testsupport::TempWorkDir dir;
        writeFile(kGridFile, gridFileRow("1", "ended", "5", "1") + gridFileRow("2", "ended", "7", "1"));
        testsupport::BrowserDouble browser;
        auto w = openWindow(&browser);
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QWindow *window = w->windowHandle();
        QVERIFY(window);
        QWidget *viewport = w->Grid->viewport();
        PressSpy onGrid(viewport);
        const QPoint rowPoint = viewport->mapTo(w.get(), w->Grid->visualItemRect(w->Grid->topLevelItem(1)).center());

        QTest::mousePress(window, Qt::RightButton, {}, rowPoint);
        QTRY_VERIFY(w->pmGd->isVisible());
        QTest::mouseRelease(window, Qt::RightButton, {}, rowPoint);
        QCOMPARE(onGrid.right, 0);
        QVERIFY(w->Grid->selectedItems().isEmpty());
        w->pmGd->hide();
        QTRY_VERIFY(!w->pmGd->isVisible());

        QTest::mousePress(window, Qt::LeftButton, {}, rowPoint);
        QTest::mouseRelease(window, Qt::LeftButton, {}, rowPoint);
        QCOMPARE(onGrid.left, 1);
        QCOMPARE(w->Grid->selectedItems(), QList<QTreeWidgetItem *>{w->Grid->topLevelItem(1)});

        // Elsewhere: the tab bar and the browser's view never see a right press.
        QTabBar *bar = w->pgCntrl->tabBar();
        PressSpy onTabs(bar);
        const QPoint tabPoint = bar->mapTo(w.get(), bar->tabRect(1).center());
        QTest::mousePress(window, Qt::RightButton, {}, tabPoint);
        QTest::mouseRelease(window, Qt::RightButton, {}, tabPoint);
        QTest::mouseDClick(window, Qt::RightButton, {}, tabPoint);
        QCOMPARE(onTabs.right, 0);
        QVERIFY(!w->pmGd->isVisible());
        QVERIFY(!QApplication::activePopupWidget());
        QTest::mousePress(window, Qt::LeftButton, {}, tabPoint);
        QTest::mouseRelease(window, Qt::LeftButton, {}, tabPoint);
        QCOMPARE(onTabs.left, 1);
        QCOMPARE(w->pgCntrl->currentIndex(), 1);

        QWidget *view = browser.View();
        PressSpy onView(view);
        const QPoint viewPoint = view->mapTo(w.get(), view->rect().center());
        QTest::mousePress(window, Qt::RightButton, {}, viewPoint);
        QTest::mouseRelease(window, Qt::RightButton, {}, viewPoint);
        QCOMPARE(onView.right, 0);
        QVERIFY(!QApplication::activePopupWidget());
        w->hide();
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
