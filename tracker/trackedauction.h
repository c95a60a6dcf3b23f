#pragma once
// One row of the tracker's grid (a TrackedAuction): the auction id as caption, then the
// sub-items below, all texts.
#include <QString>

// Sub-item indices (column = index + 1).
namespace col {
enum : int {
    Ends = 0,           // "ends": time left, or "ended"
    Amount = 1,         // "amount": the snipe amount as typed
    Description = 2,    // "description"
    ActualEndText = 3,  // "Actual End Text": MM-DD-YY hh:mm:ss, site time
    HasLaunched = 4,    // "Has Launched": "no" or "yes"
    EndMoment = 5,      // "TDateTime Ends": end moment, site time
    BidMoment = 6,      // "TDateTime bidmoment": local time
    LaunchMoment = 7,   // "tdatetime launchmoment": local time
    Unused = 8          // captionless, never written
};
}  // namespace col

// The fixed texts of a row.
namespace text {
inline const QString Ended = QStringLiteral("ended");
inline const QString NotCalculated = QStringLiteral("99:99");  // "ends" of a new row
inline const QString ZeroAmount = QStringLiteral("0.00");
inline const QString No = QStringLiteral("no");
inline const QString Yes = QStringLiteral("yes");
}  // namespace text

namespace trackedauction {

// Caption plus nine sub-item columns.
constexpr int kColumnCount = 10;

struct ColumnSpec {
    const char *caption;
    int width;  // 1 for the columns the user never sees
};

// Captions and widths of the grid's columns, caption column first.
inline constexpr ColumnSpec kColumns[kColumnCount] = {
    {"auction id", 100},
    {"ends", 75},
    {"amount", 50},
    {"description", 300},
    {"Actual End Text", 1},
    {"Has Launched", 1},
    {"TDateTime Ends", 1},
    {"TDateTime bidmoment", 1},
    {"tdatetime launchmoment", 1},
    {"", 1},
};
// Columns from this one on are hidden.
constexpr int kFirstHiddenColumn = col::ActualEndText + 1;

// The grid file, in the current directory.
inline const QString kGridFile = QStringLiteral("Grid.grd");

}  // namespace trackedauction
