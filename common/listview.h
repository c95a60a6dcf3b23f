#pragma once
// Rows of a report-style list view (a QTreeWidget without children): column 0 is the
// caption, the further columns the sub-items.
#include "gridfile.h"

class QTreeWidget;
class QTreeWidgetItem;

QList<GridRow> ListViewRows(const QTreeWidget *list);
// Replaces every row; loaded rows come with an unchecked check box.
void SetListViewRows(QTreeWidget *list, const QList<GridRow> &rows);
QTreeWidgetItem *AppendListViewRow(QTreeWidget *list, const GridRow &row);
// 0-based index of the first row whose caption equals the text exactly, -1 when none does.
int IndexOfCaption(const QTreeWidget *list, const QString &caption);
// Sub-item n of a row (column n + 1); empty when the row has none.
QString SubItem(const QTreeWidgetItem *item, int n);
void SetSubItem(QTreeWidgetItem *item, int n, const QString &text);
