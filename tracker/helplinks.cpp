#include "helplinks.h"

#include "settings.h"
#include "systemopen.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

const QString kHelpFileName = QStringLiteral("Corvane.html");

// Where the guide may lie, best first; the build passes in the install and source folders.
QStringList helpFileCandidates()
{
    QStringList candidates{QDir::current().absoluteFilePath(kHelpFileName)};
#ifdef CORVANE_DATADIR
    candidates << QStringLiteral(CORVANE_DATADIR "/corvane/") + kHelpFileName;
#endif
    // A package installed under another prefix than the one the build was configured for.
    if (QCoreApplication::instance())
        candidates << QDir(QCoreApplication::applicationDirPath())
                          .absoluteFilePath(QStringLiteral("../share/corvane/") + kHelpFileName);
#ifdef CORVANE_SOURCE_DOCDIR
    candidates << QStringLiteral(CORVANE_SOURCE_DOCDIR "/") + kHelpFileName;
#endif
    return candidates;
}

}  // namespace

QString ReleaseLabelText()
{
    return QStringLiteral("Release: ") + QStringLiteral(CORVANE_VERSION);
}

QUrl HelpFileUrl()
{
    const QStringList candidates = helpFileCandidates();
    for (const QString &path : candidates) {
        if (QFileInfo(path).isFile())
            return QUrl::fromLocalFile(QDir::cleanPath(path));
    }
    // Nowhere to be found: point at the current directory, where the guide is expected first.
    return QUrl::fromLocalFile(candidates.first());
}

QUrl ConnectionKeeperUrl()
{
    return QUrl(siteaddress::ConnectionKeeper(SiteHosts::Load()));
}

void OpenHelp()
{
    OpenInSystem(HelpFileUrl());
}
