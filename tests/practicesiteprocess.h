#pragma once
// Starts the practice-site program on a free port for a test and talks to its
// control pages.
#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryFile>

namespace testsupport {

// One line of the site's /admin/log.
struct SiteRecord {
    QString kind;      // "signin" or "bid"
    QString item;      // bid only
    QString amount;    // bid only, as sent
    QString userId;    // signin only
    QString siteTime;  // "yyyy-MM-dd hh:mm:ss.zzz" on the site clock
    qint64 localEpochMs = 0;
    double secondsBeforeEnd = 0;  // bid only; positive = before the end
};

class PracticeSiteProcess {
public:
    PracticeSiteProcess();
    ~PracticeSiteProcess();
    PracticeSiteProcess(const PracticeSiteProcess &) = delete;
    PracticeSiteProcess &operator=(const PracticeSiteProcess &) = delete;

    // Starts it with --port 0 plus extraArgs; true once it is listening.
    bool start(const QStringList &extraArgs = {});
    void stop();
    bool isRunning() const;

    quint16 port() const { return m_port; }
    QString baseUrl() const;

    // Raw GET of baseUrl() + pathAndQuery; redirects are not followed.
    // status gets the HTTP status, or 0 when there was no answer.
    QByteArray get(const QString &pathAndQuery, int *status = nullptr, int timeoutMs = 10000) const;

    QString createAuction(const QString &title, double endsInSeconds);  // item number, empty on failure
    void setOffset(double seconds);
    QList<SiteRecord> records() const;
    QByteArray requestLog() const;  // /admin/requests

    // Everything the site wrote to stderr so far (its log lines).
    QByteArray stderrOutput() const;

    // Points the programs' four site addresses at this server in an INI file.
    void writeHostOverrides(const QString &iniPath) const;

private:
    QProcess m_process;
    QTemporaryFile m_stderrFile;
    quint16 m_port = 0;
};

}  // namespace testsupport
