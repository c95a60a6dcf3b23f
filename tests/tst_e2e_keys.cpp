// Keys and mouse in the tracker's embedded browser: Enter in a page's text field reaches the
// page, while a right press on the page is consumed (no context menu to navigate away).
#include "Unit3.h"
#include "browser.h"
#include "practicesiteprocess.h"
#include "settings.h"
#include "testsupport.h"
#include "zazaza.h"

#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTabWidget>
#include <QWebEngineView>
#include <QtTest>

using namespace testsupport;

class TestE2eKeys : public QObject {
    Q_OBJECT
private slots:
    void enterReachesPageAndRightPressIsConsumed()
    {
        frmZazAza = new TfrmZazAza;
        TempWorkDir dir;
        PracticeSiteProcess site;
        QVERIFY(site.start({"--auction", "Desk lamp|3600", "--auction", "Pocket watch|3600"}));
        site.writeHostOverrides(settings::kFileName);
        writeFile("Grid.grd", ">>e<<\r\n");
        {
            QFile ini(settings::kFileName);
            QVERIFY(ini.open(QIODevice::Append));
            ini.write("[main]\r\nshwTip=0\r\n");
        }
        TfrmMn main;
        main.resize(670, 265);
        QSignalSpy loaded(main.bro, &Browser::DocumentComplete);
        main.ShowMainWindow();  // opens the search page
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        main.SelectPage(1);
        QVERIFY(loaded.wait(30000));

        QWidget *view = main.bro->View();
        QVERIFY(view);
        QWidget *page = view->focusProxy() ? view->focusProxy() : view;
        // Put the cursor in the search field and type; Enter submits the page's form.
        static_cast<QWebEngineView *>(view)->page()->runJavaScript(
            "document.getElementsByName('satitle')[0].focus()");
        QTest::qWait(300);
        page->setFocus();
        QTest::keyClicks(page, "lamp");
        loaded.clear();
        QTest::keyClick(page, Qt::Key_Return);
        QVERIFY(loaded.wait(15000));
        QTRY_VERIFY_WITH_TIMEOUT(site.requestLog().contains("satitle=lamp"), 5000);

        // A right press on the page goes nowhere: no menu of the page's own appears.
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(50, 50), page->mapToGlobal(QPointF(50, 50)),
                          Qt::RightButton, Qt::RightButton, Qt::NoModifier);
        QApplication::sendEvent(page, &press);
        QTest::qWait(300);
        QVERIFY(!QApplication::activePopupWidget());
        main.hide();
    }
};

QTEST_MAIN(TestE2eKeys)
#include "tst_e2e_keys.moc"
