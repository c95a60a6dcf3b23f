#include "practicesiteprocess.h"

#include "testsupport.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QTimer>
#include <QUrl>

namespace testsupport {

PracticeSiteProcess::PracticeSiteProcess()
{
    m_stderrFile.setFileTemplate(QDir::tempPath() + QStringLiteral("/practice-site-XXXXXX.log"));
}

PracticeSiteProcess::~PracticeSiteProcess()
{
    stop();
}

bool PracticeSiteProcess::start(const QStringList &extraArgs)
{
    stop();
    // A file rather than a pipe: the child can never block on a full stderr pipe
    // while the test is busy elsewhere.
    if (!m_stderrFile.isOpen() && !m_stderrFile.open())
        return false;
    m_stderrFile.resize(0);
    m_process.setStandardErrorFile(m_stderrFile.fileName(), QIODevice::Append);
    m_process.start(binPath(QStringLiteral("practice-site")), QStringList{QStringLiteral("--port"), QStringLiteral("0")} + extraArgs);
    if (!m_process.waitForStarted(10000))
        return false;

    static const QRegularExpression listening(QStringLiteral("^listening on http://127\\.0\\.0\\.1:(\\d+)"));
    QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        while (m_process.canReadLine()) {
            const QString line = QString::fromUtf8(m_process.readLine()).trimmed();
            const auto m = listening.match(line);
            if (m.hasMatch()) {
                m_port = quint16(m.captured(1).toUInt());
                return m_port != 0;
            }
        }
        if (m_process.state() != QProcess::Running)
            return false;
        m_process.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())));
    }
    return false;
}

void PracticeSiteProcess::stop()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    m_port = 0;
}

bool PracticeSiteProcess::isRunning() const
{
    return m_process.state() == QProcess::Running;
}

QString PracticeSiteProcess::baseUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(m_port);
}

QByteArray PracticeSiteProcess::get(const QString &pathAndQuery, int *status, int timeoutMs) const
{
    if (status)
        *status = 0;
    QNetworkAccessManager nam;
    nam.setProxy(QNetworkProxy::NoProxy);
    QNetworkRequest request(QUrl(baseUrl() + pathAndQuery));
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    QNetworkReply *reply = nam.get(request);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();
    QByteArray body;
    if (reply->isFinished()) {
        body = reply->readAll();
        if (status)
            *status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    } else {
        reply->abort();
    }
    delete reply;
    return body;
}

QString PracticeSiteProcess::createAuction(const QString &title, double endsInSeconds)
{
    const QString query = QStringLiteral("/admin/auctions/new?title=%1&ends_in=%2")
                              .arg(QString::fromUtf8(QUrl::toPercentEncoding(title)))
                              .arg(endsInSeconds, 0, 'f', 3);
    int status = 0;
    const QByteArray body = get(query, &status);
    return status == 200 ? QString::fromUtf8(body).trimmed() : QString();
}

void PracticeSiteProcess::setOffset(double seconds)
{
    get(QStringLiteral("/admin/clock?offset=%1").arg(seconds, 0, 'f', 3));
}

QList<SiteRecord> PracticeSiteProcess::records() const
{
    QList<SiteRecord> result;
    const QList<QByteArray> lines = get(QStringLiteral("/admin/log")).split('\n');
    for (const QByteArray &line : lines) {
        const QStringList f = QString::fromUtf8(line).split(QLatin1Char('\t'));
        SiteRecord r;
        r.kind = f.value(0);
        if (r.kind == QLatin1String("signin") && f.size() >= 4) {
            r.userId = f[1];
            r.siteTime = f[2];
            r.localEpochMs = f[3].toLongLong();
        } else if (r.kind == QLatin1String("bid") && f.size() >= 6) {
            r.item = f[1];
            r.amount = f[2];
            r.siteTime = f[3];
            r.localEpochMs = f[4].toLongLong();
            r.secondsBeforeEnd = f[5].toDouble();
        } else {
            continue;
        }
        result.append(r);
    }
    return result;
}

QByteArray PracticeSiteProcess::requestLog() const
{
    return get(QStringLiteral("/admin/requests"));
}

QByteArray PracticeSiteProcess::stderrOutput() const
{
    return readFile(m_stderrFile.fileName());
}

void PracticeSiteProcess::writeHostOverrides(const QString &iniPath) const
{
    // Keeps every other section; an older [site] section is replaced.
    QByteArray text;
    bool inSite = false;
    const QByteArray existing = readFile(iniPath);
    for (QByteArray line : existing.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        const QByteArray trimmed = line.trimmed();
        if (trimmed.startsWith('['))
            inSite = trimmed.compare("[site]", Qt::CaseInsensitive) == 0;
        if (!inSite)
            text += line + "\r\n";
    }
    while (text.endsWith("\r\n\r\n") || text == "\r\n")
        text.chop(2);
    const QByteArray base = baseUrl().toUtf8();
    text += "[site]\r\nsearch=" + base + "\r\nitem=" + base + "\r\ntime=" + base + "\r\nbid=" + base + "\r\n";
    writeFile(iniPath, text);
}

}  // namespace testsupport
