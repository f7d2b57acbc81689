#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QPointer>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>

// A posting proxy of our own on 127.0.0.1 for tests: records every request it receives and
// answers each with the one line it is given, or holds it unanswered until told.
class LoopbackProxy final : public QObject
{
    Q_OBJECT

public:
    struct Request
    {
        QByteArray method;
        QByteArray path;
        QList<QPair<QByteArray, QByteArray>> headers; // in the order sent
        QByteArray body;

        QByteArray Header(const QByteArray& name) const;
        qsizetype HeaderIndex(const QByteArray& name) const; // -1 when absent
        QByteArray Credentials() const; // the Auth value decoded with the shared key
    };

    LoopbackProxy();

    QString BaseUrl() const;
    // The answer body sent to every request from now on.
    void SetAnswer(const QByteArray& answer)
    {
        m_answer = answer;
        m_hold = false;
    }
    // Requests are recorded but left unanswered.
    void HoldAnswers() { m_hold = true; }
    // Answers the requests being held; returns how many were still connected.
    int AnswerHeld(const QByteArray& answer);

    const QList<Request>& Requests() const { return m_requests; }
    int Connections() const { return m_connections; }
    int ClosedByClient() const { return m_closedByClient; }

private:
    void OnConnection();
    void OnData(QTcpSocket* socket);
    static void Answer(QTcpSocket* socket, const QByteArray& answer);

    QTcpServer m_server;
    QByteArray m_answer = "200 ok";
    bool m_hold = false;
    QList<Request> m_requests;
    QList<QPointer<QTcpSocket>> m_held;
    int m_connections = 0;
    int m_closedByClient = 0;
};
