#pragma once
// The one way the programs read and write their files: whole, byte for byte, and written
// through a temporary file and a rename so that a crash never leaves half a file.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

enum class FileAccess { Normal, OwnerOnly };

// Raises FileError when the file cannot be opened or read.
QByteArray ReadWholeFile(const QString &path);
// Replaces the whole file; raises FileError (naming the file and the reason) on failure,
// in which case the previous file is left as it was.
void WriteWholeFile(const QString &path, const QByteArray &bytes,
                    FileAccess access = FileAccess::Normal);

// A line and the break that ended it (empty for a last line without one).
struct LineWithBreak {
    QByteArray text;
    QByteArray lineBreak;
};
// Splits at CR LF, lone LF or lone CR; a break at the very end adds no empty line.
QList<LineWithBreak> SplitLinesWithBreaks(const QByteArray &bytes);
QList<QByteArray> SplitLines(const QByteArray &bytes);
QStringList SplitLines(const QString &text);
// Joins with CR LF; trailingBreak puts one after the last line too.
QByteArray JoinLines(const QList<QByteArray> &lines, bool trailingBreak);

// Text in the locale's narrow encoding, as the files hold it.
inline QByteArray ToNarrow(const QString &text) { return text.toLocal8Bit(); }
inline QString FromNarrow(const QByteArray &bytes) { return QString::fromLocal8Bit(bytes); }
