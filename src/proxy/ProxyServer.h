#pragma once

#include "proxy/ProxyLimits.h"

#include <QAbstractHttpServer>
#include <QHostAddress>

class BlogStore;
class PostingService;
class QHttpServerResponder;
class RequestLog;

// The proxy on the network: "/post" and "/test" for the program, and the blogs' pages for
// browsers. A browser names the blog by the host ("myblog.localhost:8780/") or, on a plain
// address, by the first path segment ("127.0.0.1:8780/myblog/").
class ProxyServer final : public QAbstractHttpServer
{
public:
    ProxyServer(PostingService& posting, BlogStore& store, const ProxyLimits& limits,
                const RequestLog& log, QObject* parent = nullptr);

    // Starts listening; port 0 picks a free one. False when the address cannot be bound.
    bool Listen(const QHostAddress& address, quint16 port, QString* error);
    quint16 Port() const { return m_port; }

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

private:
    void HandlePosting(const QHttpServerRequest& request, QHttpServerResponder& responder);
    void HandlePage(const QHttpServerRequest& request, QHttpServerResponder& responder);
    void Log(const QHttpServerRequest& request, const QString& blog, int code) const;

    PostingService& m_posting;
    BlogStore& m_store;
    const ProxyLimits& m_limits;
    const RequestLog& m_log;
    quint16 m_port = 0;
};
