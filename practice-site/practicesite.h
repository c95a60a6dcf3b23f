#pragma once
// A small local imitation of the auction site's pages. PracticeSite turns a
// request into a response without any networking, so it can be tested directly;
// PracticeSiteServer (siteserver.h) puts it on a TCP port.
#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QList>
#include <QMap>
#include <QPair>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimeZone>
#include <QUrl>

namespace practicesite {

// The zone abbreviation the site shows: always exactly three letters.
QString zoneAbbreviation(const QDateTime &zoned);
// "Sunday, March 16, 2008 14:23:45 PDT" (English names, seconds truncated).
QString officialTimeText(const QDateTime &zoned);
// "Sep-15-08 17:45:12 PDT", as in the item page title.
QString itemEndTimeText(const QDateTime &zoned);
// "1d 02h 03m 04s" style; "ended" once the time has run out.
QString timeLeftText(qint64 msLeft);

struct Request {
    QByteArray method;  // "GET", "POST", ...
    QUrl url;
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;
    qint64 receivedMs = 0;  // local epoch ms, taken as early as possible

    QByteArray header(const QByteArray &name) const;
};

struct Response {
    int status = 200;
    QByteArray contentType = "text/html; charset=utf-8";
    QByteArray body;
    QList<QPair<QByteArray, QByteArray>> headers;  // besides Content-Type/-Length
};

struct Auction {
    qint64 item = 0;
    QString title;
    QDateTime end;  // UTC, on the site clock
};

class PracticeSite {
public:
    static constexpr qint64 FirstItem = 110000000001LL;
    static constexpr const char *SessionCookie = "practice_session";
    static constexpr const char *SearchPath = "/ws/search/AdvSearch";

    explicit PracticeSite(const QTimeZone &zone = QTimeZone("America/Los_Angeles"));

    void setOffset(double seconds);
    double offset() const { return m_offsetMs / 1000.0; }
    QTimeZone zone() const { return m_zone; }

    // With a pair set only it signs in; without one every pair does.
    void setCredentials(const QString &user, const QString &password);
    bool setLogFile(const QString &path);
    void setEchoToStderr(bool on) { m_echo = on; }

    QDateTime siteNow() const;                    // in the site zone
    QDateTime siteTimeAt(qint64 localMs) const;   // in the site zone

    qint64 addAuction(const QString &title, double endsInSeconds);
    const Auction *auction(qint64 item) const;

    Response handle(const Request &request);

    QStringList records() const { return m_records; }
    QStringList requestLog() const { return m_requests; }

private:
    Response isapi(const Request &req, const QMap<QString, QString> &query);
    Response timePage(const Request &req);
    Response searchPage(const QMap<QString, QString> &query);
    Response itemPage(const QString &itemText);
    Response bidPage(const Request &req, const QMap<QString, QString> &query);
    Response signIn(const Request &req);
    Response acceptBid(const Request &req);
    Response admin(const QString &path, const QMap<QString, QString> &query);
    Response testPage(const QString &path);
    Response signInPage(const QString &returnTo, const QString &error) const;

    bool signedIn(const Request &req) const;
    QString siteTimeStamp(qint64 localMs) const;
    void log(const QString &line);

    QTimeZone m_zone;
    qint64 m_offsetMs = 0;
    qint64 m_nextItem = FirstItem;
    QMap<qint64, Auction> m_auctions;
    QSet<QByteArray> m_sessions;
    QString m_user;
    QString m_password;
    bool m_checkCredentials = false;
    bool m_echo = true;
    QFile m_logFile;
    QStringList m_records;
    QStringList m_requests;
};

}  // namespace practicesite
