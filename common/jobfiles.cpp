#include "jobfiles.h"

#include "textfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace jobfiles {

QByteArray ComposeBidJob(const BidJob &job)
{
    const QList<QByteArray> lines = {ToNarrow(kBidMarker),    ToNarrow(job.description),
                                     ToNarrow(job.bidMoment), ToNarrow(job.userId),
                                     ToNarrow(job.password),  ToNarrow(job.amount),
                                     ToNarrow(job.auctionId)};
    return JoinLines(lines, false);
}

QByteArray ComposeTimeProbeJob()
{
    return ToNarrow(kTimeProbeMarker);
}

bool IsTimeProbe(const QString &jobText)
{
    return jobText.contains(QLatin1String("eBayTime"), Qt::CaseSensitive);
}

QString JobLine(const QString &jobText, int n)
{
    const QStringList lines = SplitLines(jobText);
    return n >= 0 && n < lines.size() ? lines.at(n) : QString();
}

void WriteJobFile(const QByteArray &bytes)
{
    WriteWholeFile(kJobFile, bytes, FileAccess::OwnerOnly);
}

void WriteAckFile(const QString &text)
{
    WriteWholeFile(kAckFile, ToNarrow(text));
}

namespace {
QString g_agentOverride;
}

void SetAgentProgramForTesting(const QString &program)
{
    g_agentOverride = program;
}

QString FindAgent()
{
    if (!g_agentOverride.isEmpty())
        return QFileInfo(g_agentOverride).isExecutable() ? g_agentOverride : QString();
    const QString name = QStringLiteral("kestrin");
    for (const QString &dir : {QDir::currentPath(), QCoreApplication::applicationDirPath()}) {
        const QFileInfo candidate(QDir(dir).filePath(name));
        if (candidate.isFile() && candidate.isExecutable())
            return candidate.absoluteFilePath();
    }
    return QStandardPaths::findExecutable(name);
}

bool StartAgent(QString *error)
{
    const QString program = FindAgent();
    if (program.isEmpty()) {
        if (error)
            *error = QStringLiteral("The bid agent \"kestrin\" was not found in %1, beside %2 or on the PATH.")
                         .arg(QDir::currentPath(), QCoreApplication::applicationDirPath());
        return false;
    }
    QProcess process;
    process.setProgram(program);
    process.setWorkingDirectory(QDir::currentPath());
    // The agent outlives the tracker's terminal and pipes; it must hold none of them open.
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    if (!process.startDetached()) {
        if (error)
            *error = QStringLiteral("The bid agent \"%1\" could not be started: %2")
                         .arg(program, process.errorString());
        return false;
    }
    return true;
}

}  // namespace jobfiles
