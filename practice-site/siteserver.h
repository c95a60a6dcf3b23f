#pragma once
// Puts a PracticeSite on a TCP port, writing every answer with Content-Length.
#include <QAbstractHttpServer>

namespace practicesite {

class PracticeSite;

class PracticeSiteServer : public QAbstractHttpServer {
    Q_OBJECT
public:
    explicit PracticeSiteServer(PracticeSite *site, QObject *parent = nullptr);

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
    void missingHandler(const QHttpServerRequest &request, QTcpSocket *socket) override;

private:
    PracticeSite *m_site;
};

}  // namespace practicesite
