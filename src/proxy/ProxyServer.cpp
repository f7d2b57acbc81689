#include "proxy/ProxyServer.h"

#include "blog/PostProtocol.h"
#include "proxy/BlogName.h"
#include "proxy/BlogPages.h"
#include "proxy/BlogStore.h"
#include "proxy/PostingService.h"
#include "proxy/RequestLog.h"

#include <QDir>
#include <QMutexLocker>

#include <cstring>

#include <arpa/inet.h>
#include <fcntl.h>
#include <microhttpd.h>
#include <netinet/in.h>
#include <sys/stat.h>
#include <unistd.h>

struct ProxyServer::Request
{
    QByteArray method;
    QString path;
    QString client;
    QString blog;
    PostingService::Operation operation = PostingService::Operation::Test;
    bool posting = false;   // a POST to one of the posting endpoints
    bool holdsSlot = false; // counted among the posts in flight
    qint64 received = 0;    // of the body, kept or not
    QByteArray body;
};

namespace {

constexpr char kHtml[] = "text/html; charset=utf-8";
constexpr char kAnswerType[] = "text/plain; charset=windows-1252";
const QString kPostPath = QStringLiteral("/post");
const QString kTestPath = QStringLiteral("/test");

bool IsPostingPath(const QString& path)
{
    return path == kPostPath || path == kTestPath;
}

QHostAddress PeerOf(MHD_Connection* connection)
{
    const MHD_ConnectionInfo* info =
        MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CLIENT_ADDRESS);
    return info && info->client_addr ? QHostAddress(info->client_addr) : QHostAddress();
}

QByteArray Header(MHD_Connection* connection, const char* name)
{
    return QByteArray(MHD_lookup_connection_value(connection, MHD_HEADER_KIND, name));
}

// Pages never run scripts or load anything, even should an escape be missed.
void AddSafetyHeaders(MHD_Response* response, const char* type)
{
    MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, type);
    MHD_add_response_header(response, "X-Content-Type-Options", "nosniff");
    MHD_add_response_header(response, "Content-Security-Policy",
                            "default-src 'none'; style-src 'unsafe-inline'");
    MHD_add_response_header(response, MHD_HTTP_HEADER_CACHE_CONTROL, "no-cache");
}

bool Queue(MHD_Connection* connection, unsigned status, MHD_Response* response)
{
    if (!response)
        return false;
    const MHD_Result queued = MHD_queue_response(connection, status, response);
    MHD_destroy_response(response);
    return queued == MHD_YES;
}

bool QueueBytes(MHD_Connection* connection, unsigned status, const QByteArray& body,
                const char* type, const char* allow = nullptr)
{
    MHD_Response* response =
        MHD_create_response_from_buffer(static_cast<size_t>(body.size()),
                                        const_cast<char*>(body.constData()), MHD_RESPMEM_MUST_COPY);
    if (!response)
        return false;
    AddSafetyHeaders(response, type);
    if (allow)
        MHD_add_response_header(response, MHD_HTTP_HEADER_ALLOW, allow);
    return Queue(connection, status, response);
}

// A header name holding a space or tab ("Content-Length : 9") is how a request is made to mean
// one thing to this server and another to a proxy in front of it; it is refused outright.
MHD_Result CheckHeaderName(void* bad, MHD_ValueKind, const char* key, const char*)
{
    if (std::strpbrk(key, " \t")) {
        *static_cast<bool*>(bad) = true;
        return MHD_NO;
    }
    return MHD_YES;
}

bool HasBadHeaderName(MHD_Connection* connection)
{
    bool bad = false;
    MHD_get_connection_values(connection, MHD_HEADER_KIND, &CheckHeaderName, &bad);
    return bad;
}

const QByteArray kNotFound =
    QByteArrayLiteral("<!DOCTYPE html>\n<title>Not found</title>\n<p>There is no such page here. "
                      "A blog's pages appear with its first post.</p>\n");

} // namespace

struct ProxyCallbacks
{
    static MHD_Result OnRequest(void* self, MHD_Connection* connection, const char* url,
                                const char* method, const char*, const char* upload,
                                size_t* uploadSize, void** context)
    {
        auto& server = *static_cast<ProxyServer*>(self);
        if (!*context) {
            auto* request = new ProxyServer::Request;
            *context = request;
            request->method = method;
            request->path = QString::fromUtf8(url);
            const QHostAddress peer = PeerOf(connection);
            request->client = peer.toString();
            if (server.IsTrusted(peer)) {
                const QHostAddress named(QString::fromLatin1(Header(connection, "X-Real-IP")));
                if (!named.isNull())
                    request->client = named.toString();
            }
            return server.Begin(connection, *request) ? MHD_YES : MHD_NO;
        }
        auto& request = *static_cast<ProxyServer::Request*>(*context);
        if (*uploadSize > 0) {
            const size_t size = *uploadSize;
            *uploadSize = 0;
            return server.Receive(connection, request, upload, size) ? MHD_YES : MHD_NO;
        }
        return server.AnswerPosting(connection, request) ? MHD_YES : MHD_NO;
    }

    static void OnCompleted(void* self, MHD_Connection*, void** context, MHD_RequestTerminationCode)
    {
        auto* request = static_cast<ProxyServer::Request*>(*context);
        if (!request)
            return;
        if (request->holdsSlot)
            static_cast<ProxyServer*>(self)->ReleasePostSlot(request->client);
        delete request;
        *context = nullptr;
    }

    static MHD_Result OnAccept(void* self, const sockaddr* address, socklen_t)
    {
        return static_cast<ProxyServer*>(self)->AcceptConnection(QHostAddress(address)) ? MHD_YES
                                                                                        : MHD_NO;
    }

    static void OnConnection(void* self, MHD_Connection* connection, void** context,
                             MHD_ConnectionNotificationCode code)
    {
        auto& server = *static_cast<ProxyServer*>(self);
        if (code == MHD_CONNECTION_NOTIFY_STARTED) {
            auto* peer = new QString(PeerOf(connection).toString());
            server.ConnectionStarted(*peer);
            *context = peer;
        } else if (auto* peer = static_cast<QString*>(*context)) {
            server.ConnectionClosed(*peer);
            delete peer;
            *context = nullptr;
        }
    }

    static void OnLibraryError(void* log, const char* format, va_list arguments)
    {
        static_cast<const RequestLog*>(log)->Note(QStringLiteral("http: ") +
                                                  QString::vasprintf(format, arguments).trimmed());
    }
};

ProxyServer::ProxyServer(PostingService& posting, BlogStore& store, const ProxyLimits& limits,
                         const RequestLog& log)
    : m_posting(posting), m_store(store), m_limits(limits), m_log(log)
{
}

ProxyServer::~ProxyServer()
{
    Stop();
}

bool ProxyServer::Listen(const QHostAddress& address, quint16 port, QString* error)
{
    Stop();
    sockaddr_storage storage{};
    unsigned flags = MHD_USE_THREAD_PER_CONNECTION | MHD_USE_INTERNAL_POLLING_THREAD |
                     MHD_USE_POLL | MHD_USE_ERROR_LOG;
    if (address.protocol() == QAbstractSocket::IPv6Protocol) {
        auto* in6 = reinterpret_cast<sockaddr_in6*>(&storage);
        in6->sin6_family = AF_INET6;
        in6->sin6_port = htons(port);
        const Q_IPV6ADDR bytes = address.toIPv6Address();
        std::memcpy(&in6->sin6_addr, bytes.c, sizeof bytes.c);
        flags |= MHD_USE_IPv6;
    } else {
        auto* in4 = reinterpret_cast<sockaddr_in*>(&storage);
        in4->sin_family = AF_INET;
        in4->sin_port = htons(port);
        in4->sin_addr.s_addr = htonl(address.toIPv4Address());
    }
    using Logger = void (*)(void*, const char*, va_list);
    m_daemon = MHD_start_daemon(
        flags, port, &ProxyCallbacks::OnAccept, this, &ProxyCallbacks::OnRequest, this,
        MHD_OPTION_EXTERNAL_LOGGER, static_cast<Logger>(&ProxyCallbacks::OnLibraryError),
        const_cast<RequestLog*>(&m_log), MHD_OPTION_SOCK_ADDR,
        reinterpret_cast<sockaddr*>(&storage), MHD_OPTION_NOTIFY_COMPLETED,
        &ProxyCallbacks::OnCompleted, this, MHD_OPTION_NOTIFY_CONNECTION,
        &ProxyCallbacks::OnConnection, this, MHD_OPTION_STRICT_FOR_CLIENT, 1,
        MHD_OPTION_CONNECTION_MEMORY_LIMIT, static_cast<size_t>(m_limits.connectionMemory),
        MHD_OPTION_CONNECTION_LIMIT, static_cast<unsigned>(m_limits.maxConnections),
        MHD_OPTION_CONNECTION_TIMEOUT, static_cast<unsigned>(m_limits.idleTimeout.count()),
        MHD_OPTION_LISTEN_BACKLOG_SIZE, static_cast<unsigned>(m_limits.listenBacklog),
        MHD_OPTION_THREAD_STACK_SIZE, static_cast<size_t>(512 * 1024), MHD_OPTION_END);
    if (!m_daemon) {
        *error = QStringLiteral("the address is in use or cannot be bound");
        return false;
    }
    const MHD_DaemonInfo* info = MHD_get_daemon_info(m_daemon, MHD_DAEMON_INFO_BIND_PORT);
    m_port = info ? info->port : port;
    return true;
}

void ProxyServer::Stop()
{
    if (m_daemon)
        MHD_stop_daemon(m_daemon);
    m_daemon = nullptr;
}

bool ProxyServer::Begin(MHD_Connection* connection, Request& request)
{
    const bool post = request.method == MHD_HTTP_METHOD_POST;
    const bool read =
        request.method == MHD_HTTP_METHOD_GET || request.method == MHD_HTTP_METHOD_HEAD;
    if (HasBadHeaderName(connection)) {
        Log(request, 400);
        return QueueBytes(connection, MHD_HTTP_BAD_REQUEST, {}, kHtml);
    }
    if (IsPostingPath(request.path)) {
        if (!post) {
            Log(request, 405);
            return QueueBytes(connection, MHD_HTTP_METHOD_NOT_ALLOWED,
                              PostProtocol::Answer(405, QStringLiteral("The posting service takes "
                                                                       "posts only.")),
                              kAnswerType, MHD_HTTP_METHOD_POST);
        }
        request.posting = true;
        request.operation = request.path == kPostPath ? PostingService::Operation::Post
                                                      : PostingService::Operation::Test;
        if (!TakePostSlot(request.client))
            return Answer(connection, request, 503,
                          QStringLiteral("The posting service is busy. Try again in a minute."));
        request.holdsSlot = true;
        bool known = false;
        const qint64 length = Header(connection, MHD_HTTP_HEADER_CONTENT_LENGTH).toLongLong(&known);
        // Beyond what is worth reading only to refuse it: answered at once, and the library
        // closes the connection rather than read on.
        if (known && length > m_limits.maxDrainedBody)
            return AnswerTooLong(connection, request);
        return true; // the body follows; the library says "100 Continue" if asked to
    }
    if (!read) {
        Log(request, 405);
        return QueueBytes(connection, MHD_HTTP_METHOD_NOT_ALLOWED, {}, kHtml, "GET, HEAD");
    }
    return AnswerPage(connection, request);
}

bool ProxyServer::Receive(MHD_Connection* connection, Request& request, const char* data,
                          size_t size)
{
    if (!request.posting)
        return true; // a body on a page request is read and ignored
    request.received += static_cast<qint64>(size);
    if (request.received > m_limits.maxDrainedBody)
        return AnswerTooLong(connection, request);
    if (request.received <= m_limits.maxBody)
        request.body.append(data, static_cast<qsizetype>(size));
    else
        request.body = QByteArray(); // too long: the rest is only counted
    return true;
}

bool ProxyServer::AnswerTooLong(MHD_Connection* connection, Request& request)
{
    return Answer(connection, request, 413,
                  QStringLiteral("The post is too long for the posting service."));
}

bool ProxyServer::AnswerPosting(MHD_Connection* connection, Request& request)
{
    if (!request.posting)
        return true;
    if (request.received > m_limits.maxBody)
        return AnswerTooLong(connection, request);
    PostingService::Request posting;
    posting.operation = request.operation;
    posting.client = request.client;
    posting.contentType = Header(connection, MHD_HTTP_HEADER_CONTENT_TYPE);
    posting.auth = Header(connection, "Auth");
    posting.protoVersion = Header(connection, "Proto-Version");
    posting.body = std::move(request.body);
    const PostingService::Answer answer = m_posting.Handle(posting);
    request.blog = answer.blog;
    return Answer(connection, request, answer.code, answer.message);
}

bool ProxyServer::Answer(MHD_Connection* connection, Request& request, unsigned code,
                         const QString& message)
{
    // The answer's own code says how it went; HTTP only carries it.
    Log(request, static_cast<int>(code));
    return QueueBytes(connection, MHD_HTTP_OK, PostProtocol::Answer(code, message), kAnswerType);
}

bool ProxyServer::AnswerPage(MHD_Connection* connection, Request& request)
{
    QString path = request.path;
    QString blog = BlogName::FromHost(QString::fromUtf8(Header(connection, MHD_HTTP_HEADER_HOST)));
    if (blog.isEmpty()) {
        if (path == QStringLiteral("/")) {
            QStringList blogs = QDir(m_store.PublicFolder())
                                    .entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
            blogs.removeIf([](const QString& name) { return !BlogName::IsValid(name); });
            Log(request, 200);
            return QueueBytes(connection, MHD_HTTP_OK, BlogPages::BlogList(blogs), kHtml);
        }
        // On a plain address the blog is the first segment: "/myblog/1.html".
        const qsizetype slash = path.indexOf(u'/', 1);
        const QString first = path.mid(1, slash < 0 ? -1 : slash - 1);
        if (BlogName::IsValid(first)) {
            blog = first;
            if (slash < 0) {
                request.blog = blog;
                Log(request, 301);
                MHD_Response* response =
                    MHD_create_response_from_buffer(0, nullptr, MHD_RESPMEM_PERSISTENT);
                MHD_add_response_header(response, MHD_HTTP_HEADER_LOCATION,
                                        ("/" + blog.toLatin1() + "/").constData());
                return Queue(connection, MHD_HTTP_MOVED_PERMANENTLY, response);
            }
            path = path.mid(slash);
        }
    }
    request.blog = blog;
    const QString name = path == QStringLiteral("/") ? QStringLiteral("index.html") : path.mid(1);
    int fd = -1;
    struct stat status
    {
    };
    if (!blog.isEmpty() && BlogPages::IsPageName(name)) {
        const QByteArray file = QFile::encodeName(QDir(m_store.BlogFolder(blog)).filePath(name));
        fd = ::open(file.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd >= 0 && (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode))) {
            ::close(fd);
            fd = -1;
        }
    }
    if (fd < 0) {
        Log(request, 404);
        return QueueBytes(connection, MHD_HTTP_NOT_FOUND, kNotFound, kHtml);
    }
    // Sent from the file as it is: a page is written whole and renamed into place, so the open
    // file stays whole while a newer one replaces it.
    MHD_Response* response =
        MHD_create_response_from_fd64(static_cast<uint64_t>(status.st_size), fd);
    if (!response) {
        ::close(fd);
        return false;
    }
    AddSafetyHeaders(response, name.endsWith(QStringLiteral(".atom"))
                                   ? "application/atom+xml; charset=utf-8"
                                   : kHtml);
    Log(request, 200);
    return Queue(connection, MHD_HTTP_OK, response);
}

void ProxyServer::Log(const Request& request, int status) const
{
    m_log.Write(request.client, request.blog, QString::fromLatin1(request.method), request.path,
                status);
}

bool ProxyServer::TakePostSlot(const QString& client)
{
    QMutexLocker lock(&m_slotsMutex);
    int& ofClient = m_postsPerClient[client];
    if (ofClient >= m_limits.maxPostsPerClient || m_posts >= m_limits.maxPosts) {
        if (ofClient == 0)
            m_postsPerClient.remove(client);
        return false;
    }
    ++ofClient;
    ++m_posts;
    return true;
}

void ProxyServer::ReleasePostSlot(const QString& client)
{
    QMutexLocker lock(&m_slotsMutex);
    --m_posts;
    if (--m_postsPerClient[client] <= 0)
        m_postsPerClient.remove(client);
}

bool ProxyServer::IsTrusted(const QHostAddress& peer) const
{
    return m_limits.trustedProxies.contains(peer);
}

// Connections are counted here rather than by the library, so that a trusted server in front,
// which carries everybody's requests, is not limited as one client.
bool ProxyServer::AcceptConnection(const QHostAddress& peer)
{
    if (IsTrusted(peer))
        return true;
    QMutexLocker lock(&m_slotsMutex);
    return m_connectionsPerClient.value(peer.toString()) < m_limits.maxConnectionsPerClient;
}

void ProxyServer::ConnectionStarted(const QString& peer)
{
    QMutexLocker lock(&m_slotsMutex);
    ++m_connectionsPerClient[peer];
}

void ProxyServer::ConnectionClosed(const QString& peer)
{
    QMutexLocker lock(&m_slotsMutex);
    if (--m_connectionsPerClient[peer] <= 0)
        m_connectionsPerClient.remove(peer);
}
