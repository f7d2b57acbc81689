#include "proxy/RequestLog.h"

#include <QDateTime>
#include <QMutexLocker>
#include <QUrl>

#include <cstdio>

namespace {
constexpr qsizetype kMaxPathInLog = 200;
}

RequestLog::RequestLog(Sink sink) : m_sink(std::move(sink))
{
    if (!m_sink) {
        m_sink = [](const QString& line) {
            std::fprintf(stderr, "%s\n", line.toUtf8().constData());
            std::fflush(stderr);
        };
    }
}

void RequestLog::Write(const QString& client, const QString& blog, const QString& method,
                       const QString& path, int code) const
{
    // Joined, not formatted: an encoded path holds "%0A" and the like, which a second pass of
    // QString::arg would take for a place marker.
    const QString line = QDateTime::currentDateTimeUtc().toString(Qt::ISODate) + u' ' +
                         Printable(client) + u' ' + (blog.isEmpty() ? QStringLiteral("-") : blog) +
                         u' ' + Printable(method) + u' ' + Printable(path) + u' ' +
                         QString::number(code);
    const QMutexLocker lock(&m_mutex);
    m_sink(line);
}

void RequestLog::Note(const QString& text) const
{
    const QString line = QDateTime::currentDateTimeUtc().toString(Qt::ISODate) + u' ' + text;
    const QMutexLocker lock(&m_mutex);
    m_sink(line);
}

QString RequestLog::Printable(const QString& path)
{
    // Spaces, controls and anything beyond ASCII are percent-encoded, so one request stays
    // one line and no text can pose as another field.
    QString out = QString::fromLatin1(
        QUrl::toPercentEncoding(path.left(kMaxPathInLog), QByteArrayLiteral("/?=&:@+,;!$'()*~")));
    if (path.size() > kMaxPathInLog)
        out += QStringLiteral("...");
    return out.isEmpty() ? QStringLiteral("-") : out;
}
