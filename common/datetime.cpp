#include "datetime.h"

#include "errors.h"

#include <cmath>

namespace {

const qint64 kEpochJulianDay = QDate(1899, 12, 30).toJulianDay();
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
    return ToDateTime(QDateTime::currentDateTime());
}

void SetClockForTesting(ClockFunction clock)
{
    g_clock = clock;
}
