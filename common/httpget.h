#pragma once
// A small blocking HTTP/1.0 GET client on a plain TCP socket: the page fetcher needs the
// old request line, which Qt's own network access cannot send. The caller's thread waits
// in a local event loop, so timers and window events go on being handled meanwhile.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

struct HttpGetOptions {
    QString agent;
    QString accept;
    int maxRelocations = 5;  // one more is a failure
    int timeoutMs = 30000;   // for each request of a relocation chain
};

// Called while the request runs, in this order: the commands of each request as they are
// sent, the final document's begin and end, then request done.
struct HttpGetEvents {
    std::function<void(const QString &command)> command;
    std::function<void(const QString &contentType, const QString &docName)> docBegin;
    std::function<void()> docEnd;
    std::function<void(int error)> requestDone;
};

struct HttpGetResult {
    // A final status below 400, or 401 or 407. Anything else, an unreachable host and too
    // many relocations are failures.
    bool ok = false;
    // 0 on success; the status code for an error status; a socket error number otherwise.
    int error = 0;
    int statusCode = 0;   // of the last response; 0 when none came
    QString reasonPhrase; // of the last response, or what went wrong
    QStringList headerLines;
    QString contentType;
    QString docName;      // the last segment of the final address's path
    QByteArray body;
    // The local clock (Now()) when the final request went out and when its answer began.
    double sent = 0;
    double received = 0;
};

HttpGetResult HttpGet(const QString &url, const HttpGetOptions &options,
                      const HttpGetEvents &events = {});

// The page fetcher of the utility form (TfrmZazAza::FetchPage) keeps these beside it.

// When the last successful fetch's request went out and its answer began, on the local
// clock; valid is false after a failed fetch.
struct FetchTiming {
    bool valid = false;
    double sent = 0;
    double received = 0;
    // The best local estimate of the moment at which the site read its clock.
    double Midpoint() const { return sent + (received - sent) / 2.0; }
};
FetchTiming LastFetchTiming();

// FetchPage pauses 2000 ms after each fetch; tests and benchmarks may shorten the pause.
// A negative value restores the 2000 ms.
void SetFetchPauseForTesting(int ms);
