#pragma once
// The time probe: the site's official time read from its page, and the clock offset
// (local time minus site time, in days) measured against it.
#include <QString>

class TfrmZazAza;
struct FetchTiming;

// "09 10, 2008 19:51:35" to the site time it stands for. The page shows whole seconds,
// truncated, so the true site time lies somewhere in the second shown: half a second is
// added to centre the error. Raises ConvertError.
double SiteTimeFromText(const QString &officialTimeText);

// The local moment at which the site read its clock: midway between the request going out
// and the answer coming in. Falls back to now when the fetch left no timing.
double MeasurementMoment(const FetchTiming &timing);

// Fetches the official-time page with the utility form's page fetcher and returns the
// clock offset. Raises ConvertError when the site gave no readable time.
double MeasureClockOffset(TfrmZazAza &fetcher, const QString &officialTimeUrl);
