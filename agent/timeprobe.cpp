#include "timeprobe.h"

#include "datetext.h"
#include "datetime.h"
#include "httpget.h"
#include "zazaza.h"

double SiteTimeFromText(const QString &officialTimeText)
{
    QString text = officialTimeText;
    // "MM DD, YYYY hh:mm:ss" to "MM DD YY hh:mm:ss", the fixed positions of the date text.
    text.replace(QStringLiteral(", 20"), QStringLiteral(" "));
    return DateTextToDateTime(text) + 0.5 * kOneSecond;
}

double MeasurementMoment(const FetchTiming &timing)
{
    if (!timing.valid || timing.sent <= 0 || timing.received <= 0)
        return Now();
    return timing.Midpoint();
}

double MeasureClockOffset(TfrmZazAza &fetcher, const QString &officialTimeUrl)
{
    fetcher.FetchPage(officialTimeUrl);
    // Taken before the conversion, which may raise: the timing belongs to this fetch.
    const double local = MeasurementMoment(LastFetchTiming());
    const double site = SiteTimeFromText(fetcher.ExtractSiteTimeText());
    return local - site;
}
