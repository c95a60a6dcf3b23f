#include "testsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

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
