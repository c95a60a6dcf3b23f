#include "Unit3.h"

#include "addauction.h"
#include "browser.h"
#include "corvaneStartupTips.h"
#include "datetime.h"
#include "endtimes.h"
#include "errors.h"
#include "gridcommands.h"
#include "helplinks.h"
#include "inifile.h"
#include "listview.h"
#include "messages.h"
#include "numbertext.h"
#include "scheduler.h"
#include "systemopen.h"
#include "settings.h"
#include "trackedauction.h"
#include "webbrowser.h"
#include "zazaza.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QThread>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

TfrmMn *frmMn = nullptr;

namespace {

const int kAddAuctionPage = 1;

const QString kAddHint = QStringLiteral(
    "To add an auction: browse to the eBay auction and click  the ADD button.  The program will "
    "need to access the Internet to visit the eBay site, click ALLOW THIS PROGRAM if a window "
    "appears.\t");

// Bulk changes to the grid repaint once, at the end.
class UpdatesPaused {
public:
    explicit UpdatesPaused(QWidget *widget) : m_widget(widget), m_was(widget->updatesEnabled())
    {
        m_widget->setUpdatesEnabled(false);
    }
    ~UpdatesPaused() { m_widget->setUpdatesEnabled(m_was); }
    UpdatesPaused(const UpdatesPaused &) = delete;
    UpdatesPaused &operator=(const UpdatesPaused &) = delete;

private:
    QWidget *m_widget;
    bool m_was;
};

QWidget *makePage(QTabWidget *tabs, const char *name, const QString &caption)
{
    auto *page = new QWidget;
    page->setObjectName(QLatin1String(name));
    tabs->addTab(page, caption);
    return page;
}

template <typename T>
T *named(T *object, const char *name)
{
    object->setObjectName(QLatin1String(name));
    return object;
}

}  // namespace

TfrmMn::TfrmMn(Browser *browser, QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmMn"));
    setWindowTitle(QStringLiteral("Corvane"));
    resize(670, 265);

    pgCntrl = named(new QTabWidget(this), "pgCntrl");
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pgCntrl);
    GridView = makePage(pgCntrl, "GridView", QStringLiteral("Grid View"));
    tsAddActn = makePage(pgCntrl, "tsAddActn", QStringLiteral("Add Auction"));
    tsOptns = makePage(pgCntrl, "tsOptns", QStringLiteral("Options"));
    tsHlp = makePage(pgCntrl, "tsHlp", QStringLiteral("Help"));
    connect(pgCntrl, &QTabWidget::currentChanged, this, &TfrmMn::pgCntrlChange);

    buildGridView();
    buildAddAuction(browser);
    buildOptions();
    buildHelp();

    pmMain = named(new QMenu(this), "pmMain");
    tmiHlp = named(pmMain->addAction(QStringLiteral("Help")), "tmiHlp");
    tmiHlp->setShortcut(QKeySequence(Qt::Key_F1));
    tmiHlp->setShortcutContext(Qt::WindowShortcut);
    addAction(tmiHlp);
    connect(tmiHlp, &QAction::triggered, this, &TfrmMn::tmiHlpClick);
    // F1 belongs to the grid's menu while the grid has the focus and to this menu elsewhere;
    // two live F1 shortcuts would cancel each other out as ambiguous.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        const bool inGrid = now && (now == Grid || Grid->isAncestorOf(now));
        tmiHlp->setShortcut(inGrid ? QKeySequence() : QKeySequence(Qt::Key_F1));
    });

    tmr = named(new QTimer(this), "tmr");
    tmr->setInterval(60000);
    connect(tmr, &QTimer::timeout, this, &TfrmMn::tmrTimer);

    qApp->installEventFilter(this);
}

TfrmMn::~TfrmMn()
{
    qApp->removeEventFilter(this);
    if (frmMn == this)
        frmMn = nullptr;
}

void TfrmMn::buildGridView()
{
    using namespace trackedauction;
    Grid = named(new QTreeWidget(GridView), "Grid");
    Grid->setColumnCount(kColumnCount);
    QStringList captions;
    for (const ColumnSpec &column : kColumns)
        captions.append(QString::fromLatin1(column.caption));
    Grid->setHeaderLabels(captions);
    QHeaderView *header = Grid->header();
    header->setMinimumSectionSize(1);
    header->setStretchLastSection(false);
    header->setSectionsMovable(false);
    for (int c = 0; c < kColumnCount; ++c) {
        if (c >= kFirstHiddenColumn)
            header->setSectionResizeMode(c, QHeaderView::Fixed);
        header->resizeSection(c, kColumns[c].width);
    }
    Grid->setRootIsDecorated(false);
    Grid->setUniformRowHeights(true);
    // A report with grid lines between its cells.
    Grid->setStyleSheet(QStringLiteral(
        "QTreeView::item { border-right: 1px solid palette(midlight); border-bottom: 1px solid palette(midlight); }"));
    Grid->setItemsExpandable(false);
    Grid->setSortingEnabled(false);
    Grid->setSelectionMode(QAbstractItemView::SingleSelection);
    Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid->setAllColumnsShowFocus(true);
    Grid->setToolTip(QStringLiteral("Right Click For Additional Features"));
    // The context-menu request still arrives after AppMessage has eaten the right press.
    Grid->setContextMenuPolicy(Qt::CustomContextMenu);

    btnCalcTmRmng = named(new QPushButton(QStringLiteral("Calc ends"), GridView), "btnCalcTmRmng");
    btnCalcTmRmng->hide();
    connect(btnCalcTmRmng, &QPushButton::clicked, this,
            [this] { Guarded([this] { btnCalcTmRmngClick(); }); });

    auto *layout = new QVBoxLayout(GridView);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Grid);

    pmGd = named(new QMenu(Grid), "pmGd");
    auto item = [this](const char *name, const QString &caption, const QKeySequence &key,
                       void (TfrmMn::*handler)()) {
        QAction *action = named(pmGd->addAction(caption), name);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        Grid->addAction(action);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    auto separator = [this](const char *name) { return named(pmGd->addSeparator(), name); };

    ChangeSnipeAmountForSelected1 =
        item("ChangeSnipeAmountForSelected1", QStringLiteral("Change Bid Amount For Selected"),
             QKeySequence(Qt::CTRL | Qt::Key_B), &TfrmMn::ChangeSnipeAmountForSelected1Click);
    ViewSelectedInBrowser1 =
        item("ViewSelectedInBrowser1", QStringLiteral("View Selected In Browser"),
             QKeySequence(Qt::CTRL | Qt::Key_V), &TfrmMn::ViewSelectedInBrowser1Click);
    LaunchKestrinNowOverride1 =
        item("LaunchKestrinNowOverride1", QStringLiteral("Launch Bid Agent Now Override"),
             QKeySequence(Qt::CTRL | Qt::Key_L), &TfrmMn::LaunchKestrinNowOverride1Click);
    // An invisible action's shortcut is dead, so a shortcut of the grid's own fires it.
    LaunchKestrinNowOverride1->setVisible(false);
    m_launchOverrideKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_L), Grid, nullptr, nullptr,
                                        Qt::WidgetWithChildrenShortcut);
    connect(m_launchOverrideKey, &QShortcut::activated, LaunchKestrinNowOverride1, &QAction::trigger);
    N1 = separator("N1");
    ZeroChecked1 = item("ZeroChecked1", QStringLiteral("Zero Snipe Amount Checked"), {},
                        &TfrmMn::ZeroChecked1Click);
    ZeroAll1 = item("ZeroAll1", QStringLiteral("Zero Snipe Amount  All"), {}, &TfrmMn::ZeroAll1Click);
    N3 = separator("N3");
    DeleteChecked1 = item("DeleteChecked1", QStringLiteral("Delete Checked"), {},
                          &TfrmMn::DeleteChecked1Click);
    DeleteAll1 = item("DeleteAll1", QStringLiteral("Delete All"), {}, &TfrmMn::DeleteAll1Click);
    DeleteEnded1 = item("DeleteEnded1", QStringLiteral("Delete Ended"), {}, &TfrmMn::DeleteEnded1Click);
    N2 = separator("N2");
    Help1 = item("Help1", QStringLiteral("Help"), QKeySequence(Qt::Key_F1), &TfrmMn::Help1Click);

    connect(Grid, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        pmGd->popup(Grid->viewport()->mapToGlobal(pos));
    });
}

void TfrmMn::buildAddAuction(Browser *browser)
{
    bro = browser ? browser : new WebBrowser(tsAddActn);
    auto *layout = new QVBoxLayout(tsAddActn);
    layout->setContentsMargins(0, 0, 0, 0);
    if (QWidget *view = bro->View()) {
        view->setContextMenuPolicy(Qt::NoContextMenu);
        layout->addWidget(view);
    }

    btnSearch = named(new QPushButton(QStringLiteral("Search"), tsAddActn), "btnSearch");
    btnSearch->setToolTip(QStringLiteral("Go to eBay search page"));
    btnAdd = named(new QPushButton(QStringLiteral("Add"), tsAddActn), "btnAdd");
    btnAdd->setToolTip(QStringLiteral(
        "Add this auction to tracked items grid...click when an item is loaded in browser..."));
    // Side by side over the browser's top left corner, outside the layout.
    const QSize size = btnSearch->sizeHint().expandedTo(btnAdd->sizeHint());
    btnSearch->setGeometry(QRect(QPoint(0, 0), size));
    btnAdd->setGeometry(QRect(QPoint(size.width(), 0), size));
    btnSearch->raise();
    btnAdd->raise();
    connect(btnSearch, &QPushButton::clicked, this, [this] { Guarded([this] { btnSrchClick(); }); });
    connect(btnAdd, &QPushButton::clicked, this, &TfrmMn::btnAddClick);
}

void TfrmMn::buildOptions()
{
    lblEbId = named(new QLabel(QStringLiteral("eBay ID"), tsOptns), "lblEbId");
    edtEbId = named(new QLineEdit(tsOptns), "edtEbId");
    lblEbPswrd = named(new QLabel(QStringLiteral("eBay Password"), tsOptns), "lblEbPswrd");
    edtEbPswrd = named(new QLineEdit(tsOptns), "edtEbPswrd");
    edtEbPswrd->setEchoMode(QLineEdit::Password);
    lblOfst = named(new QLabel(QStringLiteral("Bid Offset (in seconds)"), tsOptns), "lblOfst");
    edtOfst = named(new QLineEdit(QStringLiteral("30"), tsOptns), "edtOfst");
    edtOfst->setMaximumWidth(48);
    cbTips = named(new QCheckBox(QStringLiteral("Show Tips At Startup"), tsOptns), "cbTips");
    btnSv = named(new QPushButton(QStringLiteral("Save"), tsOptns), "btnSv");
    lblCnctnKpr = named(new QLabel(QStringLiteral("Connection Keeper Software"), tsOptns),
                        "lblCnctnKpr");
    Button1 = named(new QPushButton(QStringLiteral(">"), tsOptns), "Button1");
    Button1->setMaximumWidth(32);
    lblEbId->setBuddy(edtEbId);
    lblEbPswrd->setBuddy(edtEbPswrd);
    lblOfst->setBuddy(edtOfst);

    auto *grid = new QGridLayout(tsOptns);
    grid->addWidget(lblEbId, 0, 0);
    grid->addWidget(edtEbId, 0, 1);
    grid->addWidget(lblEbPswrd, 1, 0);
    grid->addWidget(edtEbPswrd, 1, 1);
    grid->addWidget(lblOfst, 2, 0);
    grid->addWidget(edtOfst, 2, 1, Qt::AlignLeft);
    grid->addWidget(cbTips, 3, 1);
    grid->addWidget(btnSv, 4, 1, Qt::AlignLeft);
    grid->addWidget(lblCnctnKpr, 5, 0);
    grid->addWidget(Button1, 5, 1, Qt::AlignLeft);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(6, 1);

    connect(btnSv, &QPushButton::clicked, this, &TfrmMn::btnSvClick);
    connect(Button1, &QPushButton::clicked, this, &TfrmMn::Button1Click);
}

void TfrmMn::buildHelp()
{
    lblVersion = named(new QLabel(QStringLiteral("Release 1.0.7"), tsHlp), "lblVersion");
    lblPrdct = named(new QLabel(QStringLiteral("Corvane eBay Auction Sniper"), tsHlp), "lblPrdct");
    btnHlp = named(new QPushButton(QStringLiteral("Help"), tsHlp), "btnHlp");
    auto *layout = new QVBoxLayout(tsHlp);
    layout->addWidget(lblPrdct);
    layout->addWidget(lblVersion);
    layout->addWidget(btnHlp, 0, Qt::AlignLeft);
    layout->addStretch(1);
    connect(btnHlp, &QPushButton::clicked, this, &TfrmMn::btnHlpClick);
}

TfrmZazAza *TfrmMn::utilityForm() const
{
    if (!frmZazAza)
        throw CorvaneError(QStringLiteral("The utility form has not been created."));
    return frmZazAza;
}

void TfrmMn::ShowMainWindow()
{
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void TfrmMn::SelectPage(int index)
{
    const QSignalBlocker quiet(pgCntrl);
    pgCntrl->setCurrentIndex(index);
}

void TfrmMn::LoadGrid()
{
    TfrmZazAza *form = utilityForm();
    form->ListFileName = trackedauction::kGridFile;
    form->ListItems = Grid;
    const UpdatesPaused paused(Grid);
    form->btnLdLstVwFrmFlClick();
}

void TfrmMn::SaveGrid()
{
    TfrmZazAza *form = utilityForm();
    form->ListFileName = trackedauction::kGridFile;
    form->ListItems = Grid;
    form->btnSvLstVwTFlClick();
}

void TfrmMn::btnSrchClick()
{
    bro->Navigate(siteaddress::SearchPage(SiteHosts::Load()));
}

void TfrmMn::btnCalcTmRmngClick()
{
    const UpdatesPaused paused(Grid);
    CalcEnds(Grid, clockOffset);
}

void TfrmMn::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_formShown) {
        m_formShown = true;
        FormShow();
    }
}

void TfrmMn::FormShow()
{
    Guarded([this] {
        SelectPage(0);
        try {
            // No grid file yet is the first run: start with an empty grid.
            if (QFileInfo::exists(trackedauction::kGridFile))
                LoadGrid();
            else
                Grid->clear();
        } catch (const FileError &e) {
            KeepUnreadableGrid(e);
        }
        try {
            btnSrchClick();
            btnCalcTmRmngClick();
        } catch (const std::exception &) {
            // An unreadable row skips the rest of this block without a message; the scheduler
            // runs all the same and reports such rows itself.
        }
        tmr->start();
        readSettings();
        if (frmTips && cbTips->isChecked())  // "shwTip" as just read
            frmTips->exec();
    });
}

void TfrmMn::KeepUnreadableGrid(const FileError &error)
{
    // The next save would write the (empty) grid over a file that may still hold the user's
    // auctions: move it aside first and say so.
    const QString kept = trackedauction::kGridFile + QStringLiteral(".unreadable");
    QFile::remove(kept);
    const bool moved = QFile::rename(trackedauction::kGridFile, kept);
    ShowError(QStringLiteral("The tracked auctions could not be read from \"%1\": %2\n%3")
                  .arg(trackedauction::kGridFile, error.message(),
                       moved ? QStringLiteral("The file has been kept as \"%1\".").arg(kept)
                             : QStringLiteral("The file could not be moved aside either.")));
}

void TfrmMn::readSettings()
{
    const IniFile ini(settings::kFileName);
    const QString &main = settings::kMainSection;
    edtEbId->setText(ini.ReadString(main, settings::kEbId, QString()));
    edtEbPswrd->setText(utilityForm()->UnscrambleText(ini.ReadRaw(main, settings::kEbPswrd, {})));
    edtOfst->setText(ini.ReadString(main, settings::kOfst, QStringLiteral("30")));
    cbTips->setChecked(ini.ReadBool(main, settings::kShwTip, true));
}

void TfrmMn::btnSvClick()
{
    Guarded([this] {
        IniFile ini(settings::kFileName);
        const QString &main = settings::kMainSection;
        ini.WriteString(main, settings::kEbId, edtEbId->text());
        ini.WriteRaw(main, settings::kEbPswrd, utilityForm()->ScrambleText(edtEbPswrd->text()));
        ini.WriteString(main, settings::kOfst, edtOfst->text());
        ini.WriteBool(main, settings::kShwTip, cbTips->isChecked());
        ShowMessage(QStringLiteral("Options saved.  Message ID 18744"));
    });
}

void TfrmMn::pgCntrlChange(int index)
{
    Guarded([this, index] {
        if (index == kAddAuctionPage && addHintPending) {
            addHintPending = false;
            ShowMessage(kAddHint);
        }
    });
}

void TfrmMn::closeEvent(QCloseEvent *event)
{
    FormClose();
    QWidget::closeEvent(event);
    emit closed();
}

void TfrmMn::FormClose()
{
    try {
        SaveGrid();
    } catch (const std::exception &e) {
        ShowError(QStringLiteral("The tracked auctions could not be saved to \"%1\": %2")
                      .arg(trackedauction::kGridFile, ErrorText(e)));
    }
}

void TfrmMn::ChangeSnipeAmountForSelected1Click()
{
    Guarded([this] { ChangeSelectedAmount(Grid); });
}

void TfrmMn::ViewSelectedInBrowser1Click()
{
    Guarded([this] { ViewSelectedInBrowser(Grid, SiteHosts::Load()); });
}

void TfrmMn::ZeroChecked1Click()
{
    Guarded([this] { ZeroCheckedAmounts(Grid); });
}

void TfrmMn::ZeroAll1Click()
{
    Guarded([this] { ZeroAllAmounts(Grid); });
}

void TfrmMn::DeleteChecked1Click()
{
    Guarded([this] { DeleteCheckedRows(Grid); });
}

void TfrmMn::DeleteAll1Click()
{
    Guarded([this] { DeleteAllRows(Grid); });
}

void TfrmMn::DeleteEnded1Click()
{
    Guarded([this] { DeleteEndedRows(Grid); });
}

void TfrmMn::ChooseNextAuction()
{
    const AuctionChoice choice = ::ChooseNextAuction(Grid, Now());
    chosenRow = choice.row;
    chosenBidMoment = choice.bidMoment;
    chosenFound = choice.found;
    launchDue = choice.launchDue;
    ReportUnreadable(choice.unreadable);
}

void TfrmMn::ReportUnreadable(const QStringList &auctionIds)
{
    for (const QString &id : auctionIds) {
        if (m_reportedUnreadable.contains(id))
            continue;
        m_reportedUnreadable.insert(id);
        ShowMessage(QStringLiteral("The auction %1 in the grid has an amount or a time that is not a "
                                   "number, so the bid agent cannot be started for it. The other "
                                   "auctions go on. Set its amount again or delete the row.")
                        .arg(id));
    }
}

void TfrmMn::StartAgentFor(const QTreeWidgetItem *row, const jobfiles::BidJob &job)
{
    QString reason;
    if (!LaunchAgent(job, &reason))
        ShowError(QStringLiteral("The bid agent could not be started for auction %1 (%2).\n%3")
                      .arg(row->text(0), SubItem(row, col::Description), reason));
}

void TfrmMn::tmrTimer()
{
    // A tick's message box runs its own event loop; the ticks meanwhile must not overlap it.
    if (m_tickRunning)
        return;
    m_tickRunning = true;
    bool launched = false;
    Guarded([this, &launched] {
        for (;;) {
            QStringList unreadable;
            CalcEnds(Grid, clockOffset, &unreadable);
            ReportUnreadable(unreadable);
            ChooseNextAuction();
            if (!launchDue)
                break;
            SetSubItem(chosenRow, col::HasLaunched, text::Yes);
            launchDue = false;
            launched = true;
            const jobfiles::BidJob job = BidJobForRow(chosenRow, FloatToText(chosenBidMoment),
                                                      edtEbId->text(), edtEbPswrd->text());
            StartAgentFor(chosenRow, job);
            // Each agent reads the job file at its start; give it that second before the next.
            QThread::msleep(1000);
        }
    });
    if (launched) {
        // The "yes" must outlive a crash, or a restart would launch the auction again.
        try {
            SaveGrid();
        } catch (const std::exception &) {
        }
    }
    m_tickRunning = false;
}

void TfrmMn::LaunchKestrinNowOverride1Click()
{
    Guarded([this] {
        const QTreeWidgetItem *row = SelectedRow(Grid);
        if (!row) {
            ShowMessage(kSelectAnItem);
            return;
        }
        StartAgentFor(row, BidJobForRow(row, SubItem(row, col::BidMoment), edtEbId->text(),
                                        edtEbPswrd->text()));
    });
}

void TfrmMn::btnAddClick()
{
    Guarded([this] {
        pageTitle = utilityForm()->DocumentTitle(bro);
        btnExtrctClick();
        btnAdditClick();
    });
}

void TfrmMn::btnExtrctClick()
{
    const ItemPageValues values = ExtractItemPageValues(pageTitle);
    itemDescription = values.description;
    endText = values.endText;
    endMoment = values.endMoment;
    auctionId = values.auctionId;
}

void TfrmMn::btnAdditClick()
{
    if (TfrmZazAza::IndexOfCaption(Grid, auctionId) >= 0) {
        ShowMessage(QStringLiteral("Item already in grid."));
        return;
    }
    // The moments first: a bad bid offset is refused before any row is appended.
    const AuctionMoments moments = ComputeMoments(endMoment, clockOffset, edtOfst->text());
    bidMoment = moments.bid;
    AppendListViewRow(Grid, GridRow{auctionId,
                                    {text::NotCalculated, text::ZeroAmount, itemDescription,
                                     endText, text::No, moments.endsText, moments.bidText,
                                     moments.launchText}});
    try {
        SaveGrid();
    } catch (const std::exception &) {
        // The row stays in the grid and is saved on close.
    }
    ShowMessage(QStringLiteral("Item added.  Right click to enter a snipe bid amount."));
    SelectPage(0);
    btnCalcTmRmngClick();
}

void TfrmMn::Help1Click()
{
    Guarded([] { OpenHelp(); });
}

void TfrmMn::btnHlpClick()
{
    Help1Click();
}

void TfrmMn::tmiHlpClick()
{
    Help1Click();
}

void TfrmMn::tsHlpShow()
{
    lblVersion->setText(ReleaseLabelText());
}

void TfrmMn::Button1Click()
{
    Guarded([] { OpenInSystem(ConnectionKeeperUrl()); });
}

bool TfrmMn::eventFilter(QObject *watched, QEvent *event)
{
    if (AppMessage(watched, event))
        return true;
    if (watched == tsHlp && event->type() == QEvent::Show)
        tsHlpShow();
    return QWidget::eventFilter(watched, event);
}

bool TfrmMn::AppMessage(QObject *watched, QEvent *event)
{
    // Right presses are eaten at the widget, not at the window, so that the window system
    // still turns them into context-menu requests (the grid's menu); keys all pass, so Enter
    // reaches the page in the browser.
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        return watched->isWidgetType()
            && static_cast<QMouseEvent *>(event)->button() == Qt::RightButton;
    default:
        return false;
    }
}
