#include "countdown.h"

#include <cmath>

int CountSeconds(double bidMoment, double now)
{
    // Through whole milliseconds (the clock's resolution), so that a distance of exactly
    // four seconds never reads as 3.999... and confirms a tick too early.
    const double ms = std::fabs(bidMoment - now) * 86400000.0;
    if (ms >= 2147483647000.0)
        return 2147483647;
    return int(std::llround(ms) / 1000);
}

QString SecondsText(int count)
{
    return QString::number(count) + QStringLiteral(" seconds");
}

bool CountConfirms(int count)
{
    return count <= 3;
}
