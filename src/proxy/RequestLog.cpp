#include "proxy/RequestLog.h"

#include <QDateTime>
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
    m_sink(QStringLiteral("%1 %2 %3 %4 %5 %6")
               .arg(QDateTime::currentDateTimeUtc().toString(Qt::ISODate), client,
                    blog.isEmpty() ? QStringLiteral("-") : blog, Printable(method), Printable(path))
               .arg(code));
}

void RequestLog::Note(const QString& text) const
{
    m_sink(QDateTime::currentDateTimeUtc().toString(Qt::ISODate) + u' ' + text);
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
