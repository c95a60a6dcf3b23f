#include "listview.h"

#include <QTreeWidget>

namespace {

QTreeWidgetItem *makeItem(const GridRow &row)
{
    QStringList texts;
    texts.reserve(row.subItems.size() + 1);
    texts.append(row.caption);
    texts.append(row.subItems);
    auto *item = new QTreeWidgetItem(texts);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsUserCheckable
                   | Qt::ItemNeverHasChildren);
    item->setCheckState(0, Qt::Unchecked);
    return item;
}

}  // namespace

QList<GridRow> ListViewRows(const QTreeWidget *list)
{
    QList<GridRow> rows;
    const int count = list->topLevelItemCount();
    rows.reserve(count);
    for (int i = 0; i < count; ++i) {
        const QTreeWidgetItem *item = list->topLevelItem(i);
        GridRow row{item->text(0), {}};
        const int columns = item->columnCount();
        row.subItems.reserve(columns - 1);
        for (int c = 1; c < columns; ++c)
            row.subItems.append(item->text(c));
        rows.append(row);
    }
    return rows;
}

void SetListViewRows(QTreeWidget *list, const QList<GridRow> &rows)
{
    list->clear();
    QList<QTreeWidgetItem *> items;
    items.reserve(rows.size());
    for (const GridRow &row : rows)
        items.append(makeItem(row));
    list->addTopLevelItems(items);
}

QTreeWidgetItem *AppendListViewRow(QTreeWidget *list, const GridRow &row)
{
    QTreeWidgetItem *item = makeItem(row);
    list->addTopLevelItem(item);
    return item;
}

int IndexOfCaption(const QTreeWidget *list, const QString &caption)
{
    const int count = list->topLevelItemCount();
    for (int i = 0; i < count; ++i) {
        if (list->topLevelItem(i)->text(0) == caption)
            return i;
    }
    return -1;
}

QString SubItem(const QTreeWidgetItem *item, int n)
{
    return n + 1 < item->columnCount() ? item->text(n + 1) : QString();
}

void SetSubItem(QTreeWidgetItem *item, int n, const QString &text)
{
    item->setText(n + 1, text);
}
