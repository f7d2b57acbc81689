#pragma once

#include "proxy/ProxyLimits.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>

class QTcpSocket;
class RequestLog;

// Stands before the HTTP server on one connection. Qt's server reads whatever a client sends,
// however long, so the guard frames the requests itself from the bytes it peeks at: it refuses
// an over-long request line, head or body, and a chunked body, before the server has read them,
// and drops a client that does not finish a request in time.
//
// It sees each byte once: its first slot runs before the server's on every readyRead and scans
// what arrived since, its second runs after and notes what the server left unread.
class RequestGuard final : public QObject
{
public:
    RequestGuard(QTcpSocket* socket, const ProxyLimits& limits, const RequestLog& log);

    // Call once the server has connected to the socket.
    void ServerAttached();

private:
    void BeforeServer();
    void AfterServer();
    void Scan(const char* data, qsizetype size);
    bool HeadComplete();
    void Refuse(int status, const QString& message);
    void OnTimeout();
    void OnBytesWritten();

    QTcpSocket* m_socket;
    const ProxyLimits& m_limits;
    const RequestLog& m_log;
    QTimer m_timer;
    qint64 m_unread = 0; // bytes the server left in the socket, already scanned
    bool m_inHead = true;
    QByteArray m_head;
    qsizetype m_lineStart = 0;
    int m_lines = 0;
    QByteArray m_method;
    QByteArray m_path;
    qint64 m_bodyLeft = 0;
    bool m_refused = false;
};
