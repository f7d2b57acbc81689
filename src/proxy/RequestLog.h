#pragma once

#include <QMutex>
#include <QString>

#include <functional>

// One line per request on standard error: time, client, blog, method, path and the code
// answered. It never receives a header, a body or a password, only these six. Lines come whole
// from several threads at once.
class RequestLog final
{
public:
    using Sink = std::function<void(const QString& line)>;

    // Writes to standard error unless given a sink.
    explicit RequestLog(Sink sink = {});

    void Write(const QString& client, const QString& blog, const QString& method,
               const QString& path, int code) const;
    // Anything else worth a line: start, stop, a file that could not be written.
    void Note(const QString& text) const;

    // A path as it may appear in a log: printable ASCII only, cut to a sane length.
    static QString Printable(const QString& path);

private:
    Sink m_sink;
    mutable QMutex m_mutex;
};
