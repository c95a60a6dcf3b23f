#include "numbertext.h"

#include "errors.h"

#include <QLocale>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {

QChar decimalSeparator()
{
    const QString point = QLocale().decimalPoint();
    return point.isEmpty() ? QChar('.') : point.at(0);
}

}  // namespace

QString FloatToText(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (value == 0)
        return QStringLiteral("0");

    // Let the C library do the rounding to 15 significant digits: d.ddddddddddddddE±x.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14E", value);
    const QByteArray text(buf);
    const bool negative = text.startsWith('-');
    const int ePos = text.indexOf('E');
    QByteArray digits = text.mid(negative ? 1 : 0, ePos - (negative ? 1 : 0));
    digits.remove(1, 1);  // the point after the first digit
    const int exponent = text.mid(ePos + 1).toInt();
    while (digits.size() > 1 && digits.endsWith('0'))
        digits.chop(1);

    const QChar sep = decimalSeparator();
    QString out;
    if (negative)
        out += QLatin1Char('-');
    // 0.0001 is 1E-4; everything from there up to 999999999999999 (exponent 14) is plain.
    if (exponent >= -4 && exponent < 15) {
        if (exponent < 0) {
            out += QLatin1Char('0');
            out += sep;
            out += QString(-exponent - 1, QLatin1Char('0'));
            out += QString::fromLatin1(digits);
        } else {
            const int intDigits = exponent + 1;
            if (digits.size() <= intDigits) {
                out += QString::fromLatin1(digits);
                out += QString(intDigits - digits.size(), QLatin1Char('0'));
            } else {
                out += QString::fromLatin1(digits.left(intDigits));
                out += sep;
                out += QString::fromLatin1(digits.mid(intDigits));
            }
        }
    } else {
        out += QLatin1Char(digits.at(0));
        if (digits.size() > 1) {
            out += sep;
            out += QString::fromLatin1(digits.mid(1));
        }
        out += QLatin1Char('E');
        if (exponent < 0)
            out += QLatin1Char('-');
        out += QString::number(std::abs(exponent));
    }
    return out;
}

bool TryTextToFloat(const QString &text, double *value)
{
    const QChar sep = decimalSeparator();
    const QChar *p = text.constData();
    int i = 0;
    int n = text.size();
    while (i < n && p[i].isSpace())
        ++i;
    while (n > i && p[n - 1].isSpace())
        --n;
    // The number rewritten in the C form for from_chars; the grid reads many of them per tick,
    // so no allocation for ordinary lengths.
    char stack[64];
    QByteArray heap;
    char *plain = stack;
    if (n - i >= int(sizeof stack)) {
        heap.resize(n - i + 1);
        plain = heap.data();
    }
    int out = 0;
    const auto isDigit = [](QChar c) { return c.unicode() >= '0' && c.unicode() <= '9'; };
    if (i < n && p[i] == QLatin1Char('-'))
        plain[out++] = char(p[i++].unicode());
    else if (i < n && p[i] == QLatin1Char('+'))
        ++i;  // from_chars takes no plus sign
    int mantissaDigits = 0;
    while (i < n && isDigit(p[i])) {
        plain[out++] = char(p[i++].unicode());
        ++mantissaDigits;
    }
    if (i < n && p[i] == sep) {
        plain[out++] = '.';
        ++i;
        while (i < n && isDigit(p[i])) {
            plain[out++] = char(p[i++].unicode());
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return false;
    if (i < n && (p[i] == QLatin1Char('e') || p[i] == QLatin1Char('E'))) {
        plain[out++] = 'E';
        ++i;
        if (i < n && (p[i] == QLatin1Char('+') || p[i] == QLatin1Char('-')))
            plain[out++] = char(p[i++].unicode());
        int expDigits = 0;
        while (i < n && isDigit(p[i])) {
            plain[out++] = char(p[i++].unicode());
            ++expDigits;
        }
        if (expDigits == 0)
            return false;
    }
    if (i != n)
        return false;
    double v = 0;
    // from_chars reads the C form whatever the process's C locale says.
    const std::from_chars_result r = std::from_chars(plain, plain + out, v);
    if (r.ec != std::errc() || r.ptr != plain + out || std::isinf(v) || std::isnan(v))
        return false;
    if (value)
        *value = v;
    return true;
}

double TextToFloat(const QString &text)
{
    double v = 0;
    if (!TryTextToFloat(text, &v))
        throw ConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    return v;
}

bool TryTextToInt(const QString &text, int *value)
{
    int i = 0;
    const int n = text.size();
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        negative = text[i++] == QLatin1Char('-');
    int base = 10;
    if (i < n && text[i] == QLatin1Char('$')) {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == QLatin1Char('0')
               && (text[i + 1] == QLatin1Char('x') || text[i + 1] == QLatin1Char('X'))) {
        base = 16;
        i += 2;
    }
    if (i >= n)
        return false;
    qint64 v = 0;
    for (; i < n; ++i) {
        const ushort c = text[i].unicode();
        int d = -1;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        if (d < 0)
            return false;
        v = v * base + d;
        if (v > qint64(std::numeric_limits<int>::max()) + 1)
            return false;
    }
    if (negative)
        v = -v;
    if (v > std::numeric_limits<int>::max() || v < std::numeric_limits<int>::min())
        return false;
    if (value)
        *value = int(v);
    return true;
}

int TextToInt(const QString &text)
{
    int v = 0;
    if (!TryTextToInt(text, &v))
        throw ConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return v;
}
