#include "proxy/ProxyServer.h"

#include "blog/PostProtocol.h"
#include "proxy/BlogName.h"
#include "proxy/BlogPages.h"
#include "proxy/BlogStore.h"
#include "proxy/GuardedTcpServer.h"
#include "proxy/PostingService.h"
#include "proxy/RequestLog.h"

#include <QDir>
#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QRegularExpression>

namespace {

using Status = QHttpServerResponder::StatusCode;

QString MethodName(const QHttpServerRequest& request)
{
    switch (request.method()) {
    case QHttpServerRequest::Method::Get:
        return QStringLiteral("GET");
    case QHttpServerRequest::Method::Head:
        return QStringLiteral("HEAD");
    case QHttpServerRequest::Method::Post:
        return QStringLiteral("POST");
    default:
        return QStringLiteral("OTHER");
    }
}

// The files a blog folder holds; nothing else is ever served from it.
bool IsBlogFile(const QString& name)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(index\\.html|feed\\.atom|[1-9][0-9]{0,8}\\.html)$"));
    return pattern.match(name).hasMatch();
}

constexpr char kHtml[] = "text/html; charset=utf-8";

QByteArray ContentType(const QString& name)
{
    return name.endsWith(QStringLiteral(".atom"))
               ? QByteArrayLiteral("application/atom+xml; charset=utf-8")
               : QByteArray(kHtml);
}

void Send(QHttpServerResponder& responder, const QByteArray& body, const QByteArray& type,
          Status status)
{
    // Pages never run scripts or load anything, even should an escape be missed.
    responder.write(body,
                    {{"Content-Type", type},
                     {"X-Content-Type-Options", "nosniff"},
                     {"Content-Security-Policy", "default-src 'none'; style-src 'unsafe-inline'"},
                     {"Cache-Control", "no-cache"}},
                    status);
}

} // namespace

ProxyServer::ProxyServer(PostingService& posting, BlogStore& store, const ProxyLimits& limits,
                         const RequestLog& log, QObject* parent)
    : QAbstractHttpServer(parent), m_posting(posting), m_store(store), m_limits(limits), m_log(log)
{
}

bool ProxyServer::Listen(const QHostAddress& address, quint16 port, QString* error)
{
    auto* server = new GuardedTcpServer(m_limits, m_log, this);
    if (!server->listen(address, port)) {
        *error = server->errorString();
        delete server;
        return false;
    }
    bind(server);
    m_port = server->serverPort();
    return true;
}

bool ProxyServer::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket)
{
    QHttpServerResponder responder = makeResponder(request, socket);
    const QString path = request.url().path();
    if (path == QStringLiteral("/post") || path == QStringLiteral("/test")) {
        HandlePosting(request, responder);
    } else if (request.method() == QHttpServerRequest::Method::Get) {
        HandlePage(request, responder);
    } else {
        Log(request, {}, 405);
        responder.write(Status::MethodNotAllowed);
    }
    return true;
}

void ProxyServer::missingHandler(const QHttpServerRequest& request, QTcpSocket* socket)
{
    // Every request is handled above; this is only the interface's other half.
    Log(request, {}, 404);
    makeResponder(request, socket).write(Status::NotFound);
}

void ProxyServer::HandlePosting(const QHttpServerRequest& request, QHttpServerResponder& responder)
{
    PostingService::Answer answer;
    if (request.method() != QHttpServerRequest::Method::Post) {
        answer = {405, QStringLiteral("The posting service takes posts only."), {}};
    } else {
        PostingService::Request posting;
        posting.operation = request.url().path() == QStringLiteral("/post")
                                ? PostingService::Operation::Post
                                : PostingService::Operation::Test;
        posting.contentType = request.value("Content-Type");
        posting.auth = request.value("Auth");
        posting.protoVersion = request.value("Proto-Version");
        posting.body = request.body();
        answer = m_posting.Handle(posting);
    }
    Log(request, answer.blog, static_cast<int>(answer.code));
    // The answer's own code says how it went; HTTP only carries it.
    Send(responder, PostProtocol::Answer(answer.code, answer.message),
         QByteArrayLiteral("text/plain; charset=windows-1252"), Status::Ok);
}

void ProxyServer::HandlePage(const QHttpServerRequest& request, QHttpServerResponder& responder)
{
    QString path = request.url().path();
    QString blog = BlogName::FromHost(QString::fromUtf8(request.value("Host")));
    if (blog.isEmpty()) {
        if (path == QStringLiteral("/")) {
            QStringList blogs = QDir(m_store.PublicFolder())
                                    .entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
            blogs.removeIf([](const QString& name) { return !BlogName::IsValid(name); });
            Log(request, {}, 200);
            Send(responder, BlogPages::BlogList(blogs), kHtml, Status::Ok);
            return;
        }
        // On a plain address the blog is the first segment: "/myblog/1.html".
        const qsizetype slash = path.indexOf(u'/', 1);
        const QString first = path.mid(1, slash < 0 ? -1 : slash - 1);
        if (BlogName::IsValid(first)) {
            blog = first;
            if (slash < 0) {
                Log(request, blog, 301);
                responder.write({{"Location", "/" + blog.toLatin1() + "/"}},
                                Status::MovedPermanently);
                return;
            }
            path = path.mid(slash);
        }
    }
    const QString name = path == QStringLiteral("/") ? QStringLiteral("index.html") : path.mid(1);
    QFile file;
    if (!blog.isEmpty() && IsBlogFile(name)) {
        file.setFileName(QDir(m_store.BlogFolder(blog)).filePath(name));
        file.open(QIODevice::ReadOnly);
    }
    if (!file.isOpen()) {
        Log(request, blog, 404);
        Send(responder,
             QByteArrayLiteral("<!DOCTYPE html>\n<title>Not found</title>\n<p>There is no such "
                               "page here. A blog's pages appear with its first post.</p>\n"),
             kHtml, Status::NotFound);
        return;
    }
    Log(request, blog, 200);
    Send(responder, file.readAll(), ContentType(name), Status::Ok);
}

void ProxyServer::Log(const QHttpServerRequest& request, const QString& blog, int code) const
{
    m_log.Write(request.remoteAddress().toString(), blog, MethodName(request), request.url().path(),
                code);
}
