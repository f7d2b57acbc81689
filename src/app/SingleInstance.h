#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// One running copy per executable: the first start listens on a local socket named after the
// executable's path; a later start asks it to raise its window and ends.
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
    QString m_name;
    QLocalServer* m_server = nullptr;
};
