#include "texthelpers.h"

#include "numbertext.h"

namespace {

const int kAmounts[6] = {-2, -1, 0, 1, 2, 3};

}  // namespace

int Pos(const QString &sub, const QString &text)
{
    return text.indexOf(sub) + 1;
}

QString Copy(const QString &text, int index, int count)
{
    if (count <= 0 || index > text.size())
        return QString();
    if (index < 1) {
        count += index - 1;
        index = 1;
        if (count <= 0)
            return QString();
    }
    return text.mid(index - 1, count);
}

bool TextIsNumber(const QString &text)
{
    return TryTextToFloat(text, nullptr);
}

QByteArray ScrambleText(const QByteArray &text)
{
    QByteArray out = text;
    for (int i = 0; i < out.size(); ++i) {
        const int amount = kAmounts[i % 6];
        unsigned char c = static_cast<unsigned char>(out[i] + amount);
        if (c == 0)
            c = static_cast<unsigned char>(amount);  // what a 0 would have become here
        out[i] = static_cast<char>(c);
    }
    return out;
}

QByteArray UnscrambleText(const QByteArray &text)
{
    QByteArray out = text;
    for (int i = 0; i < out.size(); ++i) {
        const int amount = kAmounts[i % 6];
        unsigned char c = static_cast<unsigned char>(out[i] - amount);
        if (c == 0)
            c = static_cast<unsigned char>(-amount);  // the carried code that scrambles to 0
        out[i] = static_cast<char>(c);
    }
    return out;
}
