#include "gridcommands.h"
#include "listview.h"
#include "messages.h"
#include "settings.h"
#include "systemopen.h"
#include "testsupport.h"
#include "trackedauction.h"

#include <QTreeWidget>
#include <QtTest>

using namespace trackedauction;

namespace {

enum class Command { ZeroChecked, ZeroAll, DeleteChecked, DeleteAll, DeleteEnded };

// A row in short: caption, "ends", "amount", checked.
struct Row {
    QString id;
    QString ends;
    QString amount;
    bool checked;
};

void fill(QTreeWidget *grid, const QList<Row> &rows)
{
    grid->setColumnCount(kColumnCount);
    QList<GridRow> gridRows;
    for (const Row &r : rows)
        gridRows.append({r.id, {r.ends, r.amount, "item " + r.id, "09-15-08 17:45:12", text::No,
                                "39706.7397222222", "39706.7393749999", "39706.7352083333"}});
    SetListViewRows(grid, gridRows);
    for (int i = 0; i < rows.size(); ++i)
        grid->topLevelItem(i)->setCheckState(0, rows[i].checked ? Qt::Checked : Qt::Unchecked);
}

// Rows back in short form, to compare whole grids.
QStringList summary(const QTreeWidget *grid)
{
    QStringList out;
    for (int i = 0; i < grid->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = grid->topLevelItem(i);
        out.append(QStringLiteral("%1|%2|%3|%4").arg(item->text(0), SubItem(item, col::Ends),
                                                    SubItem(item, col::Amount),
                                                    item->checkState(0) == Qt::Checked ? "x" : ""));
    }
    return out;
}

struct Recorded {
    QStringList messages;
    QStringList errors;
    QStringList prompts;  // title|prompt|preset
    QString answer;
    QList<QUrl> opened;
};

}  // namespace

Q_DECLARE_METATYPE(Command)
Q_DECLARE_METATYPE(QList<Row>)

class TestGridCommands : public QObject {
    Q_OBJECT
    Recorded rec;

private slots:
    void init()
    {
        rec = Recorded();
        SetMessageHooksForTesting({
            [this](const QString &t) { rec.messages.append(t); },
            [this](const QString &t) { rec.errors.append(t); },
            [this](const QString &title, const QString &prompt, const QString &preset) {
                rec.prompts.append(title + "|" + prompt + "|" + preset);
                return rec.answer;
            },
        });
        SetSystemOpenerForTesting([this](const QUrl &url) { rec.opened.append(url); });
    }
    void cleanup()
    {
        SetMessageHooksForTesting({});
        SetSystemOpenerForTesting({});
    }

    void commands_data()
    {
        QTest::addColumn<Command>("command");
        QTest::addColumn<QList<Row>>("rows");
        QTest::addColumn<QStringList>("after");

        const QList<Row> mixed = {{"1", "ended", "5", true},
                                  {"2", "2 h 3 m", "7.5", false},
                                  {"3", "99:99", "1e3", true},
                                  {"4", "ended", "-2", false}};
        QTest::newRow("zero checked") << Command::ZeroChecked << mixed
            << QStringList{"1|ended|0.00|x", "2|2 h 3 m|7.5|", "3|99:99|0.00|x", "4|ended|-2|"};
        QTest::newRow("zero checked, none checked") << Command::ZeroChecked
            << QList<Row>{{"1", "5 m", "5", false}, {"2", "ended", "6", false}}
            << QStringList{"1|5 m|5|", "2|ended|6|"};
        QTest::newRow("zero all") << Command::ZeroAll << mixed
            << QStringList{"1|ended|0.00|x", "2|2 h 3 m|0.00|", "3|99:99|0.00|x", "4|ended|0.00|"};
        QTest::newRow("delete checked at 1 and 2 of 3") << Command::DeleteChecked
            << QList<Row>{{"1", "5 m", "1", true}, {"2", "6 m", "2", true}, {"3", "7 m", "3", false}}
            << QStringList{"3|7 m|3|"};
        QTest::newRow("delete checked keeps order") << Command::DeleteChecked << mixed
            << QStringList{"2|2 h 3 m|7.5|", "4|ended|-2|"};
        QTest::newRow("delete checked, all checked") << Command::DeleteChecked
            << QList<Row>{{"1", "5 m", "1", true}, {"2", "6 m", "2", true}} << QStringList{};
        QTest::newRow("delete all") << Command::DeleteAll << mixed << QStringList{};
        QTest::newRow("delete all, empty grid") << Command::DeleteAll << QList<Row>{} << QStringList{};
        QTest::newRow("delete ended keeps 99:99") << Command::DeleteEnded << mixed
            << QStringList{"2|2 h 3 m|7.5|", "3|99:99|1e3|x"};
        QTest::newRow("delete ended is exact") << Command::DeleteEnded
            << QList<Row>{{"1", "Ended", "1", false}, {"2", "ended ", "2", false}, {"3", "ended", "3", false}}
            << QStringList{"1|Ended|1|", "2|ended |2|"};
    }
    void commands()
    {
        QFETCH(Command, command);
        QFETCH(QList<Row>, rows);
        QFETCH(QStringList, after);
        QTreeWidget grid;
        fill(&grid, rows);
        switch (command) {
        case Command::ZeroChecked: ZeroCheckedAmounts(&grid); break;
        case Command::ZeroAll: ZeroAllAmounts(&grid); break;
        case Command::DeleteChecked: DeleteCheckedRows(&grid); break;
        case Command::DeleteAll: DeleteAllRows(&grid); break;
        case Command::DeleteEnded: DeleteEndedRows(&grid); break;
        }
        QCOMPARE(summary(&grid), after);
        QVERIFY(rec.messages.isEmpty());
        QVERIFY(rec.errors.isEmpty());
    }

    void changeAmount_data()
    {
        QTest::addColumn<QString>("answer");   // what the input box returns
        QTest::addColumn<QString>("amount");   // the selected row's amount afterwards
        QTest::addColumn<QString>("message");  // empty: none
        QTest::newRow("cancel returns the preset") << "0.00" << "0.00" << "";
        QTest::newRow("12 stays 12") << "12" << "12" << "";
        QTest::newRow("decimal") << "12.50" << "12.50" << "";
        QTest::newRow("negative kept") << "-3" << "-3" << "";
        QTest::newRow("exponent kept") << "1e3" << "1e3" << "";
        QTest::newRow("thousands separator") << "1,000.00" << "0.00" << kEnterNumericValue;
        QTest::newRow("empty") << "" << "0.00" << kEnterNumericValue;
        QTest::newRow("letters") << "ten" << "0.00" << kEnterNumericValue;
    }
    void changeAmount()
    {
        QFETCH(QString, answer);
        QFETCH(QString, amount);
        QFETCH(QString, message);
        QTreeWidget grid;
        fill(&grid, {{"1", "5 m", "7", false}, {"2", "6 m", "0.00", false}, {"3", "7 m", "9", false}});
        grid.setCurrentItem(grid.topLevelItem(1));
        rec.answer = answer;
        ChangeSelectedAmount(&grid);
        QCOMPARE(rec.prompts, QStringList{"Change Bid Amount|Enter new bid amount|0.00"});
        QCOMPARE(summary(&grid), (QStringList{"1|5 m|7|", "2|6 m|" + amount + "|", "3|7 m|9|"}));
        QCOMPARE(rec.messages, message.isEmpty() ? QStringList{} : QStringList{message});
        QCOMPARE(AmountRefusal(answer), message);
    }

    void selectionNeeded()
    {
        QTreeWidget grid;
        fill(&grid, {{"1", "5 m", "7", true}});
        grid.setCurrentItem(grid.topLevelItem(0), 0, QItemSelectionModel::NoUpdate);
        ChangeSelectedAmount(&grid);
        ViewSelectedInBrowser(&grid, SiteHosts{});
        QCOMPARE(rec.messages, (QStringList{"You must select an item.", "You must select an item."}));
        QVERIFY(rec.prompts.isEmpty());
        QVERIFY(rec.opened.isEmpty());
        QCOMPARE(summary(&grid), QStringList{"1|5 m|7|x"});
    }

    void viewSelected()
    {
        testsupport::TempWorkDir dir;
        SiteHosts hosts = SiteHosts::Load();
        hosts.item = "http://127.0.0.1:8123";
        QTreeWidget grid;
        fill(&grid, {{"111", "5 m", "7", false}, {"2 2&x=1", "6 m", "0", false}});
        grid.setCurrentItem(grid.topLevelItem(0));
        ViewSelectedInBrowser(&grid, hosts);
        grid.setCurrentItem(grid.topLevelItem(1));
        ViewSelectedInBrowser(&grid, hosts);
        QCOMPARE(rec.opened, (QList<QUrl>{
            QUrl("http://127.0.0.1:8123/eBayISAPI.dll?ViewItem&item=111"),
            QUrl("http://127.0.0.1:8123/eBayISAPI.dll?ViewItem&item=2%202%26x%3D1")}));
        QVERIFY(rec.messages.isEmpty());
    }
};

QTEST_MAIN(TestGridCommands)
#include "tst_gridcommands.moc"
