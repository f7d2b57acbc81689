#include "proxy/BlogStore.h"

#include "proxy/BlogName.h"
#include "proxy/BlogPages.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QUuid>

namespace {

bool WriteWhole(const QString& path, const QByteArray& bytes, QString* error)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    return false;
}

std::optional<BlogPost> PostFromJson(const QJsonValue& value, int expectedNumber)
{
    const QJsonObject object = value.toObject();
    BlogPost post;
    post.number = object.value(QStringLiteral("number")).toInt(-1);
    post.id = object.value(QStringLiteral("id")).toString();
    post.title = object.value(QStringLiteral("title")).toString();
    post.author = object.value(QStringLiteral("author")).toString();
    post.html = object.value(QStringLiteral("html")).toString();
    post.published =
        QDateTime::fromString(object.value(QStringLiteral("published")).toString(), Qt::ISODate)
            .toUTC();
    if (post.number != expectedNumber || post.id.isEmpty() || !post.published.isValid())
        return std::nullopt;
    return post;
}

} // namespace

BlogStore::BlogStore(const QString& folder, Clock clock)
    : m_public(folder + QStringLiteral("/blogs")), m_records(folder + QStringLiteral("/posts")),
      m_clock(clock ? std::move(clock) : [] { return QDateTime::currentDateTimeUtc(); })
{
}

QString BlogStore::BlogFolder(const QString& blog) const
{
    Q_ASSERT(BlogName::IsValid(blog));
    return m_public.filePath(blog);
}

QString BlogStore::RecordPath(const QString& blog) const
{
    return m_records.filePath(blog + QStringLiteral(".json"));
}

std::optional<QList<BlogPost>> BlogStore::Posts(const QString& blog, QString* error)
{
    if (!BlogName::IsValid(blog)) {
        *error = QStringLiteral("not a blog name");
        return std::nullopt;
    }
    if (const auto cached = m_cache.constFind(blog); cached != m_cache.constEnd())
        return *cached;
    QFile file(RecordPath(blog));
    if (!file.exists())
        return m_cache.insert(blog, {}).value();
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxRecordBytes) {
        *error = QStringLiteral("cannot read %1").arg(file.fileName());
        return std::nullopt;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (!document.isArray()) {
        *error = QStringLiteral("%1 is damaged: %2").arg(file.fileName(), parseError.errorString());
        return std::nullopt;
    }
    QList<BlogPost> posts;
    const QJsonArray array = document.array();
    for (qsizetype i = 0; i < array.size(); ++i) {
        const std::optional<BlogPost> post = PostFromJson(array[i], static_cast<int>(i) + 1);
        if (!post) {
            *error = QStringLiteral("%1 is damaged at post %2").arg(file.fileName()).arg(i + 1);
            return std::nullopt;
        }
        posts.append(*post);
    }
    return m_cache.insert(blog, posts).value();
}

bool BlogStore::WriteRecord(const QString& blog, const QList<BlogPost>& posts, QString* error) const
{
    QJsonArray array;
    for (const BlogPost& post : posts) {
        array.append(QJsonObject{{"number", post.number},
                                 {"id", post.id},
                                 {"title", post.title},
                                 {"author", post.author},
                                 {"html", post.html},
                                 {"published", post.published.toString(Qt::ISODate)}});
    }
    return WriteWhole(RecordPath(blog), QJsonDocument(array).toJson(QJsonDocument::Compact), error);
}

std::optional<QString> BlogStore::Publish(const QString& blog, const QString& title,
                                          const QString& html, const QString& author,
                                          QString* error)
{
    std::optional<QList<BlogPost>> posts = Posts(blog, error);
    if (!posts)
        return std::nullopt;
    if (!m_records.mkpath(QStringLiteral(".")) || !m_public.mkpath(blog)) {
        *error = QStringLiteral("cannot make the folders under %1").arg(m_public.path());
        return std::nullopt;
    }
    BlogPost post;
    post.number = static_cast<int>(posts->size()) + 1;
    post.id =
        QUuid::createUuid().toString(QUuid::WithoutBraces).prepend(QStringLiteral("urn:uuid:"));
    post.title = title;
    post.author = author;
    post.html = html;
    // Whole seconds: the pages show no finer time, and the record keeps what they show.
    const QDateTime now = m_clock().toUTC();
    post.published = now.addMSecs(-now.time().msec());
    posts->append(post);

    // The page first, then the record: a post is never listed without its page. The index and
    // the feed follow the record and are rewritten from it with every post.
    const QDir folder(BlogFolder(blog));
    const QString page = BlogPages::PageName(post.number);
    if (!WriteWhole(folder.filePath(page), BlogPages::PostPage(blog, post), error) ||
        !WriteRecord(blog, *posts, error))
        return std::nullopt;
    m_cache.insert(blog, *posts);
    if (!WriteWhole(folder.filePath(QStringLiteral("index.html")),
                    BlogPages::IndexPage(blog, *posts), error) ||
        !WriteWhole(folder.filePath(QStringLiteral("feed.atom")), BlogPages::Feed(blog, *posts),
                    error))
        return std::nullopt;
    return page;
}
