#pragma once

#include "proxy/BlogPost.h"

#include <QList>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

struct PublishResult
{
    enum class Status
    {
        Published,
        Repeated, // the same post again within a minute: answered as published, not stored twice
        Full,     // the blog's record has reached kMaxBlogBytes
        Failed,
    } status;
    QString page;  // the post's page name, when published or repeated
    QString error; // why not, for the log
};

// The blogs on disk. The public folder holds one folder per blog with a page per post, archive
// pages, an index page and an Atom feed; it can be copied to any web host as it is. Each blog's
// posts are recorded beside it in a private folder, in a log of one JSON object per line that
// only grows: publishing appends to it and writes the post's page, then the index and the
// feed from the newest posts, which are held in memory. A post thus costs the same at any
// length of the blog. Pages are written whole to a new file and renamed over the old one, so
// readers see whole files only.
//
// Publish may be called from many threads at once: posts to one blog are taken in turn, posts
// to different blogs in parallel.
class BlogStore final
{
public:
    using Clock = std::function<QDateTime()>;

    // A post that would take a blog's record past this is refused; the blog stays as it is.
    static constexpr qint64 kMaxBlogBytes = qint64(1) << 30;
    // An identical post within this time of the newest is a retry, not a new post.
    static constexpr qint64 kRepeatMs = 60'000;

    explicit BlogStore(const QString& folder, Clock clock = {});
    ~BlogStore();

    QString PublicFolder() const { return m_public; }
    QString BlogFolder(const QString& blog) const;

    PublishResult Publish(const QString& blog, const QString& title, const QString& html,
                          const QString& author);
    // Brings every blog's pages, index and feed up to its record after a crash or an older
    // version: writes what a recorded post lacks and removes pages of posts never recorded.
    // Carries on past a blog it cannot mend; false with the reasons when there was one.
    bool Recover(QString* error);
    // The blog's posts, oldest first, read from the whole of its record (for tests and tools);
    // nothing when it is damaged.
    std::optional<QList<BlogPost>> Posts(const QString& blog, QString* error);

private:
    struct Blog;

    Blog& Find(const QString& name);
    bool Load(const QString& name, Blog& blog, QString* error) const;
    bool Migrate(const QString& name, QString* error) const;
    bool Append(const QString& name, Blog& blog, const QByteArray& line, QString* error) const;
    // Writes the pages of the given posts and the given archive pages, then the index and the
    // feed. fresh is the post just recorded, when it is one of them.
    bool WritePages(const QString& name, Blog& blog, const QList<int>& pages,
                    const QList<int>& archives, const BlogPost* fresh, QString* error) const;
    bool CatchUp(const QString& name, Blog& blog, QString* error) const;
    bool RecoverBlog(const QString& name, QString* error);
    bool FeedId(const QString& name, Blog& blog, QString* error) const;

    QString RecordFile(const QString& name, const char* suffix) const;

    QString m_public;
    QString m_records;
    Clock m_clock;
    std::mutex m_blogsMutex;
    std::map<QString, std::unique_ptr<Blog>> m_blogs;
};
