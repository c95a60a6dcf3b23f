#pragma once
// The commands of the grid's popup menu, over the grid alone. None asks for confirmation
// and none saves the grid file.
#include <QString>

class QTreeWidget;
class QTreeWidgetItem;
struct SiteHosts;

inline const QString kSelectAnItem = QStringLiteral("You must select an item.");
inline const QString kEnterNumericValue = QStringLiteral("You must enter a numeric value.");

// The selected row (at most one), or null.
QTreeWidgetItem *SelectedRow(const QTreeWidget *grid);

// The message that refuses a new amount text, empty when the text may be stored as it is.
QString AmountRefusal(const QString &text);

// Asks for the selected row's new amount (input box preset to the current one; Cancel gives
// the preset back) and stores the text unchanged when it is numeric. Without a selected row,
// or for a text that is not numeric, shows the refusal and changes nothing.
void ChangeSelectedAmount(QTreeWidget *grid);

// Opens the selected row's item-view page in the system's web browser.
void ViewSelectedInBrowser(const QTreeWidget *grid, const SiteHosts &hosts);

void ZeroCheckedAmounts(QTreeWidget *grid);
void ZeroAllAmounts(QTreeWidget *grid);
// The remaining rows keep their order.
void DeleteCheckedRows(QTreeWidget *grid);
void DeleteAllRows(QTreeWidget *grid);
// Deletes the rows whose "ends" is exactly "ended".
void DeleteEndedRows(QTreeWidget *grid);
