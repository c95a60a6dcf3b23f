#pragma once
// The moments of a tracked auction, fixed once when it is added, and the "ends" refresh
// ("Calc ends") that shows the time left in every row.
#include <QString>
#include <QStringList>

class QTreeWidget;

// The agent is started this long before the bid moment: 6 minutes, in days.
double LaunchLeadTime();

// The bid offset typed on the Options tab as whole seconds. Raises CorvaneError unless the
// text is decimal digits only with a value from 0 to 59.
int BidOffsetSeconds(const QString &bidOffsetText);

struct AuctionMoments {
    double ends = 0;    // site time, as given
    double bid = 0;     // local time
    double launch = 0;  // local time
    // The number texts for "TDateTime Ends", "TDateTime bidmoment", "tdatetime launchmoment".
    QString endsText;
    QString bidText;
    QString launchText;
};

// endMoment in site time; clockOffset = local time - site time, in days. Raises
// CorvaneError for a bid offset text that BidOffsetSeconds refuses, before anything else.
AuctionMoments ComputeMoments(double endMoment, double clockOffset, const QString &bidOffsetText);

// "ended" when target lies before now; otherwise "<h> h <m> m", or "<m> m" under one hour.
// Both are judged to the millisecond, the clock's own resolution.
QString RemainingTimeText(double target, double now);

// Rewrites "ends" of every row, first to last, from "TDateTime Ends" + clockOffset and the
// clock (Now(), read for each row). Rows showing "ended" are left alone. A row whose
// "TDateTime Ends" is not a number raises ConvertError there: the rows before it keep their
// new texts, the rows after it their old ones. Given unreadable, such rows are passed over
// instead and their auction ids collected there.
void CalcEnds(QTreeWidget *grid, double clockOffset, QStringList *unreadable = nullptr);
