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

// Ends, when it goes out of scope, the agents started in dir (a failed check included).
class ProcessReaper {
public:
    ProcessReaper(const QString &dir, const QString &program) : m_dir(dir), m_program(program) {}
    ~ProcessReaper();

private:
    QString m_dir;
    QString m_program;
};

// A loopback port that nobody listens on (it was free a moment ago).
quint16 unusedPort();

QByteArray readFile(const QString &path);
// The ids of every process on the machine.
QList<qint64> processIds();

// Ends every process of that program name whose working directory is dir (the agents a test
// started through the tracker's own code run detached and would otherwise stay).
int killProcessesIn(const QString &dir, const QString &program);
void writeFile(const QString &path, const QByteArray &bytes);

}  // namespace testsupport
