#pragma once
// The one codec between real numbers and their text form in the grid, the job file and
// the acknowledgement file, and the integer reading used for user-typed whole numbers.
#include <QString>

// 15 significant digits; plain form for magnitudes from 0.0001 up to below 1E15, exponent
// form otherwise; the decimal separator of the current locale; no thousands separator.
QString FloatToText(double value);

// Reads what FloatToText writes and what a user types ("12", "-3.5", "1e5", " 7 "):
// optional blanks around, sign, digits with the locale's decimal separator, optional exponent.
bool TryTextToFloat(const QString &text, double *value);
// As TryTextToFloat, raising ConvertError ("'x' is not a valid floating point value").
double TextToFloat(const QString &text);

// Whole number: blanks before the digits are accepted, after them not; an optional sign;
// decimal, or hexadecimal after "0x" or "$".
bool TryTextToInt(const QString &text, int *value);
// As TryTextToInt, raising ConvertError ("'x' is not a valid integer value").
int TextToInt(const QString &text);
