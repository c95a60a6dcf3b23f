#include "scheduler.h"

#include "listview.h"
#include "numbertext.h"
#include "trackedauction.h"

#include <QTreeWidget>

AuctionChoice ChooseNextAuction(const QTreeWidget *grid, double now)
{
    AuctionChoice choice;
    double chosenLaunch = 0;
    const int count = grid->topLevelItemCount();
    for (int i = 0; i < count; ++i) {
        QTreeWidgetItem *row = grid->topLevelItem(i);
        double amount = 0;
        if (!TryTextToFloat(SubItem(row, col::Amount), &amount)) {
            choice.unreadable.append(row->text(0));
            continue;
        }
        const bool waiting = SubItem(row, col::HasLaunched) == text::No
            && SubItem(row, col::Ends) != text::Ended && amount != 0;
        if (!waiting)
            continue;
        double end = 0, bid = 0, launch = 0;
        if (!TryTextToFloat(SubItem(row, col::EndMoment), &end)
            || !TryTextToFloat(SubItem(row, col::BidMoment), &bid)
            || !TryTextToFloat(SubItem(row, col::LaunchMoment), &launch)) {
            choice.unreadable.append(row->text(0));
            continue;
        }
        if (!choice.found || bid < choice.bidMoment) {
            choice.row = row;
            choice.bidMoment = bid;
            chosenLaunch = launch;
            choice.found = true;
        }
    }
    choice.launchDue = choice.found && chosenLaunch < now;
    return choice;
}

jobfiles::BidJob BidJobForRow(const QTreeWidgetItem *row, const QString &bidMomentText,
                              const QString &userId, const QString &password)
{
    jobfiles::BidJob job;
    job.description = SubItem(row, col::Description);
    job.bidMoment = bidMomentText;
    job.userId = userId;
    job.password = password;
    job.amount = SubItem(row, col::Amount);
    job.auctionId = row->text(0);
    return job;
}

bool LaunchAgent(const jobfiles::BidJob &job, QString *error)
{
    jobfiles::WriteJobFile(jobfiles::ComposeBidJob(job));
    return jobfiles::StartAgent(error);
}
