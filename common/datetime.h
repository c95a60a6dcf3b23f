#pragma once
// Moments are doubles: days since 1899-12-30 00:00 on the local wall clock, the fraction
// being the time of day.
#include <QDateTime>

constexpr double kOneSecond = 1.0 / 86400.0;

// Hours, minutes and seconds as a span of days.
double Duration(int hours, int minutes, int seconds);

// Raises ConvertError when the date or the time is out of range.
double EncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                      int msec = 0);
double ToDateTime(const QDateTime &local);
QDateTime FromDateTime(double moment);

// The local clock, milliseconds included; a clock source that tests can replace.
double Now();
using ClockFunction = double (*)();
void SetClockForTesting(ClockFunction clock);  // nullptr restores the real clock
