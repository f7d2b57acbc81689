#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

// A posting proxy of our own on 127.0.0.1: records every request and answers each with the one
// line it is given, or holds it unanswered until told.
class LoopbackProxy final : public QObject
{
    Q_OBJECT

public:
    struct Request
    {
        QByteArray path;
        QList<QPair<QByteArray, QByteArray>> headers; // in the order sent
        QByteArray body;

        qsizetype HeaderIndex(const QByteArray& name) const; // -1 when absent
        QByteArray Header(const QByteArray& name) const
        {
            return headers.value(HeaderIndex(name)).second;
        }
        QByteArray Credentials() const; // the Auth value decoded with the shared key
    };

    LoopbackProxy();
    QString Url(const char* path) const;
    void SetAnswer(const QByteArray& answer) { m_answer = answer; }
    void HoldAnswers() { m_hold = true; }
    int AnswerHeld(const QByteArray& answer); // returns how many were still connected

    QList<Request> requests;
    int connections = 0;
    int closedUnanswered = 0;

private:
    void OnData(QTcpSocket* socket);
    static void Answer(QTcpSocket* socket, const QByteArray& answer);

    QTcpServer m_server;
    QByteArray m_answer = "200 ok";
    bool m_hold = false;
    QList<QPointer<QTcpSocket>> m_held;
};
