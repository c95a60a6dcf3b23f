#include "gridcommands.h"

#include "listview.h"
#include "messages.h"
#include "settings.h"
#include "systemopen.h"
#include "texthelpers.h"
#include "trackedauction.h"

#include <QTreeWidget>
#include <functional>

using namespace trackedauction;

namespace {

// Deleting from the end keeps the indices of the rows still to be looked at valid; the
// result is the same as restarting the scan after every deletion.
void deleteRowsWhere(QTreeWidget *grid, const std::function<bool(const QTreeWidgetItem *)> &test)
{
    for (int i = grid->topLevelItemCount() - 1; i >= 0; --i) {
        if (test(grid->topLevelItem(i)))
            delete grid->takeTopLevelItem(i);
    }
}

}  // namespace

QTreeWidgetItem *SelectedRow(const QTreeWidget *grid)
{
    const QList<QTreeWidgetItem *> selected = grid->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

QString AmountRefusal(const QString &text)
{
    return TextIsNumber(text) ? QString() : kEnterNumericValue;
}

void ChangeSelectedAmount(QTreeWidget *grid)
{
    QTreeWidgetItem *row = SelectedRow(grid);
    if (!row) {
        ShowMessage(kSelectAnItem);
        return;
    }
    const QString text = InputBox(QStringLiteral("Change Bid Amount"),
                                  QStringLiteral("Enter new bid amount"), SubItem(row, col::Amount));
    const QString refusal = AmountRefusal(text);
    if (!refusal.isEmpty()) {
        ShowMessage(refusal);
        return;
    }
    SetSubItem(row, col::Amount, text);
}

void ViewSelectedInBrowser(const QTreeWidget *grid, const SiteHosts &hosts)
{
    const QTreeWidgetItem *row = SelectedRow(grid);
    if (!row) {
        ShowMessage(kSelectAnItem);
        return;
    }
    OpenInSystem(QUrl(siteaddress::ItemView(hosts, row->text(0))));
}

void ZeroCheckedAmounts(QTreeWidget *grid)
{
    const int count = grid->topLevelItemCount();
    for (int i = 0; i < count; ++i) {
        QTreeWidgetItem *row = grid->topLevelItem(i);
        if (row->checkState(0) == Qt::Checked)
            SetSubItem(row, col::Amount, text::ZeroAmount);
    }
}

void ZeroAllAmounts(QTreeWidget *grid)
{
    const int count = grid->topLevelItemCount();
    for (int i = 0; i < count; ++i)
        SetSubItem(grid->topLevelItem(i), col::Amount, text::ZeroAmount);
}

void DeleteCheckedRows(QTreeWidget *grid)
{
    deleteRowsWhere(grid, [](const QTreeWidgetItem *row) {
        return row->checkState(0) == Qt::Checked;
    });
}

void DeleteAllRows(QTreeWidget *grid)
{
    grid->clear();
}

void DeleteEndedRows(QTreeWidget *grid)
{
    deleteRowsWhere(grid, [](const QTreeWidgetItem *row) { return SubItem(row, col::Ends) == text::Ended; });
}
