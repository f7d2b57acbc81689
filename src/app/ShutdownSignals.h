#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into a queued Qt signal, so the program can close its pages
// and write the store from the event loop instead of dying mid-write.
class ShutdownSignals final : public QObject
{
    Q_OBJECT

public:
    explicit ShutdownSignals(QObject* parent = nullptr);
    ~ShutdownSignals() override;

    int SignalNumber() const { return m_signal; }

signals:
    void shutdownRequested();

private:
    QSocketNotifier* m_notifier = nullptr;
    int m_signal = 0;
};
