#include "addauction.h"

#include "datetext.h"
#include "numbertext.h"
#include "texthelpers.h"

namespace {

const QString kItemMarker = QStringLiteral("- eBay (item");
const QString kEndMarker = QStringLiteral(" end time ");
const int kEndTextLength = 18;

}  // namespace

ItemPageValues ExtractItemPageValues(const QString &pageTitle)
{
    ItemPageValues values;
    const int p1 = Pos(kItemMarker, pageTitle);
    values.description = Copy(pageTitle, 1, p1 - 2);

    const int p2 = Pos(kEndMarker, pageTitle);
    QString endText = Copy(pageTitle, p2 + kEndMarker.size(), kEndTextLength);
    const QString abbreviation = Copy(endText, 1, 3);
    const QString number = MonthAbbreviationToNumber(abbreviation);
    if (!abbreviation.isEmpty())
        endText.replace(abbreviation, number, Qt::CaseSensitive);
    TextToInt(number);  // no month: the add ends here with the conversion error

    values.endText = endText;
    values.endMoment = DateTextToDateTime(endText);
    values.auctionId = Copy(pageTitle, p1 + kItemMarker.size() + 1,
                            p2 - (p1 + kItemMarker.size() + 1));
    return values;
}
