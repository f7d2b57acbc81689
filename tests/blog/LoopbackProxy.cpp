#include "blog/LoopbackProxy.h"

#include "blog/PostProtocol.h"

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
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            ++connections;
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { OnData(socket); });
            connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
                closedUnanswered += socket->property("answered").toBool() ? 0 : 1;
                socket->deleteLater();
            });
        }
    });
    m_server.listen(QHostAddress::LocalHost);
}

QString LoopbackProxy::Url(const char* path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path);
}

int LoopbackProxy::AnswerHeld(const QByteArray& answer)
{
    int answered = 0;
    for (const QPointer<QTcpSocket>& socket : std::exchange(m_held, {})) {
        if (socket && socket->state() == QAbstractSocket::ConnectedState) {
            Answer(socket, answer);
            ++answered;
        }
    }
    return answered;
}

void LoopbackProxy::OnData(QTcpSocket* socket)
{
    const QByteArray buffer = socket->property("buffer").toByteArray() + socket->readAll();
    socket->setProperty("buffer", buffer);
    const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return;
    Request request;
    const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
    request.path = lines.value(0).split(' ').value(1);
    for (const QByteArray& line : lines.mid(1)) {
        if (const qsizetype colon = line.indexOf(':'); colon > 0)
            request.headers.append({line.left(colon), line.mid(colon + 1).trimmed()});
    }
    const qsizetype length = request.Header("Content-Length").toLongLong();
    if (buffer.size() < headerEnd + 4 + length)
        return;
    request.body = buffer.mid(headerEnd + 4, length);
    requests.append(request);
    if (m_hold)
        m_held.append(socket);
    else
        Answer(socket, m_answer);
}

void LoopbackProxy::Answer(QTcpSocket* socket, const QByteArray& answer)
{
    socket->setProperty("answered", true);
    socket->write("HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Length: " +
                  QByteArray::number(answer.size()) + "\r\n\r\n" + answer);
    socket->disconnectFromHost();
}
