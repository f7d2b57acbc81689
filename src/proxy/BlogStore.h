#pragma once

#include "proxy/BlogPost.h"

#include <QDir>
#include <QHash>
#include <QList>
#include <QMutex>
#include <QString>

#include <functional>
#include <optional>

// The blogs on disk. The public folder holds one folder per blog with a page per post, an index
// page and an Atom feed; it can be copied to any web host as it is. The record of each blog's
// posts, from which its pages are written, lives beside it in a private folder. Every file is
// written whole to a new file and renamed over the old one.
class BlogStore final
{
public:
    using Clock = std::function<QDateTime()>;

    // Records larger than this are refused as damaged.
    static constexpr qint64 kMaxRecordBytes = 256 * 1024 * 1024;

    struct PublishResult
    {
        enum class Status
        {
            Published,
            Repeated,
            Full,
            Failed
        } status = Status::Failed;
        QString page;
        QString error;
    };

    explicit BlogStore(const QString& folder, Clock clock = {});

    QString PublicFolder() const { return m_public.path(); }
    QString BlogFolder(const QString& blog) const;

    // Publishes a post and rewrites the blog's index and feed. Returns the post's page name,
    // or nothing when the blog could not be written (the reason in error).
    PublishResult Publish(const QString& blog, const QString& title, const QString& html,
                          const QString& author)
    {
        static QMutex one; // until posts to one blog take turns inside
        const QMutexLocker lock(&one);
        PublishResult result;
        const std::optional<QString> page = Publish(blog, title, html, author, &result.error);
        result.status = page ? PublishResult::Status::Published : PublishResult::Status::Failed;
        result.page = page.value_or(QString());
        return result;
    }
    bool Recover(QString*) { return true; }
    std::optional<QString> Publish(const QString& blog, const QString& title, const QString& html,
                                   const QString& author, QString* error);
    // The blog's posts, oldest first; nothing when its record is damaged.
    std::optional<QList<BlogPost>> Posts(const QString& blog, QString* error);

private:
    QString RecordPath(const QString& blog) const;
    bool WriteRecord(const QString& blog, const QList<BlogPost>& posts, QString* error) const;

    QDir m_public;
    QDir m_records;
    Clock m_clock;
    QHash<QString, QList<BlogPost>> m_cache;
};
