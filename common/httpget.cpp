#include "httpget.h"

#include "datetime.h"

#include <QEventLoop>
#include <QNetworkProxy>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

namespace {

// Socket failures are numbered as the old Windows socket layer numbered them, so that the
// diagnostic log reads the same on every platform.
const int kErrConnectionRefused = 10061;
const int kErrHostNotFound = 11001;
const int kErrTimedOut = 10060;
const int kErrConnectionReset = 10054;
const int kErrOther = 10050;
const int kErrBadAddress = 10022;
const int kErrTooManyRelocations = 10999;

int socketErrorNumber(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return kErrConnectionRefused;
    case QAbstractSocket::HostNotFoundError:
        return kErrHostNotFound;
    case QAbstractSocket::SocketTimeoutError:
        return kErrTimedOut;
    case QAbstractSocket::RemoteHostClosedError:
        return kErrConnectionReset;
    default:
        return kErrOther;
    }
}

bool isRelocation(int status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// One request and its answer on one connection.
struct Exchange {
    int status = 0;
    QString reason;
    QStringList headerLines;
    QByteArray body;
    int socketError = 0;  // nonzero when no complete answer came
    QString errorText;
    double sent = 0;
    double received = 0;

    QString header(const QString &name) const
    {
        for (const QString &line : headerLines) {
            const int colon = line.indexOf(QLatin1Char(':'));
            if (colon > 0 && line.left(colon).trimmed().compare(name, Qt::CaseInsensitive) == 0)
                return line.mid(colon + 1).trimmed();
        }
        return QString();
    }
};

// Reads the answer out of the bytes received so far.
class AnswerParser {
public:
    explicit AnswerParser(Exchange &ex) : m_ex(ex) {}

    // True once the answer is complete; closed says the server has closed the connection.
    bool feed(const QByteArray &bytes, bool closed)
    {
        m_buffer += bytes;
        if (!m_headersDone && !parseHead())
            return false;
        if (m_chunked)
            return decodeChunks() || (closed && takeRestAsBody());
        if (m_contentLength >= 0) {
            if (m_buffer.size() >= m_contentLength) {
                m_ex.body = m_buffer.left(m_contentLength);
                return true;
            }
            return closed && takeRestAsBody();
        }
        // Without a length the body runs until the server closes the connection.
        return closed && takeRestAsBody();
    }

    bool headersDone() const { return m_headersDone; }

private:
    bool takeRestAsBody()
    {
        if (!m_chunked)
            m_ex.body = m_buffer;
        return true;
    }

    bool parseHead()
    {
        int end = m_buffer.indexOf("\r\n\r\n");
        int skip = 4;
        const int lfEnd = m_buffer.indexOf("\n\n");
        if (lfEnd >= 0 && (end < 0 || lfEnd < end)) {
            end = lfEnd;
            skip = 2;
        }
        if (end < 0)
            return false;
        const QList<QByteArray> lines = m_buffer.left(end).split('\n');
        m_buffer.remove(0, end + skip);
        bool first = true;
        for (QByteArray line : lines) {
            if (line.endsWith('\r'))
                line.chop(1);
            if (first) {
                first = false;
                // "HTTP/1.1 200 OK"
                const QList<QByteArray> parts = line.split(' ');
                m_ex.status = parts.value(1).toInt();
                const int reasonAt = line.indexOf(' ', line.indexOf(' ') + 1);
                m_ex.reason = reasonAt > 0 ? QString::fromLatin1(line.mid(reasonAt + 1)) : QString();
                continue;
            }
            m_ex.headerLines.append(QString::fromLatin1(line));
        }
        m_headersDone = true;
        bool ok = false;
        const qint64 length = m_ex.header(QStringLiteral("Content-Length")).toLongLong(&ok);
        m_contentLength = ok && length >= 0 ? length : -1;
        m_chunked = m_ex.header(QStringLiteral("Transfer-Encoding"))
                        .contains(QLatin1String("chunked"), Qt::CaseInsensitive);
        return true;
    }

    // True once the last chunk has come.
    bool decodeChunks()
    {
        for (;;) {
            const int lineEnd = m_buffer.indexOf('\n');
            if (lineEnd < 0)
                return false;
            QByteArray sizeText = m_buffer.left(lineEnd).trimmed();
            const int extension = sizeText.indexOf(';');
            if (extension >= 0)
                sizeText.truncate(extension);
            bool ok = false;
            const qint64 size = sizeText.toLongLong(&ok, 16);
            if (!ok)
                return true;  // garbage: keep what has been decoded
            if (size == 0)
                return true;
            const qint64 dataStart = lineEnd + 1;
            if (m_buffer.size() < dataStart + size)
                return false;
            m_ex.body += m_buffer.mid(dataStart, size);
            qint64 next = dataStart + size;
            if (m_buffer.mid(next, 2) == "\r\n")
                next += 2;
            else if (m_buffer.mid(next, 1) == "\n")
                next += 1;
            else if (m_buffer.size() < next + 2)
                return false;
            m_buffer.remove(0, next);
        }
    }

    Exchange &m_ex;
    QByteArray m_buffer;
    bool m_headersDone = false;
    bool m_chunked = false;
    qint64 m_contentLength = -1;
};

Exchange runExchange(const QUrl &url, const HttpGetOptions &options, const HttpGetEvents &events)
{
    Exchange ex;
    const quint16 port = quint16(url.port(80));
    QString host = url.host();
    QString hostHeader = host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : host;
    if (port != 80)
        hostHeader += QLatin1Char(':') + QString::number(port);
    QString target = QString::fromLatin1(
        url.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority | QUrl::RemoveFragment));
    if (target.isEmpty())
        target = QStringLiteral("/");

    const QStringList commands = {
        QStringLiteral("GET %1 HTTP/1.0").arg(target),
        QStringLiteral("Accept: %1").arg(options.accept),
        QStringLiteral("User-Agent: %1").arg(options.agent),
        QStringLiteral("Host: %1").arg(hostHeader),
    };

    QTcpSocket socket;
    socket.setProxy(QNetworkProxy::NoProxy);
    AnswerParser parser(ex);
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    bool complete = false;
    bool ended = false;

    auto finish = [&](bool done) {
        if (ended)
            return;
        complete = done;
        ended = true;
        loop.quit();
    };
    QObject::connect(&socket, &QTcpSocket::connected, &loop, [&] {
        QByteArray request;
        for (const QString &line : commands) {
            request += line.toLatin1() + "\r\n";
            if (events.command)
                events.command(line);
        }
        request += "\r\n";
        socket.write(request);
        socket.flush();
        ex.sent = Now();
    });
    // What has arrived goes to the parser; the first bytes mark when the answer came.
    auto take = [&](bool closed) {
        const QByteArray bytes = socket.readAll();
        if (ex.received == 0 && !bytes.isEmpty())
            ex.received = Now();
        return parser.feed(bytes, closed);
    };
    QObject::connect(&socket, &QTcpSocket::readyRead, &loop, [&] {
        if (!ended && take(false))
            finish(true);
    });
    QObject::connect(&socket, &QTcpSocket::disconnected, &loop, [&] {
        if (ended)
            return;
        const bool done = take(true);
        if (!done && ex.socketError == 0) {
            ex.socketError = kErrConnectionReset;
            ex.errorText = QStringLiteral("Connection closed before the answer was complete");
        }
        finish(done);
    });
    QObject::connect(&socket, &QTcpSocket::errorOccurred, &loop,
                     [&](QAbstractSocket::SocketError error) {
                         // A close by the server ends the body; disconnected() deals with it.
                         if (ended || error == QAbstractSocket::RemoteHostClosedError)
                             return;
                         ex.socketError = socketErrorNumber(error);
                         ex.errorText = socket.errorString();
                         finish(false);
                     });
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        ex.socketError = kErrTimedOut;
        ex.errorText = QStringLiteral("No answer within %1 ms").arg(options.timeoutMs);
        finish(false);
    });

    socket.connectToHost(host, port);
    timer.start(options.timeoutMs);
    if (!ended)  // a failure reported at once would otherwise leave the loop waiting
        loop.exec();
    timer.stop();
    socket.disconnect(&loop);
    socket.abort();
    if (!complete && ex.socketError == 0) {
        ex.socketError = kErrOther;
        ex.errorText = QStringLiteral("The request did not complete");
    }
    return ex;
}

QString docNameOf(const QUrl &url)
{
    const QString name = url.fileName();
    return name.isEmpty() ? QStringLiteral("default.htm") : name;
}

}  // namespace

HttpGetResult HttpGet(const QString &address, const HttpGetOptions &options,
                      const HttpGetEvents &events)
{
    HttpGetResult result;
    QUrl url(address);
    auto done = [&](int error) {
        result.error = error;
        if (events.requestDone)
            events.requestDone(error);
        return result;
    };

    for (int relocations = 0;; ++relocations) {
        if (!url.isValid() || url.scheme().compare(QLatin1String("http"), Qt::CaseInsensitive) != 0
            || url.host().isEmpty()) {
            result.reasonPhrase = QStringLiteral("Not a plain HTTP address: %1").arg(url.toString());
            return done(kErrBadAddress);
        }
        const Exchange ex = runExchange(url, options, events);
        result.statusCode = ex.status;
        result.headerLines = ex.headerLines;
        result.sent = ex.sent;
        result.received = ex.received;
        if (ex.socketError != 0) {
            result.reasonPhrase = ex.errorText;
            return done(ex.socketError);
        }
        result.reasonPhrase = ex.reason;

        const QString location = ex.header(QStringLiteral("Location"));
        if (isRelocation(ex.status) && !location.isEmpty()) {
            if (relocations >= options.maxRelocations) {
                result.reasonPhrase = QStringLiteral("Too many relocations (more than %1)")
                                          .arg(options.maxRelocations);
                return done(kErrTooManyRelocations);
            }
            url = url.resolved(QUrl(location));
            continue;
        }

        result.contentType = ex.header(QStringLiteral("Content-Type"));
        result.docName = docNameOf(url);
        result.body = ex.body;
        if (events.docBegin)
            events.docBegin(result.contentType, result.docName);
        if (events.docEnd)
            events.docEnd();
        result.ok = ex.status < 400 || ex.status == 401 || ex.status == 407;
        return done(result.ok ? 0 : ex.status);
    }
}
