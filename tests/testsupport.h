#pragma once
// Small helpers shared by the tests and benchmarks.
#include <QString>
#include <QTemporaryDir>

namespace testsupport {

// Runs the test inside a fresh temporary directory, made the current one,
// and restores the previous current directory afterwards.
class TempWorkDir {
public:
    TempWorkDir();
    ~TempWorkDir();
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }
    bool isValid() const { return m_dir.isValid(); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

// Folder that holds the built programs (corvane, kestrin, practice-site).
QString binDir();
QString binPath(const QString &program);

QByteArray readFile(const QString &path);
void writeFile(const QString &path, const QByteArray &bytes);

}  // namespace testsupport
