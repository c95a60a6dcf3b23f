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

QString MonthNameToNumber(const QString &name)
{
    static const char *const kMonths[12] = {"January", "February", "March",     "April",
                                            "May",     "June",     "July",      "August",
                                            "September", "October", "November", "December"};
    for (int i = 0; i < 12; ++i) {
        if (name == QLatin1String(kMonths[i]))
            return QStringLiteral("%1").arg(i + 1, 2, 10, QLatin1Char('0'));
    }
    return QStringLiteral("00");
}
