#pragma once
// The site's date and time texts turned into moments. No time-zone conversion happens:
// a value is the wall-clock time the text shows, on the site's own clock.
#include <QString>
#include <QStringList>

// Month, day, two-digit year (20YY), hour, minute, second at characters 1-2, 4-5, 7-8,
// 10-11, 13-14, 16-17; raises ConvertError for a field that is not a whole number and for
// a date or time out of range.
double DateTextToDateTime(const QString &text);

// Cuts "MM DD, YYYY hh:mm:ss" out of the official-time page's lines.
QString ExtractSiteTimeText(const QStringList &documentLines);

// "January".."December" (exact) to "01".."12"; anything else "00".
QString MonthNameToNumber(const QString &name);
// "Jan".."Dec" (exact) to "01".."12"; anything else the empty text.
QString MonthAbbreviationToNumber(const QString &abbreviation);
