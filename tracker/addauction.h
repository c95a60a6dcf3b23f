#pragma once
// Cutting an auction's values out of the title of its item page, which reads
// "<description> - eBay (item <number> end time Mon-DD-YY hh:mm:ss <zone>)".
#include <QString>

struct ItemPageValues {
    QString description;
    QString endText;      // MM-DD-YY hh:mm:ss, the month as its number
    double endMoment = 0; // in the site's time
    QString auctionId;
};

// Raises ConvertError when the title holds no end time that reads as a date.
ItemPageValues ExtractItemPageValues(const QString &pageTitle);
