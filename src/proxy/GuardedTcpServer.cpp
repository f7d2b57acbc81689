#include "proxy/GuardedTcpServer.h"

#include "proxy/RequestGuard.h"
#include "proxy/RequestLog.h"

#include <QTcpSocket>

#include <unistd.h>

GuardedTcpServer::GuardedTcpServer(const ProxyLimits& limits, const RequestLog& log,
                                   QObject* parent)
    : QTcpServer(parent), m_limits(limits), m_log(log)
{
}

void GuardedTcpServer::incomingConnection(qintptr descriptor)
{
    auto* socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        ::close(static_cast<int>(descriptor));
        return;
    }
    if (m_open >= m_limits.maxConnections) {
        m_log.Note(QStringLiteral("too many connections, %1 turned away")
                       .arg(socket->peerAddress().toString()));
        socket->abort();
        socket->deleteLater();
        return;
    }
    ++m_open;
    connect(socket, &QObject::destroyed, this, [this] { --m_open; });
    auto* guard = new RequestGuard(socket, m_limits, m_log);
    addPendingConnection(socket); // the HTTP server takes it and connects here
    guard->ServerAttached();
}
