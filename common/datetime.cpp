#include "datetime.h"

#include "errors.h"

#include <cmath>
#include <limits>

namespace {

// Julian day of 1899-12-30, the day the moments count from (a constant: no start-up order).
constexpr qint64 kEpochJulianDay = 2415019;
ClockFunction g_clock = nullptr;

}  // namespace

double Duration(int hours, int minutes, int seconds)
{
    return (double(hours) * 3600000.0 + double(minutes) * 60000.0 + double(seconds) * 1000.0)
        / 86400000.0;
}

double EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int msec)
{
    const QDate date(year, month, day);
    if (!date.isValid())
        throw ConvertError(QStringLiteral("'%1-%2-%3' is not a valid date")
                               .arg(year).arg(month).arg(day));
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59
        || msec < 0 || msec > 999)
        throw ConvertError(QStringLiteral("'%1:%2:%3' is not a valid time")
                               .arg(hour).arg(minute).arg(second));
    const double days = double(date.toJulianDay() - kEpochJulianDay);
    return days + (hour * 3600000.0 + minute * 60000.0 + second * 1000.0 + msec) / 86400000.0;
}

double ToDateTime(const QDateTime &local)
{
    const QDateTime l = local.toLocalTime();
    const QTime t = l.time();
    return double(l.date().toJulianDay() - kEpochJulianDay) + t.msecsSinceStartOfDay() / 86400000.0;
}

QDateTime FromDateTime(double moment)
{
    const double dayPart = std::floor(moment);
    qint64 msecs = qint64(std::llround((moment - dayPart) * 86400000.0));
    qint64 day = qint64(dayPart) + kEpochJulianDay;
    if (msecs >= 86400000) {
        msecs -= 86400000;
        ++day;
    }
    return QDateTime(QDate::fromJulianDay(day), QTime::fromMSecsSinceStartOfDay(int(msecs)));
}

double Now()
{
    if (g_clock)
        return g_clock();
    // Asking for the local time zone costs a system call; the offset from UTC is asked for
    // at most once a second, which the grid's per-row reads of the clock need.
    static qint64 offsetCheckedAt = std::numeric_limits<qint64>::min();
    static qint64 offsetMs = 0;
    const qint64 utcMs = QDateTime::currentMSecsSinceEpoch();
    if (utcMs - offsetCheckedAt > 1000 || utcMs < offsetCheckedAt) {
        offsetMs = qint64(QDateTime::fromMSecsSinceEpoch(utcMs).offsetFromUtc()) * 1000;
        offsetCheckedAt = utcMs;
    }
    const double kUnixEpochDay = 25569.0;  // 1970-01-01 counted from 1899-12-30
    return kUnixEpochDay + double(utcMs + offsetMs) / 86400000.0;
}

void SetClockForTesting(ClockFunction clock)
{
    g_clock = clock;
}
