#include "siteserver.h"

#include "practicesite.h"

#include <QDateTime>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QMetaEnum>

namespace practicesite {

PracticeSiteServer::PracticeSiteServer(PracticeSite *site, QObject *parent)
    : QAbstractHttpServer(parent), m_site(site)
{
}

bool PracticeSiteServer::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket)
{
    // Taken first, so bid timings are as close to arrival as this server can see.
    const qint64 receivedMs = QDateTime::currentMSecsSinceEpoch();

    Request req;
    req.receivedMs = receivedMs;
    req.method = QByteArray(QMetaEnum::fromType<QHttpServerRequest::Method>().valueToKey(
                                int(request.method())))
                     .toUpper();
    req.url = request.url();
    req.headers = request.headers();
    req.body = request.body();

    const Response res = m_site->handle(req);

    QHttpServerResponder responder = makeResponder(request, socket);
    responder.writeStatusLine(static_cast<QHttpServerResponder::StatusCode>(res.status));
    responder.writeHeader("Content-Type", res.contentType);
    responder.writeHeader("Content-Length", QByteArray::number(res.body.size()));
    responder.writeHeader("Cache-Control", "no-store");
    for (const auto &h : res.headers)
        responder.writeHeader(h.first, h.second);
    responder.writeBody(res.body);
    return true;
}

void PracticeSiteServer::missingHandler(const QHttpServerRequest &, QTcpSocket *)
{
    // Never reached: handleRequest answers every request.
}

}  // namespace practicesite
