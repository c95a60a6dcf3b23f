#pragma once
// The countdown's arithmetic: how far the local clock is from the bid moment, and when the
// bid is confirmed.
#include <QString>

// Whole seconds between the bid moment and now, on either side, truncated toward zero.
int CountSeconds(double bidMoment, double now);
// "125 seconds", "1 seconds".
QString SecondsText(int count);
// A count of 3 or less confirms the bid.
bool CountConfirms(int count);
