#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>

namespace {
constexpr char kRaise[] = "raise\n";
}

SingleInstance::SingleInstance(const QString& executablePath, QObject* parent)
    : QObject(parent), m_name(SocketName(executablePath))
{
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::SocketName(const QString& executablePath)
{
    // Socket names are short on Linux; a hash of the path keeps one name per executable.
    const QByteArray hash =
        QCryptographicHash::hash(executablePath.toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    return QStringLiteral("nutrava-") + QString::fromLatin1(hash);
}

bool SingleInstance::ForwardToRunningInstance(int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(kRaise);
    socket.waitForBytesWritten(timeoutMs);
    // Wait for the answer so that a server left over by a crashed copy does not count.
    return socket.waitForReadyRead(timeoutMs) && socket.readAll().startsWith("ok");
}

bool SingleInstance::Listen()
{
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_name)) {
        if (m_server->serverError() != QAbstractSocket::AddressInUseError)
            return false;
        // Either a copy that started at the same moment, or a socket file left by one that died.
        QLocalSocket probe;
        probe.connectToServer(m_name);
        if (probe.waitForConnected(500))
            return false;
        QLocalServer::removeServer(m_name);
        if (!m_server->listen(m_name))
            return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* client = m_server->nextPendingConnection()) {
            connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
            connect(client, &QLocalSocket::readyRead, this, [this, client] {
                if (client->readAll().startsWith("raise")) {
                    client->write("ok\n");
                    client->flush();
                    emit raiseRequested();
                }
            });
        }
    });
    return true;
}
