#include "textfile.h"

#include "errors.h"

#include <QFile>
#include <QSaveFile>

QByteArray ReadWholeFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw FileError(QStringLiteral("Cannot read file \"%1\". %2").arg(path, file.errorString()));
    return bytes;
}

void WriteWholeFile(const QString &path, const QByteArray &bytes, FileAccess access)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw FileError(QStringLiteral("Cannot create file \"%1\". %2").arg(path, file.errorString()));
    if (access == FileAccess::OwnerOnly)
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw FileError(QStringLiteral("Cannot write file \"%1\". %2").arg(path, file.errorString()));
}

QList<LineWithBreak> SplitLinesWithBreaks(const QByteArray &bytes)
{
    QList<LineWithBreak> lines;
    const int n = bytes.size();
    int start = 0;
    for (int i = 0; i < n; ++i) {
        const char c = bytes.at(i);
        if (c != '\r' && c != '\n')
            continue;
        LineWithBreak line{bytes.mid(start, i - start), QByteArray(1, c)};
        if (c == '\r' && i + 1 < n && bytes.at(i + 1) == '\n') {
            line.lineBreak = "\r\n";
            ++i;
        }
        lines.append(line);
        start = i + 1;
    }
    if (start < n)
        lines.append(LineWithBreak{bytes.mid(start), QByteArray()});
    return lines;
}

QList<QByteArray> SplitLines(const QByteArray &bytes)
{
    QList<QByteArray> lines;
    const QList<LineWithBreak> withBreaks = SplitLinesWithBreaks(bytes);
    lines.reserve(withBreaks.size());
    for (const LineWithBreak &line : withBreaks)
        lines.append(line.text);
    return lines;
}

QStringList SplitLines(const QString &text)
{
    QStringList lines;
    const int n = text.size();
    int start = 0;
    for (int i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

QByteArray JoinLines(const QList<QByteArray> &lines, bool trailingBreak)
{
    QByteArray out;
    for (int i = 0; i < lines.size(); ++i) {
        out += lines.at(i);
        if (trailingBreak || i + 1 < lines.size())
            out += "\r\n";
    }
    return out;
}
