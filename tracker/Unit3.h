#pragma once
// The tracker's main window: the grid of tracked auctions, the embedded browser, the
// options and the help tab. Handlers stay thin; the work is in endtimes.h, gridcommands.h
// and the shared unit.
#include <QSet>
#include <QStringList>
#include <QWidget>

class Browser;
class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QShortcut;
class QTabWidget;
class QTimer;
class QTreeWidget;
class TfrmZazAza;
class FileError;
class QTreeWidgetItem;
namespace jobfiles { struct BidJob; }

class TfrmMn : public QWidget {
    Q_OBJECT
public:
    // Without a browser the window makes its own WebBrowser on the Add Auction tab; a given
    // browser stays its caller's.
    explicit TfrmMn(Browser *browser = nullptr, QWidget *parent = nullptr);
    ~TfrmMn() override;

    // Makes the window visible and brings it to the front.
    void ShowMainWindow();
    // Switches tabs from the program: raises no pgCntrlChange.
    void SelectPage(int index);

    // Grid file "Grid.grd" through the utility form; both raise FileError.
    void LoadGrid();
    void SaveGrid();

    // Steps that other handlers run too; they raise, their callers decide what that means.
    void btnSrchClick();        // opens the search page in bro
    void btnCalcTmRmngClick();  // "Calc ends"; raises ConvertError at an unreadable row

    // Page control and tabs.
    QTabWidget *pgCntrl = nullptr;
    QWidget *GridView = nullptr;
    QWidget *tsAddActn = nullptr;
    QWidget *tsOptns = nullptr;
    QWidget *tsHlp = nullptr;

    // Grid View tab.
    QTreeWidget *Grid = nullptr;
    QPushButton *btnCalcTmRmng = nullptr;  // never visible
    QMenu *pmGd = nullptr;
    QAction *ChangeSnipeAmountForSelected1 = nullptr;
    QAction *ViewSelectedInBrowser1 = nullptr;
    QAction *LaunchKestrinNowOverride1 = nullptr;  // hidden; Ctrl+L still runs it on the grid
    QAction *N1 = nullptr;
    QAction *ZeroChecked1 = nullptr;
    QAction *ZeroAll1 = nullptr;
    QAction *N3 = nullptr;
    QAction *DeleteChecked1 = nullptr;
    QAction *DeleteAll1 = nullptr;
    QAction *DeleteEnded1 = nullptr;
    QAction *N2 = nullptr;
    QAction *Help1 = nullptr;

    // Add Auction tab.
    Browser *bro = nullptr;
    QPushButton *btnSearch = nullptr;
    QPushButton *btnAdd = nullptr;

    // Options tab: the live settings.
    QLabel *lblEbId = nullptr;
    QLineEdit *edtEbId = nullptr;
    QLabel *lblEbPswrd = nullptr;
    QLineEdit *edtEbPswrd = nullptr;
    QLabel *lblOfst = nullptr;
    QLineEdit *edtOfst = nullptr;
    QCheckBox *cbTips = nullptr;
    QPushButton *btnSv = nullptr;
    QLabel *lblCnctnKpr = nullptr;
    QPushButton *Button1 = nullptr;

    // Help tab.
    QLabel *lblVersion = nullptr;
    QLabel *lblPrdct = nullptr;
    QPushButton *btnHlp = nullptr;
    QStringList m;  // scratch lines, never shown

    // The window's own menu: carries F1 everywhere but in the grid.
    QMenu *pmMain = nullptr;
    QAction *tmiHlp = nullptr;

    QTimer *tmr = nullptr;  // 60000 ms, off until FormShow

    // The auction being added.
    QString pageTitle;
    QString auctionId;
    QString itemDescription;
    QString endText;
    double endMoment = 0;
    double bidMoment = 0;
    // Local time minus site time, in days; set before the window is first shown.
    double clockOffset = 0;
    // Until the Add Auction hint has been shown once in this run.
    bool addHintPending = true;

    // The choice of the scheduler's latest pass.
    QTreeWidgetItem *chosenRow = nullptr;
    double chosenBidMoment = 0;
    bool chosenFound = false;
    bool launchDue = false;
    void ChooseNextAuction();

    // The add's steps; both raise, btnAddClick shows the error.
    void btnExtrctClick();
    void btnAdditClick();

signals:
    // The main window has closed: the program ends.
    void closed();

public slots:
    void FormShow();
    void FormClose();
    void btnSvClick();
    void pgCntrlChange(int index);

    void ChangeSnipeAmountForSelected1Click();
    void ViewSelectedInBrowser1Click();
    void ZeroChecked1Click();
    void ZeroAll1Click();
    void DeleteChecked1Click();
    void DeleteAll1Click();
    void DeleteEnded1Click();

    void LaunchKestrinNowOverride1Click();
    void tmrTimer();
    void btnAddClick();

    void Help1Click();
    void btnHlpClick();
    void tmiHlpClick();
    void tsHlpShow();
    void Button1Click();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The application-wide hook: true for the events it consumes.
    bool AppMessage(QObject *watched, QEvent *event);
    void buildGridView();
    void buildAddAuction(Browser *browser);
    void buildOptions();
    void buildHelp();
    void readSettings();
    TfrmZazAza *utilityForm() const;

    void KeepUnreadableGrid(const FileError &error);
    void ReportUnreadable(const QStringList &auctionIds);
    void StartAgentFor(const QTreeWidgetItem *row, const jobfiles::BidJob &job);

    QShortcut *m_launchOverrideKey = nullptr;
    bool m_tickRunning = false;
    QSet<QString> m_reportedUnreadable;  // told once per run
    bool m_formShown = false;
};

extern TfrmMn *frmMn;
