#pragma once
// The bid-agent scheduler: which waiting auction comes next, whether it is due, and the
// bid job that sends the agent to it.
#include "jobfiles.h"

#include <QStringList>

class QTreeWidget;
class QTreeWidgetItem;

struct AuctionChoice {
    QTreeWidgetItem *row = nullptr;  // the waiting row with the earliest bid moment
    double bidMoment = 0;
    bool found = false;
    bool launchDue = false;          // its launch moment lies before now
    QStringList unreadable;          // auction ids of rows whose numbers could not be read
};

// Among the rows that wait ("Has Launched" "no", not "ended", amount not 0) the one with the
// earliest bid moment, the upper row on a tie. A row whose amount or moments are not numbers
// (its end too: without it, it cannot be told whether the auction has ended)
// is passed over and named in unreadable, so it cannot hold up the others.
AuctionChoice ChooseNextAuction(const QTreeWidget *grid, double now);

// The bid job for a row; bidMomentText is line 2 as the caller wants it written.
jobfiles::BidJob BidJobForRow(const QTreeWidgetItem *row, const QString &bidMomentText,
                              const QString &userId, const QString &password);

// Writes the job file and starts the agent. Raises FileError when the job file cannot be
// written (the agent is then not started); returns false with the reason when the agent
// cannot be started.
bool LaunchAgent(const jobfiles::BidJob &job, QString *error);
