#pragma once
// Text operations with the 1-based positions that the title cutting and the date texts use,
// the number test for typed amounts, and the keyless scrambling of the stored password.
#include <QByteArray>
#include <QString>

// 1-based position of the first occurrence of sub in text, 0 when absent.
int Pos(const QString &sub, const QString &text);
// count characters from 1-based position index; shorter when the text ends sooner, empty
// when index lies beyond the end or count is 0 or less.
QString Copy(const QString &text, int index, int count);

// True when the text reads as a floating-point number with the locale's decimal separator.
bool TextIsNumber(const QString &text);

// Adds -2, -1, 0, +1, +2, +3 (repeating) to each 8-bit code, wrapping modulo 256.
// A code that would become 0 is stored as the code a 0 would give at that position
// (0 never occurs in a password), so the stored text never holds a 0 and reads back.
QByteArray ScrambleText(const QByteArray &text);
QByteArray UnscrambleText(const QByteArray &text);
