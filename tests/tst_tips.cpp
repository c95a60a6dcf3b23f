#include "corvaneStartupTips.h"
#include "helplinks.h"
#include "inifile.h"
#include "messages.h"
#include "settings.h"
#include "systemopen.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

using testsupport::readFile;
using testsupport::writeFile;

namespace {

QByteArray settingsText()
{
    return readFile(settings::kFileName);
}

// Records the error boxes instead of showing them, for the life of one test.
class ErrorRecorder {
public:
    ErrorRecorder()
    {
        MessageHooks hooks;
        hooks.message = [this](const QString &text) { messages << text; };
        hooks.error = [this](const QString &text) { errors << text; };
        SetMessageHooksForTesting(hooks);
    }
    ~ErrorRecorder() { SetMessageHooksForTesting(MessageHooks()); }
    QStringList messages;
    QStringList errors;
};

}  // namespace

class TestTips : public QObject {
    Q_OBJECT
private slots:
    void tipTexts_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0
            << "The first time you run Corvane you will likely have to immediately restart the "
               "program because of common system firewall settings.  Be sure to allow corvane "
               "and the bid agent to contact the Internet if your system asks you to.";
        QTest::newRow("2") << 2
            << "Auctions with lots of photos have to completely load in the add auction tab's "
               "browser  before they can be added to the grid view.";
        QTest::newRow("3") << 3
            << "The default bid amount starts at $0.00.  After the auction loads, you must "
               "click CTRL B to set the desired snipe amount.";
        QTest::newRow("11") << 11
            << "It is possible to track an auction without bidding on it.  Checking the items "
               "that you want to track and selecting \"Zero snipe amount checked\" from the "
               "right click menu will accomplish this.";
        QTest::newRow("14") << 14
            << "It is possible to delete all tracked auctions.  Just select \"Delete All\" "
               "from the right click menu.";
        QTest::newRow("20") << 20
            << "When the Bid Agent launches (about 6 minutes before bidding), do not click the "
               "browser, as it will automatically bid for you.";
    }

    void tipTexts()
    {
        QFETCH(int, index);
        QFETCH(QString, text);
        QCOMPARE(StartupTips().size(), 21);
        QCOMPARE(StartupTips().at(index), text);
        for (const QString &tip : StartupTips())
            QVERIFY2(!tip.isEmpty() && tip == tip.trimmed(), qPrintable(tip));
    }

    // One step over the settings file: what is shown and what is stored for the next time.
    void rotationStep_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<int>("shown");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("no file") << QByteArray() << 0 << QByteArray("[main]\r\nnxtTip=1\r\n");
        QTest::newRow("no key") << QByteArray("[main]\r\nebId=bob\r\n") << 0
                                << QByteArray("[main]\r\nebId=bob\r\nnxtTip=1\r\n");
        QTest::newRow("not a number") << QByteArray("[main]\r\nnxtTip=x\r\n") << 0
                                      << QByteArray("[main]\r\nnxtTip=1\r\n");
        QTest::newRow("middle") << QByteArray("[main]\r\nnxtTip=9\r\n") << 9
                                << QByteArray("[main]\r\nnxtTip=10\r\n");
        QTest::newRow("hexadecimal") << QByteArray("[main]\r\nnxtTip=0x0A\r\n") << 10
                                     << QByteArray("[main]\r\nnxtTip=11\r\n");
        QTest::newRow("last wraps") << QByteArray("[main]\r\nnxtTip=20\r\n") << 20
                                    << QByteArray("[main]\r\nnxtTip=0\r\n");
        QTest::newRow("beyond the list") << QByteArray("[main]\r\nnxtTip=25\r\n") << 4
                                         << QByteArray("[main]\r\nnxtTip=5\r\n");
        QTest::newRow("one list beyond, last") << QByteArray("[main]\r\nnxtTip=41\r\n") << 20
                                               << QByteArray("[main]\r\nnxtTip=0\r\n");
        QTest::newRow("negative") << QByteArray("[main]\r\nnxtTip=-3\r\n") << 0
                                  << QByteArray("[main]\r\nnxtTip=1\r\n");
    }

    void rotationStep()
    {
        QFETCH(QByteArray, before);
        QFETCH(int, shown);
        QFETCH(QByteArray, after);
        testsupport::TempWorkDir dir;
        if (!before.isEmpty())
            writeFile(settings::kFileName, before);
        IniFile ini(settings::kFileName);
        const int tip = TipToShow(ini);
        QCOMPARE(tip, shown);
        StoreNextTip(ini, tip);
        QCOMPARE(settingsText(), after);
    }

    void windowOpensOnStoredTipAndNextContinues()
    {
        testsupport::TempWorkDir dir;
        writeFile(settings::kFileName, "[main]\r\nnxtTip=20\r\n");
        TfrmTips window;
        QCOMPARE(window.shownTip(), -1);
        window.show();
        QCOMPARE(window.shownTip(), 20);
        QCOMPARE(window.mTip->toPlainText(), StartupTips().at(20));
        QCOMPARE(settingsText(), QByteArray("[main]\r\nnxtTip=0\r\n"));

        window.btnNext->click();
        QCOMPARE(window.shownTip(), 0);
        QCOMPARE(window.mTip->toPlainText(), StartupTips().at(0));
        QCOMPARE(settingsText(), QByteArray("[main]\r\nnxtTip=1\r\n"));

        // Every opening is a step of its own, continuing the rotation.
        window.hide();
        window.show();
        QCOMPARE(window.shownTip(), 1);
        QCOMPARE(settingsText(), QByteArray("[main]\r\nnxtTip=2\r\n"));
    }

    void nextGoesOnceRoundTheList_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("first");
        QTest::newRow("missing") << QByteArray() << 0;
        QTest::newRow("7") << QByteArray("7") << 7;
        QTest::newRow("25") << QByteArray("25") << 4;
        QTest::newRow("-3") << QByteArray("-3") << 0;
    }

    void nextGoesOnceRoundTheList()
    {
        QFETCH(QByteArray, stored);
        QFETCH(int, first);
        testsupport::TempWorkDir dir;
        if (!stored.isEmpty())
            writeFile(settings::kFileName, "[main]\r\nnxtTip=" + stored + "\r\n");
        TfrmTips window;
        window.show();
        QCOMPARE(window.shownTip(), first);
        const QByteArray afterOpening = settingsText();
        QCOMPARE(afterOpening, "[main]\r\nnxtTip=" + QByteArray::number((first + 1) % 21) + "\r\n");

        QSet<int> seen{first};
        for (int press = 0; press < 21; ++press) {
            window.btnNext->click();
            seen.insert(window.shownTip());
            QCOMPARE(window.mTip->toPlainText(), StartupTips().at(window.shownTip()));
        }
        QCOMPARE(seen.size(), 21);
        QCOMPARE(window.shownTip(), first);
        QCOMPARE(settingsText(), afterOpening);
    }

    void checkBoxWritesAtOnce()
    {
        testsupport::TempWorkDir dir;
        writeFile(settings::kFileName, "[main]\r\nebId=bob\r\nshwTip=1\r\n[site]\r\nconkeep=http://x\r\n");
        TfrmTips window;
        QVERIFY(window.cbShwTps->isChecked());
        window.cbShwTps->click();
        QCOMPARE(settingsText(),
                 QByteArray("[main]\r\nebId=bob\r\nshwTip=0\r\n[site]\r\nconkeep=http://x\r\n"));
        QCOMPARE(IniFile(settings::kFileName).ReadBool("main", "shwTip", true), false);
        window.cbShwTps->click();
        QCOMPARE(settingsText(),
                 QByteArray("[main]\r\nebId=bob\r\nshwTip=1\r\n[site]\r\nconkeep=http://x\r\n"));
    }

    void unwritableSettingsAreReported()
    {
        testsupport::TempWorkDir dir;
        QVERIFY(QDir().mkdir(settings::kFileName));  // a folder in the file's place
        ErrorRecorder recorder;
        TfrmTips window;
        window.show();
        // The tip is shown before the store fails.
        QCOMPARE(window.shownTip(), 0);
        QCOMPARE(window.mTip->toPlainText(), StartupTips().at(0));
        window.cbShwTps->click();
        QCOMPARE(recorder.errors, QStringList({"Unable to write to windowscorvane.ini",
                                               "Unable to write to windowscorvane.ini"}));
        QVERIFY(recorder.messages.isEmpty());
    }

    void windowLooksAndCloses()
    {
        testsupport::TempWorkDir dir;
        TfrmTips window;
        QCOMPARE(window.windowTitle(), QStringLiteral("Tip Of The Day"));
        QCOMPARE(window.size(), QSize(418, 214));
        QVERIFY(!window.imgTip->pixmap().isNull());
        QCOMPARE(window.lblDdYKnw->text(), QStringLiteral("Did you know...."));
        QCOMPARE(window.lblDdYKnw->font().family(), QStringLiteral("Tahoma"));
        QCOMPARE(window.lblDdYKnw->font().pixelSize(), 21);
        QCOMPARE(window.mTip->font().pixelSize(), 13);
        QVERIFY(window.mTip->isReadOnly());
        QCOMPARE(window.mTip->frameShape(), QFrame::NoFrame);
        QCOMPARE(window.mTip->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(window.mTip->palette().color(QPalette::Base), window.palette().color(QPalette::Window));
        QCOMPARE(window.cbShwTps->text(), QStringLiteral("Show Tips At Startup"));
        QCOMPARE(window.btnNext->text(), QStringLiteral("Next"));
        QCOMPARE(window.btnCls->text(), QStringLiteral("Close"));
        QCOMPARE(window.mDbTips, StartupTips());

        // Tab order: Close, Next, the check box, the tip area, and round again.
        QList<QWidget *> order;
        QWidget *w = window.btnCls;
        do {
            if (w->focusPolicy() & Qt::TabFocus)
                order << w;
            w = w->nextInFocusChain();
        } while (w != window.btnCls);
        QCOMPARE(order, (QList<QWidget *>{window.btnCls, window.btnNext, window.cbShwTps, window.mTip}));

        window.show();
        QCOMPARE(window.focusWidget(), window.btnCls);
        window.btnCls->click();
        QVERIFY(!window.isVisible());
        QCOMPARE(window.result(), int(QDialog::Accepted));
    }

    void releaseLabel()
    {
        QCOMPARE(ReleaseLabelText(), QStringLiteral("Release: 1.0.7.140"));
    }

    void helpFileInCurrentDirectoryComesFirst()
    {
        testsupport::TempWorkDir dir;
        const QUrl elsewhere = HelpFileUrl();
        QVERIFY(elsewhere.isLocalFile());
        QCOMPARE(elsewhere.fileName(), QStringLiteral("Corvane.html"));
        QVERIFY(QFileInfo(elsewhere.toLocalFile()).canonicalPath() != QFileInfo(dir.path()).canonicalFilePath());

        writeFile("Corvane.html", "<html><body>local guide</body></html>");
        const QUrl local = HelpFileUrl();
        QVERIFY(local.isLocalFile());
        QCOMPARE(QFileInfo(local.toLocalFile()).canonicalFilePath(),
                 QFileInfo(dir.file("Corvane.html")).canonicalFilePath());

        QList<QUrl> opened;
        SetSystemOpenerForTesting([&opened](const QUrl &url) { opened << url; });
        OpenHelp();
        SetSystemOpenerForTesting({});
        QCOMPARE(opened, QList<QUrl>{local});
    }

    void connectionKeeperPage_data()
    {
        QTest::addColumn<QByteArray>("settingsFile");
        QTest::addColumn<QString>("url");
        QTest::newRow("default host") << QByteArray() << "http://www.corvane.example/conkeep.htm";
        QTest::newRow("own host") << QByteArray("[site]\r\nconkeep=http://127.0.0.1:8080/\r\n")
                                  << "http://127.0.0.1:8080/conkeep.htm";
    }

    void connectionKeeperPage()
    {
        QFETCH(QByteArray, settingsFile);
        QFETCH(QString, url);
        testsupport::TempWorkDir dir;
        if (!settingsFile.isEmpty())
            writeFile(settings::kFileName, settingsFile);
        QCOMPARE(ConnectionKeeperUrl(), QUrl(url));
    }
};

QTEST_MAIN(TestTips)
#include "tst_tips.moc"
