#include "proxy/RequestGuard.h"

#include "blog/PostProtocol.h"
#include "proxy/RequestLog.h"

#include <QTcpSocket>

namespace {

QByteArray ReasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 400:
        return "Bad Request";
    case 408:
        return "Request Timeout";
    case 411:
        return "Length Required";
    case 413:
        return "Payload Too Large";
    case 414:
        return "URI Too Long";
    case 431:
        return "Request Header Fields Too Large";
    default:
        return "Error";
    }
}

bool IsProtocolPath(const QByteArray& path)
{
    return path == "/post" || path == "/test";
}

} // namespace

RequestGuard::RequestGuard(QTcpSocket* socket, const ProxyLimits& limits, const RequestLog& log)
    : QObject(socket), m_socket(socket), m_limits(limits), m_log(log)
{
    connect(socket, &QTcpSocket::readyRead, this, &RequestGuard::BeforeServer);
    connect(socket, &QTcpSocket::bytesWritten, this, &RequestGuard::OnBytesWritten);
    m_timer.setSingleShot(true);
    m_timer.setInterval(limits.requestTimeout);
    connect(&m_timer, &QTimer::timeout, this, &RequestGuard::OnTimeout);
    m_timer.start();
}

void RequestGuard::ServerAttached()
{
    connect(m_socket, &QTcpSocket::readyRead, this, &RequestGuard::AfterServer);
}

void RequestGuard::BeforeServer()
{
    if (m_refused) {
        m_socket->skip(m_socket->bytesAvailable());
        return;
    }
    const QByteArray data = m_socket->peek(m_socket->bytesAvailable());
    if (data.size() > m_unread)
        Scan(data.constData() + m_unread, data.size() - m_unread);
}

void RequestGuard::AfterServer()
{
    m_unread = m_socket->bytesAvailable();
}

void RequestGuard::Scan(const char* data, qsizetype size)
{
    for (qsizetype i = 0; i < size && !m_refused;) {
        if (!m_inHead) {
            const qint64 taken = std::min<qint64>(m_bodyLeft, size - i);
            m_bodyLeft -= taken;
            i += taken;
            if (m_bodyLeft == 0)
                m_inHead = true;
            continue;
        }
        if (m_head.size() >= m_limits.maxHead) {
            Refuse(431, QStringLiteral("The request's headers are too long."));
            return;
        }
        const char c = data[i++];
        m_head.append(c);
        if (m_lines == 0 && m_head.size() > m_limits.maxRequestLine) {
            Refuse(414, QStringLiteral("The request's address is too long."));
            return;
        }
        if (c != '\n')
            continue;
        const QByteArray line = m_head.mid(m_lineStart).trimmed();
        m_lineStart = m_head.size();
        if (++m_lines == 1) {
            const QList<QByteArray> parts = line.split(' ');
            m_method = parts.value(0);
            m_path = parts.value(1);
            continue;
        }
        if (m_lines > m_limits.maxHeaderLines + 1) {
            Refuse(431, QStringLiteral("The request has too many headers."));
            return;
        }
        if (line.isEmpty() && !HeadComplete())
            return;
    }
}

bool RequestGuard::HeadComplete()
{
    qint64 length = 0;
    bool lengthSeen = false;
    for (const QByteArray& line : m_head.split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            continue;
        const QByteArray name = line.left(colon).trimmed().toLower();
        const QByteArray value = line.mid(colon + 1).trimmed();
        if (name == "transfer-encoding") {
            Refuse(411, QStringLiteral("The request must give its length."));
            return false;
        }
        if (name != "content-length")
            continue;
        bool ok =
            !value.isEmpty() && value.size() <= 18 &&
            std::all_of(value.cbegin(), value.cend(), [](char d) { return d >= '0' && d <= '9'; });
        const qint64 parsed = ok ? value.toLongLong(&ok) : 0;
        if (!ok || (lengthSeen && parsed != length)) {
            Refuse(400, QStringLiteral("The request's length is not readable."));
            return false;
        }
        length = parsed;
        lengthSeen = true;
    }
    if (length > m_limits.maxBody) {
        Refuse(413, QStringLiteral("The post is too long for the posting service."));
        return false;
    }
    m_head.clear();
    m_lineStart = 0;
    m_lines = 0;
    m_bodyLeft = length;
    m_inHead = length == 0;
    return true;
}

void RequestGuard::Refuse(int status, const QString& message)
{
    m_refused = true;
    m_timer.stop();
    m_log.Write(m_socket->peerAddress().toString(), {}, QString::fromLatin1(m_method),
                QString::fromLatin1(m_path), status);
    // The program shows the sentence only from a protocol answer, which always comes as 200.
    const int httpStatus = IsProtocolPath(m_path) ? 200 : status;
    const QByteArray body = PostProtocol::Answer(status, message);
    m_socket->write("HTTP/1.1 " + QByteArray::number(httpStatus) + ' ' + ReasonPhrase(httpStatus) +
                    "\r\nContent-Type: text/plain; charset=windows-1252\r\nContent-Length: " +
                    QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
    // The server must not see the rest; it gets nothing more from this connection.
    m_socket->skip(m_socket->bytesAvailable());
    m_socket->disconnectFromHost();
}

void RequestGuard::OnTimeout()
{
    if (m_inHead && m_head.isEmpty()) {
        m_socket->disconnectFromHost(); // idle between requests
        return;
    }
    Refuse(408, QStringLiteral("The request did not arrive in time."));
}

void RequestGuard::OnBytesWritten()
{
    // An answer has gone out; the next request gets its own full time.
    if (!m_refused && m_socket->bytesToWrite() == 0 && m_inHead && m_head.isEmpty())
        m_timer.start();
}
