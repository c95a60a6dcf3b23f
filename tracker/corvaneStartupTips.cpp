#include "corvaneStartupTips.h"

#include "inifile.h"
#include "messages.h"
#include "settings.h"

#include <QCheckBox>
#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

TfrmTips *frmTips = nullptr;

// The picture is compiled into the tracker's static library, where nothing else would keep
// the linker from dropping it.
static void initTipResources()
{
    Q_INIT_RESOURCE(tips);
}

namespace {

QFont tahoma(int pixels)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixels);
    return font;
}

}  // namespace

const QStringList &StartupTips()
{
    // Double blanks after some full stops belong to the texts.
    static const QStringList tips = {
        QStringLiteral("The first time you run Corvane you will likely have to immediately restart the program because of common system firewall settings.  Be sure to allow corvane and the bid agent to contact the Internet if your system asks you to."),
        QStringLiteral("It is necessary to disable system hibernation to allow the bid agent to bid when your auction is about to end."),
        QStringLiteral("Auctions with lots of photos have to completely load in the add auction tab's browser  before they can be added to the grid view."),
        QStringLiteral("The default bid amount starts at $0.00.  After the auction loads, you must click CTRL B to set the desired snipe amount."),
        QStringLiteral("On some systems the add auction process will seem slow."),
        QStringLiteral("30 seconds is the recommended bid offset."),
        QStringLiteral("The computer must be ON at the time the auction closes."),
        QStringLiteral("The Internet must be connected for Corvane to place your bid, if you have a dial up connection, it is necessary to use the included connection keeper program."),
        QStringLiteral("From the Grid View, right click and a popup menu of features and commands is available to you."),
        QStringLiteral("To set or change the bid amount of a tracked auction, hi-lite the auction in the grid and type CTRL B."),
        QStringLiteral("To view the actual auction, hi-lite the auction in the grid and type CTRL V."),
        QStringLiteral("It is possible to track an auction without bidding on it.  Checking the items that you want to track and selecting \"Zero snipe amount checked\" from the right click menu will accomplish this."),
        QStringLiteral("It is possible to track all auctions in the grid without bidding on them.  Selecting \"Zero snipe amount all\" from the right click menu will accomplish this."),
        QStringLiteral("It is possible to delete a group of auctions.  Just check the auctions in the grid and select \"Delete checked\" from the right click menu."),
        QStringLiteral("It is possible to delete all tracked auctions.  Just select \"Delete All\" from the right click menu."),
        QStringLiteral("You can type the F1 key at any time to refer to the help program for Corvane."),
        QStringLiteral("Approximately six minutes before the auction ends, the bid agent is launched.  The bid agent will automatically place your bid in the last seconds of the auction."),
        QStringLiteral("Modular design and a frills free simple interface helps keeps Corvane operating dependably."),
        QStringLiteral("Corvane does not track the current bid amount to avoid taxing the eBay web site and to ensure stable and dependable operation."),
        QStringLiteral("Corvane does not contain spyware or adware."),
        QStringLiteral("When the Bid Agent launches (about 6 minutes before bidding), do not click the browser, as it will automatically bid for you."),
    };
    return tips;
}

int TipIndexFor(int stored)
{
    if (stored < 0)
        return 0;
    return stored % int(StartupTips().size());
}

int TipToShow(const IniFile &ini)
{
    return TipIndexFor(ini.ReadInteger(settings::kMainSection, settings::kNxtTip, 0));
}

void StoreNextTip(IniFile &ini, int shown)
{
    int next = shown + 1;
    if (next == int(StartupTips().size()))
        next = 0;
    ini.WriteInteger(settings::kMainSection, settings::kNxtTip, next);
}

void StoreShowTips(IniFile &ini, bool show)
{
    ini.WriteBool(settings::kMainSection, settings::kShwTip, show);
}

TfrmTips::TfrmTips(QWidget *parent) : QDialog(parent), mDbTips(StartupTips())
{
    initTipResources();
    setObjectName(QStringLiteral("frmTips"));
    setWindowTitle(QStringLiteral("Tip Of The Day"));
    setFixedSize(418, 214);

    imgTip = new QLabel(this);
    imgTip->setObjectName(QStringLiteral("imgTip"));
    imgTip->setPixmap(QPixmap(QStringLiteral(":/images/tip.png")));
    imgTip->setGeometry(12, 10, 48, 48);

    lblDdYKnw = new QLabel(QStringLiteral("Did you know...."), this);
    lblDdYKnw->setObjectName(QStringLiteral("lblDdYKnw"));
    lblDdYKnw->setFont(tahoma(21));
    lblDdYKnw->setGeometry(72, 16, 334, 30);

    mTip = new QPlainTextEdit(this);
    mTip->setObjectName(QStringLiteral("mTip"));
    mTip->setFont(tahoma(13));
    mTip->setReadOnly(true);
    mTip->setFrameShape(QFrame::NoFrame);
    mTip->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    mTip->setTabChangesFocus(true);
    mTip->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mTip->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette tipColours = mTip->palette();
    tipColours.setColor(QPalette::Base, palette().color(QPalette::Window));
    mTip->setPalette(tipColours);
    mTip->setGeometry(72, 56, 334, 108);

    cbShwTps = new QCheckBox(QStringLiteral("Show Tips At Startup"), this);
    cbShwTps->setObjectName(QStringLiteral("cbShwTps"));
    cbShwTps->setChecked(true);
    cbShwTps->setGeometry(12, 180, 180, 22);

    btnNext = new QPushButton(QStringLiteral("Next"), this);
    btnNext->setObjectName(QStringLiteral("btnNext"));
    btnNext->setGeometry(246, 178, 75, 25);

    btnCls = new QPushButton(QStringLiteral("Close"), this);
    btnCls->setObjectName(QStringLiteral("btnCls"));
    btnCls->setGeometry(331, 178, 75, 25);

    setTabOrder(btnCls, btnNext);
    setTabOrder(btnNext, cbShwTps);
    setTabOrder(cbShwTps, mTip);

    connect(btnNext, &QPushButton::clicked, this, &TfrmTips::btnNextClick);
    connect(btnCls, &QPushButton::clicked, this, &TfrmTips::btnClsClick);
    connect(cbShwTps, &QCheckBox::clicked, this, &TfrmTips::cbShwTpsClick);

    // Centred on the desktop rather than over the main window.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TfrmTips::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // A window restored from the taskbar is not a new opening.
    if (!event->spontaneous())
        FormShow();
}

void TfrmTips::FormShow()
{
    Guarded([this] {
        btnCls->setFocus();
        ShowNextTip();
    });
}

void TfrmTips::btnNextClick()
{
    Guarded([this] { ShowNextTip(); });
}

void TfrmTips::cbShwTpsClick()
{
    Guarded([this] {
        IniFile ini(settings::kFileName);
        StoreShowTips(ini, cbShwTps->isChecked());
    });
}

void TfrmTips::btnClsClick()
{
    Guarded([this] { accept(); });
}

void TfrmTips::ShowNextTip()
{
    IniFile ini(settings::kFileName);
    const int tip = TipToShow(ini);
    m_shownTip = tip;
    mTip->setPlainText(mDbTips.value(tip));
    StoreNextTip(ini, tip);
}
