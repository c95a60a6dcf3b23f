#include "testsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTcpServer>

#include <csignal>
#include <sys/types.h>

namespace testsupport {

TempWorkDir::TempWorkDir() : m_previous(QDir::currentPath())
{
    if (m_dir.isValid())
        QDir::setCurrent(m_dir.path());
}

TempWorkDir::~TempWorkDir()
{
    QDir::setCurrent(m_previous);
}

QString binDir()
{
    const QByteArray env = qgetenv("CORVANE_BIN_DIR");
    if (!env.isEmpty())
        return QString::fromLocal8Bit(env);
    return QCoreApplication::applicationDirPath();
}

QString binPath(const QString &program)
{
    return QDir(binDir()).filePath(program);
}

QList<qint64> processIds()
{
    QList<qint64> ids;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        bool numeric = false;
        const qint64 id = entry.toLongLong(&numeric);
        if (numeric)
            ids.append(id);
    }
    return ids;
}

int killProcessesIn(const QString &dir, const QString &program)
{
    int killed = 0;
    const QString canonical = QFileInfo(dir).canonicalFilePath();
    for (const qint64 id : processIds()) {
        const QString base = QStringLiteral("/proc/%1").arg(id);
        if (QFileInfo(base + QStringLiteral("/exe")).symLinkTarget().section(QLatin1Char('/'), -1) != program)
            continue;
        if (QFileInfo(base + QStringLiteral("/cwd")).symLinkTarget() != canonical)
            continue;
        if (::kill(pid_t(id), SIGKILL) == 0)
            ++killed;
    }
    return killed;
}

ProcessReaper::~ProcessReaper()
{
    killProcessesIn(m_dir, m_program);
}

quint16 unusedPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    const quint16 port = server.serverPort();
    server.close();
    return port;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

}  // namespace testsupport
