#include "errors.h"
#include "gridfile.h"
#include "listview.h"
#include "testsupport.h"
#include "zazaza.h"

#include <QTreeWidget>
#include <QtTest>

using testsupport::readFile;
using testsupport::writeFile;

Q_DECLARE_METATYPE(QList<GridRow>)

class TestGridFile : public QObject {
    Q_OBJECT
private slots:
    void saveFormat()
    {
        testsupport::TempWorkDir dir;
        const QList<GridRow> rows = {
            {"123456789", {"99:99", "0.00", " Desk lamp ", "09-15-08 17:45:12", "no"}},
            {"bare", {}},
            {"", {"", ""}},
        };
        SaveGridFile("Grid.grd", rows);
        QCOMPARE(readFile("Grid.grd"),
                 QByteArray(">>c<<123456789\r\n>>s<<99:99\r\n>>s<<0.00\r\n>>s<< Desk lamp \r\n"
                            ">>s<<09-15-08 17:45:12\r\n>>s<<no\r\n>>c<<bare\r\n>>c<<\r\n>>s<<\r\n"
                            ">>s<<\r\n>>e<<\r\n"));
        QCOMPARE(LoadGridFile("Grid.grd"), rows);  // blanks kept, empty texts kept

        SaveGridFile("Grid.grd", {});
        QCOMPARE(readFile("Grid.grd"), QByteArray(">>e<<\r\n"));
        QVERIFY(LoadGridFile("Grid.grd").isEmpty());
    }

    void lineBreakInTextSavedAsBlank()
    {
        const QList<GridRow> rows = {{"a\r\nb", {"x\ny"}}};
        QCOMPARE(LinesToGrid(GridToLines(rows)), (QList<GridRow>{{"a  b", {"x y"}}}));
    }

    void load_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QList<GridRow>>("rows");
        const QList<GridRow> two = {{"1", {"a", "b"}}, {"2", {"c"}}};
        QTest::newRow("CR LF") << QByteArray(">>c<<1\r\n>>s<<a\r\n>>s<<b\r\n>>c<<2\r\n>>s<<c\r\n>>e<<\r\n") << two;
        QTest::newRow("LF only") << QByteArray(">>c<<1\n>>s<<a\n>>s<<b\n>>c<<2\n>>s<<c\n>>e<<\n") << two;
        QTest::newRow("lone CR") << QByteArray(">>c<<1\r>>s<<a\r>>s<<b\r>>c<<2\r>>s<<c\r>>e<<\r") << two;
        QTest::newRow("end line first") << QByteArray(">>e<<\r\n>>c<<1\r\n>>s<<a\r\n") << QList<GridRow>{};
        QTest::newRow("text after end line") << QByteArray(">>c<<1\r\n>>s<<a\r\n>>s<<b\r\n>>c<<2\r\n>>s<<c\r\n>>e<<junk\r\n>>c<<3\r\n") << two;
        QTest::newRow("wrong-case markers skipped") << QByteArray(">>c<<1\r\n>>S<<x\r\n>>s<<a\r\n>>C<<9\r\n>>s<<b\r\n>>c<<2\r\n>>s<<c\r\n>>e<<\r\n") << two;
        QTest::newRow("short lines skipped") << QByteArray(">>c<<1\r\n>>\r\n\r\n>>s<<a\r\n>>s<<b\r\n>>c<<2\r\n>>s<<c\r\n>>e<<\r\n") << two;
        QTest::newRow("no end line keeps rows") << QByteArray(">>c<<1\r\n>>s<<a\r\n>>s<<b\r\n>>c<<2\r\n>>s<<c") << two;
        QTest::newRow("empty file") << QByteArray() << QList<GridRow>{};
        QTest::newRow("sub-item before first caption skipped") << QByteArray(">>s<<lost\r\n>>c<<1\r\n>>s<<a\r\n>>s<<b\r\n>>c<<2\r\n>>s<<c\r\n>>e<<\r\n") << two;
        QTest::newRow("marker alone") << QByteArray(">>c<<\r\n>>s<<\r\n>>e<<\r\n") << QList<GridRow>{{"", {""}}};
    }
    void load()
    {
        QFETCH(QByteArray, file);
        QFETCH(QList<GridRow>, rows);
        testsupport::TempWorkDir dir;
        writeFile("Grid.grd", file);
        QCOMPARE(LoadGridFile("Grid.grd"), rows);
    }

    void missingFileRaises()
    {
        testsupport::TempWorkDir dir;
        QVERIFY_THROWS_EXCEPTION(FileError, LoadGridFile("Grid.grd"));
    }

    void failedSaveKeepsOldFile()
    {
        testsupport::TempWorkDir dir;
        SaveGridFile("Grid.grd", {{"1", {"a"}}});
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        if (QFileInfo(dir.path()).isWritable()) {  // root writes anywhere: nothing to show
            QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
            QSKIP("running with rights that ignore permissions");
        }
        QVERIFY_THROWS_EXCEPTION(FileError, SaveGridFile("Grid.grd", {{"2", {"b"}}}));
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(LoadGridFile("Grid.grd"), (QList<GridRow>{{"1", {"a"}}}));
    }

    // The utility form works on a list view: check marks are not stored, the list is
    // emptied before the file is opened, and the line buffer holds the file's lines.
    void utilityFormWithListView()
    {
        testsupport::TempWorkDir dir;
        QTreeWidget list;
        list.setColumnCount(10);
        SetListViewRows(&list, {{"1", {"a"}}, {"2", {"b", "c"}}});
        list.topLevelItem(0)->setCheckState(0, Qt::Checked);
        TfrmZazAza form;
        form.ListFileName = "Grid.grd";
        form.ListItems = &list;
        form.btnSvLstVwTFlClick();
        QCOMPARE(form.m, (QStringList{">>c<<1", ">>s<<a", ">>c<<2", ">>s<<b", ">>s<<c", ">>e<<"}));
        form.btnLdLstVwFrmFlClick();
        QCOMPARE(list.topLevelItemCount(), 2);
        QCOMPARE(list.topLevelItem(0)->checkState(0), Qt::Unchecked);
        QCOMPARE(ListViewRows(&list), (QList<GridRow>{{"1", {"a"}}, {"2", {"b", "c"}}}));

        QFile::remove("Grid.grd");
        QVERIFY_THROWS_EXCEPTION(FileError, form.btnLdLstVwFrmFlClick());
        QCOMPARE(list.topLevelItemCount(), 0);
    }

    void indexOfCaption()
    {
        QTreeWidget list;
        QCOMPARE(IndexOfCaption(&list, "1"), -1);
        SetListViewRows(&list, {{"7", {}}, {"1", {}}, {"1", {}}, {"x ", {}}});
        QCOMPARE(IndexOfCaption(&list, "1"), 1);
        QCOMPARE(IndexOfCaption(&list, "x"), -1);
        QCOMPARE(IndexOfCaption(&list, "X "), -1);
    }
};

QTEST_MAIN(TestGridFile)
#include "tst_gridfile.moc"
