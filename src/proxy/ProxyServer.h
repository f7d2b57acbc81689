#pragma once

#include "proxy/ProxyLimits.h"

#include <QHash>
#include <QHostAddress>
#include <QMutex>

struct MHD_Connection;
struct MHD_Daemon;
class BlogStore;
class PostingService;
class RequestLog;

// The proxy on the network: "/post" and "/test" for the program, and the blogs' pages for
// browsers. A browser names the blog by the host ("myblog.localhost:8780/") or, on a plain
// address, by the first path segment ("127.0.0.1:8780/myblog/").
//
// HTTP itself is libmicrohttpd's, strict with clients, with a thread per connection: a slow
// client or a long post holds up only its own connection. The services it calls must take calls
// from several threads at once.
class ProxyServer final
{
public:
    ProxyServer(PostingService& posting, BlogStore& store, const ProxyLimits& limits,
                const RequestLog& log);
    ~ProxyServer();
    ProxyServer(const ProxyServer&) = delete;
    ProxyServer& operator=(const ProxyServer&) = delete;

    // Starts listening; port 0 picks a free one. False when the address cannot be bound.
    bool Listen(const QHostAddress& address, quint16 port, QString* error);
    quint16 Port() const { return m_port; }
    // Stops listening and drops every connection; called by the destructor too.
    void Stop();

    struct Request; // one request as it arrives, kept between the library's calls

private:
    friend struct ProxyCallbacks; // the library's C callbacks

    // Each returns whether the connection may go on.
    bool Begin(MHD_Connection* connection, Request& request);
    bool Receive(MHD_Connection* connection, Request& request, const char* data, size_t size);
    bool AnswerPosting(MHD_Connection* connection, Request& request);
    bool AnswerPage(MHD_Connection* connection, Request& request);
    bool AnswerTooLong(MHD_Connection* connection, Request& request);
    bool Answer(MHD_Connection* connection, Request& request, unsigned code,
                const QString& message);
    void Log(const Request& request, int status) const;
    bool TakePostSlot(const QString& client);
    void ReleasePostSlot(const QString& client);
    bool AcceptConnection(const QHostAddress& peer);
    void ConnectionStarted(const QString& peer);
    void ConnectionClosed(const QString& peer);
    bool IsTrusted(const QHostAddress& peer) const;

    PostingService& m_posting;
    BlogStore& m_store;
    const ProxyLimits m_limits;
    const RequestLog& m_log;
    MHD_Daemon* m_daemon = nullptr;
    quint16 m_port = 0;

    QMutex m_slotsMutex;
    QHash<QString, int> m_postsPerClient;
    int m_posts = 0;
    QHash<QString, int> m_connectionsPerClient;
};
