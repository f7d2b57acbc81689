#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP, and the desktop session's order to quit, into one Qt signal
// delivered from the event loop, so the program can close its pages and write the store instead
// of dying mid-write.
class ShutdownSignals final : public QObject
{
    Q_OBJECT

public:
    explicit ShutdownSignals(QObject* parent = nullptr);
    ~ShutdownSignals() override;

    // The last signal received; 0 for none.
    int SignalNumber() const { return m_signal; }

signals:
    void shutdownRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QSocketNotifier* m_notifier = nullptr;
    int m_signal = 0;
};
