#include "datetext.h"

#include "datetime.h"
#include "numbertext.h"
#include "texthelpers.h"

double DateTextToDateTime(const QString &text)
{
    const int month = TextToInt(Copy(text, 1, 2));
    const int day = TextToInt(Copy(text, 4, 2));
    const int year = TextToInt(QStringLiteral("20") + Copy(text, 7, 2));
    const int hour = TextToInt(Copy(text, 10, 2));
    const int minute = TextToInt(Copy(text, 13, 2));
    const int second = TextToInt(Copy(text, 16, 2));
    return EncodeDateTime(year, month, day, hour, minute, second);
}

QString ExtractSiteTimeText(const QStringList &documentLines)
{
    QString line = documentLines.isEmpty() ? QString() : documentLines.last();
    for (const QString &candidate : documentLines) {
        if (candidate.contains(QLatin1String("</b></p>"))) {
            line = candidate;
            break;
        }
    }
    const int p = Pos(QStringLiteral("day, "), line);
    QString text = Copy(line, p + 5, line.size() - 12 - (p + 5) + 1);
    const int blank = text.indexOf(QLatin1Char(' '));
    const QString monthName = blank < 0 ? QString() : text.left(blank);
    if (!monthName.isEmpty())
        text.replace(monthName, MonthNameToNumber(monthName), Qt::CaseSensitive);
    return text;
}

namespace {

const char *const kMonths[12] = {"January", "February", "March",     "April",
                                 "May",     "June",     "July",      "August",
                                 "September", "October", "November", "December"};

// 1 to 12 for the month whose name (or its first `letters` letters) is the text; 0 for none.
int monthIndex(const QString &text, int letters)
{
    for (int i = 0; i < 12; ++i) {
        if (text == QLatin1String(kMonths[i]).left(letters))
            return i + 1;
    }
    return 0;
}

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

}  // namespace

QString MonthNameToNumber(const QString &name)
{
    return twoDigits(monthIndex(name, -1));
}

QString MonthAbbreviationToNumber(const QString &abbreviation)
{
    const int month = abbreviation.size() == 3 ? monthIndex(abbreviation, 3) : 0;
    return month ? twoDigits(month) : QString();
}
