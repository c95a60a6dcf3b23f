#pragma once
// The settings file layer. Every call opens the file, does its one read or write and is
// done, so a written value is in the file at once. A write changes only the line of its
// key (or adds the key to its section) and leaves every other line byte for byte.
#include <QByteArray>
#include <QString>

class IniFile {
public:
    explicit IniFile(const QString &fileName) : m_fileName(fileName) {}
    QString fileName() const { return m_fileName; }

    // Missing file, section or key gives the default. Values are read up to 2047 bytes.
    QByteArray ReadRaw(const QString &section, const QString &key, const QByteArray &def) const;
    QString ReadString(const QString &section, const QString &key, const QString &def) const;
    // A whole number, decimal or hexadecimal after "0x"; anything else gives the default.
    int ReadInteger(const QString &section, const QString &key, int def) const;
    // 0 is off, any other whole number on; anything else gives the default.
    bool ReadBool(const QString &section, const QString &key, bool def) const;

    // Raise CorvaneError "Unable to write to <file name>" when the file cannot be written;
    // the file then stays as it was. The file is readable by its owner only: it holds the
    // account password.
    void WriteRaw(const QString &section, const QString &key, const QByteArray &value);
    void WriteString(const QString &section, const QString &key, const QString &value);
    void WriteInteger(const QString &section, const QString &key, int value);
    void WriteBool(const QString &section, const QString &key, bool value);

private:
    QString m_fileName;
};
