#include "blog/LoopbackProxy.h"

#include "blog/PostProtocol.h"

#include <QHostAddress>

namespace {
constexpr qsizetype kMaxRequestBytes = 1 << 20;
}

QByteArray LoopbackProxy::Request::Header(const QByteArray& name) const
{
    const qsizetype index = HeaderIndex(name);
    return index < 0 ? QByteArray() : headers[index].second;
}

qsizetype LoopbackProxy::Request::HeaderIndex(const QByteArray& name) const
{
    for (qsizetype i = 0; i < headers.size(); ++i) {
        if (headers[i].first.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QByteArray LoopbackProxy::Request::Credentials() const
{
    return PostProtocol::DecodeAuth(QString::fromLatin1(Header("Auth")),
                                    PostProtocol::ScrambleKey());
}

LoopbackProxy::LoopbackProxy()
{
    connect(&m_server, &QTcpServer::newConnection, this, &LoopbackProxy::OnConnection);
    m_server.listen(QHostAddress::LocalHost);
}

QString LoopbackProxy::BaseUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort());
}

int LoopbackProxy::AnswerHeld(const QByteArray& answer)
{
    int answered = 0;
    for (const QPointer<QTcpSocket>& socket : std::as_const(m_held)) {
        if (socket && socket->state() == QAbstractSocket::ConnectedState) {
            Answer(socket, answer);
            ++answered;
        }
    }
    m_held.clear();
    return answered;
}

void LoopbackProxy::OnConnection()
{
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        ++m_connections;
        socket->setParent(this);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { OnData(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            if (socket->property("answered").toBool() == false)
                ++m_closedByClient;
            socket->deleteLater();
        });
    }
}

void LoopbackProxy::OnData(QTcpSocket* socket)
{
    QByteArray buffer = socket->property("buffer").toByteArray() + socket->readAll();
    socket->setProperty("buffer", buffer);
    if (buffer.size() > kMaxRequestBytes) {
        socket->abort();
        return;
    }
    const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return;
    Request request;
    const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    request.method = requestLine.value(0);
    request.path = requestLine.value(1);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon > 0)
            request.headers.append({lines[i].left(colon), lines[i].mid(colon + 1).trimmed()});
    }
    const qsizetype length = request.Header("Content-Length").toLongLong();
    if (buffer.size() < headerEnd + 4 + length)
        return;
    request.body = buffer.mid(headerEnd + 4, length);
    m_requests.append(request);
    socket->setProperty("buffer", QByteArray());
    if (m_hold)
        m_held.append(socket);
    else
        Answer(socket, m_answer);
}

void LoopbackProxy::Answer(QTcpSocket* socket, const QByteArray& answer)
{
    socket->setProperty("answered", true);
    socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nConnection: close\r\n"
                  "Content-Length: " +
                  QByteArray::number(answer.size()) + "\r\n\r\n" + answer);
    socket->disconnectFromHost();
}
