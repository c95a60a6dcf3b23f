#include "addauction.h"

#include "datetext.h"
#include "numbertext.h"
#include "texthelpers.h"

namespace {

const QString kItemMarker = QStringLiteral("- eBay (item");
const QString kEndMarker = QStringLiteral(" end time ");
const int kEndTextLength = 18;

QString monthNumber(const QString &abbreviation)
{
    static const char *const kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    for (int i = 0; i < 12; ++i) {
        if (abbreviation == QLatin1String(kMonths[i]))
            return QStringLiteral("%1").arg(i + 1, 2, 10, QLatin1Char('0'));
    }
    return QString();
}

}  // namespace

ItemPageValues ExtractItemPageValues(const QString &pageTitle)
{
    ItemPageValues values;
    const int p1 = Pos(kItemMarker, pageTitle);
    values.description = Copy(pageTitle, 1, p1 - 2);

    const int p2 = Pos(kEndMarker, pageTitle);
    QString endText = Copy(pageTitle, p2 + kEndMarker.size(), kEndTextLength);
    const QString abbreviation = Copy(endText, 1, 3);
    const QString number = monthNumber(abbreviation);
    if (!abbreviation.isEmpty())
        endText.replace(abbreviation, number, Qt::CaseSensitive);
    TextToInt(number);  // no month: the add ends here with the conversion error

    values.endText = endText;
    values.endMoment = DateTextToDateTime(endText);
    values.auctionId = Copy(pageTitle, p1 + kItemMarker.size() + 1,
                            p2 - (p1 + kItemMarker.size() + 1));
    return values;
}
