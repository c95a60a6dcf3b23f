#include "endtimes.h"

#include "datetime.h"
#include "errors.h"
#include "listview.h"
#include "numbertext.h"
#include "trackedauction.h"

#include <QTreeWidget>
#include <cmath>

double LaunchLeadTime()
{
    return Duration(0, 6, 0);
}

int BidOffsetSeconds(const QString &bidOffsetText)
{
    bool digitsOnly = !bidOffsetText.isEmpty() && bidOffsetText.size() <= 9;
    for (const QChar c : bidOffsetText) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            digitsOnly = false;
    }
    const int seconds = digitsOnly ? bidOffsetText.toInt() : -1;
    if (seconds < 0 || seconds > 59)
        throw CorvaneError(QStringLiteral("The bid offset must be a whole number of seconds from "
                                          "0 to 59 (Options tab); it is now \"%1\".")
                               .arg(bidOffsetText));
    return seconds;
}

AuctionMoments ComputeMoments(double endMoment, double clockOffset, const QString &bidOffsetText)
{
    const int seconds = BidOffsetSeconds(bidOffsetText);
    AuctionMoments m;
    m.ends = endMoment;
    m.bid = endMoment + clockOffset - Duration(0, 0, seconds);
    m.launch = m.bid - LaunchLeadTime();
    m.endsText = FloatToText(m.ends);
    m.bidText = FloatToText(m.bid);
    m.launchText = FloatToText(m.launch);
    return m;
}

QString RemainingTimeText(double target, double now)
{
    // Taken to the millisecond, the clock's resolution: a moment read back from its 15-digit
    // text, or an hour's span, must not turn into "ended" or "59 m" through a double's last bits.
    const qint64 ms = std::llround((target - now) * 86400000.0);
    if (ms < 0)
        return text::Ended;
    const qint64 hours = ms / 3600000;
    const qint64 minutes = (ms / 60000) % 60;
    if (hours < 1)
        return QString::number(minutes) + QStringLiteral(" m");
    return QString::number(hours) + QStringLiteral(" h ") + QString::number(minutes)
        + QStringLiteral(" m");
}

void CalcEnds(QTreeWidget *grid, double clockOffset, QStringList *unreadable)
{
    using namespace trackedauction;
    const int count = grid->topLevelItemCount();
    for (int i = 0; i < count; ++i) {
        QTreeWidgetItem *row = grid->topLevelItem(i);
        if (SubItem(row, col::Ends) == text::Ended)
            continue;
        const double now = Now();
        double end = 0;
        if (unreadable && !TryTextToFloat(SubItem(row, col::EndMoment), &end)) {
            unreadable->append(row->text(0));
            continue;
        }
        if (!unreadable)
            end = TextToFloat(SubItem(row, col::EndMoment));
        const double target = end + clockOffset;
        const QString text = RemainingTimeText(target, now);
        if (SubItem(row, col::Ends) != text)
            SetSubItem(row, col::Ends, text);
    }
}
