#pragma once

// Start-up measurement, idle unless NUTRAVA_REPORT_FIRST_PAINT is set. Then the first paint of
// the watched window prints "first paint MS ms VmHWM KB kB" on stderr (milliseconds since
// main() began, peak memory so far) and, when the variable is "exit", ends the event loops;
// StartupMark() lines say where the time and the page faults before it went. Header-only so
// that the bare dialog the start-up benchmark compares against reports the same way.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <functional>

#include <sys/resource.h>

inline bool FirstPaintWanted()
{
    static const bool wanted = qEnvironmentVariableIsSet("NUTRAVA_REPORT_FIRST_PAINT");
    return wanted;
}

// Started by the first call, which main() makes before anything else.
inline qint64 StartupElapsedMs(double* fraction = nullptr)
{
    static const QElapsedTimer clock = [] {
        QElapsedTimer started;
        started.start();
        return started;
    }();
    const qint64 ns = clock.nsecsElapsed();
    if (fraction)
        *fraction = double(ns) / 1e6;
    return ns / 1000000;
}

inline void StartupMark(const char* what)
{
    if (!FirstPaintWanted())
        return;
    double ms = 0;
    StartupElapsedMs(&ms);
    // Page faults are counted too: on a virtual machine each costs microseconds, and the
    // first touch of fresh memory is much of what a start spends beyond the bare dialog.
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::fprintf(stderr, "startup %8.2f ms %s (%ld page faults)\n", ms, what, usage.ru_minflt);
}

// Peak resident memory in kB, 0 where /proc does not say.
inline long PeakMemoryKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

// Calls `then` once the first paint of `window` is done and flushed (from the event loop).
inline void AfterFirstPaint(QWidget* window, std::function<void()> then)
{
    struct Watcher : QObject
    {
        Watcher(QWidget* window, std::function<void()> then)
            : QObject(window), m_then(std::move(then))
        {
        }
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (event->type() == QEvent::Paint) {
                watched->removeEventFilter(this);
                QTimer::singleShot(0, this, [this] {
                    m_then();
                    deleteLater();
                });
            }
            return false;
        }
        std::function<void()> m_then;
    };
    window->installEventFilter(new Watcher(window, std::move(then)));
}

inline void WatchFirstPaint(QWidget* window)
{
    if (!FirstPaintWanted())
        return;
    AfterFirstPaint(window, [] {
        StartupMark("painted");
        double ms = 0;
        StartupElapsedMs(&ms);
        std::fprintf(stderr, "first paint %.2f ms VmHWM %ld kB\n", ms, PeakMemoryKb());
        std::fflush(stderr);
        if (qgetenv("NUTRAVA_REPORT_FIRST_PAINT") == "exit")
            QCoreApplication::exit(0);
    });
}
