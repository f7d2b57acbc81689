#pragma once

#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

// A posting proxy of our own on 127.0.0.1: records every request and answers each with the one
// line it is given, or holds it unanswered until told.
class LoopbackProxy final : public QObject
{
public:
    struct Request
    {
        QByteArray head; // request line and headers, as sent
        QByteArray body;

        qsizetype HeaderIndex(const QByteArray& name) const // -1 when absent
        {
            return head.toLower().indexOf("\n" + name.toLower() + ":");
        }
        QByteArray Header(const QByteArray& name) const
        {
            const qsizetype at = HeaderIndex(name);
            return at < 0 ? QByteArray() : head.mid(at + name.size() + 2).split('\n')[0].trimmed();
        }
    };

    LoopbackProxy()
    {
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
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

    QString Url(const char* path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path);
    }
    void SetAnswer(const QByteArray& answer) { m_answer = answer; }
    void HoldAnswers() { m_hold = true; }
    // Returns how many were still connected.
    int AnswerHeld(const QByteArray& answer)
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

    QList<Request> requests;
    int closedUnanswered = 0;

private:
    void OnData(QTcpSocket* socket)
    {
        const QByteArray buffer = socket->property("buffer").toByteArray() + socket->readAll();
        socket->setProperty("buffer", buffer);
        const qsizetype headEnd = buffer.indexOf("\r\n\r\n");
        if (headEnd < 0)
            return;
        Request request{buffer.left(headEnd + 2), {}};
        const qsizetype length = request.Header("Content-Length").toLongLong();
        if (buffer.size() < headEnd + 4 + length)
            return;
        request.body = buffer.mid(headEnd + 4, length);
        requests.append(request);
        if (m_hold)
            m_held.append(socket);
        else
            Answer(socket, m_answer);
    }

    static void Answer(QTcpSocket* socket, const QByteArray& answer)
    {
        socket->setProperty("answered", true);
        socket->write("HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Length: " +
                      QByteArray::number(answer.size()) + "\r\n\r\n" + answer);
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    QByteArray m_answer = "200 ok";
    bool m_hold = false;
    QList<QPointer<QTcpSocket>> m_held;
};
