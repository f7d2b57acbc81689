#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;

// One running copy per executable: the first start listens on a local socket named after the
// executable's path; a later start asks it to raise its window and ends. The socket is a plain
// Unix one, where a local socket of Qt would have it, so that no start loads Qt Network.
class SingleInstance final : public QObject
{
    Q_OBJECT

public:
    explicit SingleInstance(const QString& executablePath, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when another copy answered: it was asked to come forward and this one should end.
    bool ForwardToRunningInstance(int timeoutMs = 2000);
    // Starts listening; false if that failed (the program then runs without the rule).
    bool Listen();

    static QString SocketName(const QString& executablePath);

signals:
    void raiseRequested();

private:
    void Accept();
    void Answer(int client, QSocketNotifier* notifier, QByteArray& heard);

    QString m_name;
    QByteArray m_path; // of the socket file, in the file system's encoding
    int m_server = -1;
    QSocketNotifier* m_notifier = nullptr;
};
