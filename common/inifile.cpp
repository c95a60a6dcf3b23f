#include "inifile.h"

#include "errors.h"
#include "numbertext.h"
#include "textfile.h"

#include <QFile>

namespace {

const int kMaxValueLength = 2047;

bool isSectionHeader(const QByteArray &line, QByteArray *name)
{
    const QByteArray t = line.trimmed();
    if (!t.startsWith('[') || !t.contains(']'))
        return false;
    *name = t.mid(1, t.indexOf(']') - 1).trimmed();
    return true;
}

bool keyOfLine(const QByteArray &line, QByteArray *key, QByteArray *value)
{
    const int eq = line.indexOf('=');
    if (eq < 0)
        return false;
    *key = line.left(eq).trimmed();
    *value = line.mid(eq + 1);
    return !key->isEmpty() && !key->startsWith(';');
}

bool sameName(const QByteArray &a, const QString &b)
{
    return QString::fromLocal8Bit(a).compare(b, Qt::CaseInsensitive) == 0;
}

}  // namespace

QByteArray IniFile::ReadRaw(const QString &section, const QString &key, const QByteArray &def) const
{
    QFile file(m_fileName);
    if (!file.open(QIODevice::ReadOnly))
        return def;
    bool inSection = false;
    for (const QByteArray &line : SplitLines(file.readAll())) {
        QByteArray name, value;
        if (isSectionHeader(line, &name)) {
            inSection = sameName(name, section);
        } else if (inSection && keyOfLine(line, &name, &value) && sameName(name, key)) {
            return value.left(kMaxValueLength);
        }
    }
    return def;
}

QString IniFile::ReadString(const QString &section, const QString &key, const QString &def) const
{
    return FromNarrow(ReadRaw(section, key, ToNarrow(def)));
}

int IniFile::ReadInteger(const QString &section, const QString &key, int def) const
{
    const QString text = ReadString(section, key, QString());
    int value = 0;
    if (text.startsWith(QLatin1Char('$')) || !TryTextToInt(text, &value))
        return def;
    return value;
}

bool IniFile::ReadBool(const QString &section, const QString &key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void IniFile::WriteRaw(const QString &section, const QString &key, const QByteArray &value)
{
    QByteArray existing;
    QFile file(m_fileName);
    if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly))
            throw CorvaneError(QStringLiteral("Unable to write to %1").arg(m_fileName));
        existing = file.readAll();
        file.close();
    }
    QList<LineWithBreak> lines = SplitLinesWithBreaks(existing);
    const QByteArray newLine = ToNarrow(key) + '=' + value;

    int sectionStart = -1;   // index of the header line
    int lastInSection = -1;  // last non-blank line of the section
    int keyLine = -1;
    bool inSection = false;
    for (int i = 0; i < lines.size() && keyLine < 0; ++i) {
        QByteArray name, v;
        if (isSectionHeader(lines[i].text, &name)) {
            if (inSection)
                break;
            inSection = sameName(name, section);
            if (inSection)
                sectionStart = lastInSection = i;
        } else if (inSection) {
            if (keyOfLine(lines[i].text, &name, &v) && sameName(name, key))
                keyLine = i;
            else if (!lines[i].text.trimmed().isEmpty())
                lastInSection = i;
        }
    }

    if (keyLine >= 0) {
        lines[keyLine].text = newLine;
    } else if (sectionStart >= 0) {
        if (lines[lastInSection].lineBreak.isEmpty())
            lines[lastInSection].lineBreak = "\r\n";
        lines.insert(lastInSection + 1, LineWithBreak{newLine, "\r\n"});
    } else {
        if (!lines.isEmpty() && lines.last().lineBreak.isEmpty())
            lines.last().lineBreak = "\r\n";
        lines.append(LineWithBreak{'[' + ToNarrow(section) + ']', "\r\n"});
        lines.append(LineWithBreak{newLine, "\r\n"});
    }

    QByteArray out;
    for (const LineWithBreak &line : lines)
        out += line.text + line.lineBreak;
    try {
        WriteWholeFile(m_fileName, out, FileAccess::OwnerOnly);
    } catch (const FileError &) {
        throw CorvaneError(QStringLiteral("Unable to write to %1").arg(m_fileName));
    }
}

void IniFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    WriteRaw(section, key, ToNarrow(value));
}

void IniFile::WriteInteger(const QString &section, const QString &key, int value)
{
    WriteRaw(section, key, QByteArray::number(value));
}

void IniFile::WriteBool(const QString &section, const QString &key, bool value)
{
    WriteRaw(section, key, value ? "1" : "0");
}
