#include "proxy/BlogStore.h"

#include "proxy/BlogName.h"
#include "proxy/BlogPages.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSet>
#include <QUuid>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>

namespace {

constexpr qint64 kChunk = 64 * 1024;
constexpr int kMaxNumber = 999'999'999; // the longest number a page name takes

bool WriteWhole(const QString& path, const QByteArray& bytes, QString* error)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    return false;
}

// A new file's name lasts a crash only once its folder is on disk too.
void SyncFolder(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

std::optional<BlogPost> PostFromJson(const QJsonObject& object)
{
    BlogPost post;
    post.number = object.value(QStringLiteral("number")).toInt(-1);
    post.id = object.value(QStringLiteral("id")).toString();
    post.title = object.value(QStringLiteral("title")).toString();
    post.author = object.value(QStringLiteral("author")).toString();
    post.html = object.value(QStringLiteral("html")).toString();
    post.published =
        QDateTime::fromString(object.value(QStringLiteral("published")).toString(), Qt::ISODate)
            .toUTC();
    if (post.number < 1 || post.number > kMaxNumber || post.id.isEmpty() ||
        !post.published.isValid())
        return std::nullopt;
    return post;
}

std::optional<BlogPost> PostFromLine(const QByteArray& line)
{
    const QJsonDocument document = QJsonDocument::fromJson(line);
    return document.isObject() ? PostFromJson(document.object()) : std::nullopt;
}

// One line of the log: no raw line break can occur inside, JSON escapes them.
QByteArray RecordLine(const BlogPost& post)
{
    const QJsonObject object{
        {"number", post.number}, {"id", post.id},
        {"title", post.title},   {"author", post.author},
        {"html", post.html},     {"published", post.published.toString(Qt::ISODate)}};
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

QByteArray Digest(const QString& title, const QString& html, const QString& author)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QString* part : {&title, &html, &author}) {
        hash.addData(part->toUtf8());
        hash.addData(QByteArrayView("\0", 1));
    }
    return hash.result();
}

QString Damaged(const QFile& file, qint64 offset)
{
    return QStringLiteral("%1 is damaged at byte %2").arg(file.fileName()).arg(offset);
}

// Where the line break before end is (searching from end - 1 back), -1 when there is none.
// Reads a chunk at a time, never a whole line.
std::optional<qint64> LineBreakBefore(QFile& file, qint64 end)
{
    while (end > 0) {
        const qint64 from = std::max<qint64>(0, end - kChunk);
        if (!file.seek(from))
            return std::nullopt;
        const QByteArray chunk = file.read(end - from);
        if (chunk.size() != end - from)
            return std::nullopt;
        if (const qsizetype at = chunk.lastIndexOf('\n'); at >= 0)
            return from + at;
        end = from;
    }
    return -1;
}

// Calls take with each whole record from offset from up to end, in order, holding one at a time,
// while it returns true. Records must be numbered on from first.
bool ForEachRecord(QFile& file, qint64 from, qint64 end, int first,
                   const std::function<bool(const BlogPost&)>& take, QString* error)
{
    if (!file.seek(from)) {
        *error = QStringLiteral("cannot read %1: %2").arg(file.fileName(), file.errorString());
        return false;
    }
    for (int expected = first; file.pos() < end; ++expected) {
        const qint64 at = file.pos();
        const std::optional<BlogPost> post = PostFromLine(file.readLine());
        if (!post || post->number != expected || file.pos() > end) {
            *error = Damaged(file, at);
            return false;
        }
        if (!take(*post))
            break;
    }
    return true;
}

// The record of older versions: a JSON array of the posts. Read one post at a time, so that
// records of any size are migrated.
bool ForEachOldRecord(QFile& file, const std::function<bool(const BlogPost&)>& take, QString* error)
{
    enum class State
    {
        Start,
        BeforePost,
        InPost,
        AfterPost,
        End,
    } state = State::Start;
    QByteArray element;
    int depth = 0;
    bool inString = false;
    bool escaped = false;
    int expected = 1;
    qint64 offset = 0;
    const auto damaged = [&] {
        *error = Damaged(file, offset);
        return false;
    };
    while (!file.atEnd()) {
        const QByteArray chunk = file.read(kChunk);
        if (chunk.isEmpty())
            return damaged();
        for (const char c : chunk) {
            ++offset;
            const bool space = c == ' ' || c == '\n' || c == '\r' || c == '\t';
            switch (state) {
            case State::Start:
                if (c == '[')
                    state = State::BeforePost;
                else if (!space)
                    return damaged();
                break;
            case State::BeforePost:
            case State::AfterPost:
                if (c == '{' && state == State::BeforePost) {
                    state = State::InPost;
                    element = "{";
                    depth = 1;
                } else if (c == ']' && (state == State::AfterPost || expected == 1)) {
                    state = State::End;
                } else if (c == ',' && state == State::AfterPost) {
                    state = State::BeforePost;
                } else if (!space) {
                    return damaged();
                }
                break;
            case State::InPost:
                element += c;
                if (element.size() > BlogStore::kMaxBlogBytes)
                    return damaged();
                if (inString) {
                    if (escaped)
                        escaped = false;
                    else if (c == '\\')
                        escaped = true;
                    else if (c == '"')
                        inString = false;
                } else if (c == '"') {
                    inString = true;
                } else if (c == '{' || c == '[') {
                    ++depth;
                } else if ((c == '}' || c == ']') && --depth == 0) {
                    const std::optional<BlogPost> post = PostFromLine(element);
                    if (!post || post->number != expected++)
                        return damaged();
                    if (!take(*post))
                        return false;
                    element.clear();
                    state = State::AfterPost;
                }
                break;
            case State::End:
                if (!space)
                    return damaged();
                break;
            }
        }
    }
    return state == State::End || damaged();
}

} // namespace

struct BlogStore::Blog
{
    // A post held for the index and the feed, and where its record starts in the log.
    struct Held
    {
        BlogPost post; // BlogPages::Listed
        qint64 offset = 0;
    };

    std::mutex mutex;
    bool loaded = false;
    int newest = 0;    // the number of the newest recorded post
    int complete = 0;  // the newest post whose pages, index and feed are written
    qint64 logEnd = 0; // the end of the last whole line; anything after it is torn and cut off
    QList<Held> held;  // posts BlogPages::IndexFirst(newest) to newest, oldest first
    QByteArray newestDigest;
    QString feedId;

    QList<BlogPost> HeldPosts(qsizetype first = 0) const
    {
        QList<BlogPost> posts;
        for (qsizetype i = first; i < held.size(); ++i)
            posts.append(held[i].post);
        return posts;
    }
};

BlogStore::BlogStore(const QString& folder, Clock clock)
    : m_public(folder + QStringLiteral("/blogs")), m_records(folder + QStringLiteral("/posts")),
      m_clock(clock ? std::move(clock) : [] { return QDateTime::currentDateTimeUtc(); })
{
}

BlogStore::~BlogStore() = default;

QString BlogStore::BlogFolder(const QString& blog) const
{
    Q_ASSERT(BlogName::IsValid(blog));
    return m_public + u'/' + blog;
}

QString BlogStore::RecordFile(const QString& name, const char* suffix) const
{
    return m_records + u'/' + name + QLatin1StringView(suffix);
}

BlogStore::Blog& BlogStore::Find(const QString& name)
{
    const std::lock_guard lock(m_blogsMutex);
    std::unique_ptr<Blog>& blog = m_blogs[name];
    if (!blog)
        blog = std::make_unique<Blog>();
    return *blog;
}

bool BlogStore::Migrate(const QString& name, QString* error) const
{
    QFile old(RecordFile(name, ".json"));
    if (!old.exists())
        return true;
    if (!QFile::exists(RecordFile(name, ".log"))) {
        QSaveFile log(RecordFile(name, ".log"));
        if (!old.open(QIODevice::ReadOnly) || !log.open(QIODevice::WriteOnly)) {
            *error = QStringLiteral("cannot migrate %1").arg(old.fileName());
            return false;
        }
        bool written = true;
        const bool read = ForEachOldRecord(
            old,
            [&](const BlogPost& post) {
                const QByteArray line = RecordLine(post);
                return written = log.write(line) == line.size();
            },
            error);
        if (!written || (read && !log.commit())) {
            *error = QStringLiteral("cannot write %1: %2").arg(log.fileName(), log.errorString());
            return false;
        }
        if (!read)
            return false;
        old.close();
    }
    // Kept for whoever wants the old record back; the log is read from now on.
    const QString kept = old.fileName() + QStringLiteral(".migrated");
    if (!old.rename(kept)) {
        *error = QStringLiteral("cannot rename %1 to %2: %3")
                     .arg(old.fileName(), kept, old.errorString());
        return false;
    }
    return true;
}

bool BlogStore::Load(const QString& name, Blog& blog, QString* error) const
{
    if (blog.loaded)
        return true;
    if (!Migrate(name, error))
        return false;
    QFile file(RecordFile(name, ".log"));
    blog.newest = blog.complete = 0;
    blog.logEnd = 0;
    blog.held.clear();
    blog.newestDigest.clear();
    if (!file.exists()) {
        blog.loaded = true;
        return true;
    }
    const std::optional<qint64> lastBreak =
        file.open(QIODevice::ReadOnly) ? LineBreakBefore(file, file.size()) : std::nullopt;
    if (!lastBreak) {
        *error = QStringLiteral("cannot read %1: %2").arg(file.fileName(), file.errorString());
        return false;
    }
    blog.logEnd = *lastBreak + 1;
    // Read back from the end, one record at a time, as far as the index reaches.
    int first = 1;
    for (qint64 end = *lastBreak; end >= 0;) {
        const std::optional<qint64> start = LineBreakBefore(file, end);
        if (!start || !file.seek(*start + 1)) {
            *error = QStringLiteral("cannot read %1: %2").arg(file.fileName(), file.errorString());
            return false;
        }
        const std::optional<BlogPost> post = PostFromLine(file.read(end - *start - 1));
        if (!post || (!blog.held.isEmpty() && post->number != blog.held.front().post.number - 1)) {
            *error = Damaged(file, *start + 1);
            return false;
        }
        if (blog.held.isEmpty()) {
            blog.newest = post->number;
            blog.newestDigest = Digest(post->title, post->html, post->author);
            first = BlogPages::IndexFirst(blog.newest);
        }
        blog.held.prepend({BlogPages::Listed(*post), *start + 1});
        if (post->number == first)
            break;
        if (*start < 0) { // the log begins with a later post
            *error = Damaged(file, 0);
            return false;
        }
        end = *start;
    }
    blog.complete = blog.newest;
    blog.loaded = true;
    return true;
}

bool BlogStore::Append(const QString& name, Blog& blog, const QByteArray& line,
                       QString* error) const
{
    if (!QDir().mkpath(m_records)) {
        *error = QStringLiteral("cannot make %1").arg(m_records);
        return false;
    }
    QFile file(RecordFile(name, ".log"));
    const bool created = !file.exists();
    // A torn line, left by a crash in the middle of an append, is cut off first.
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Append) &&
                         (file.size() == blog.logEnd || file.resize(blog.logEnd)) &&
                         file.write(line) == line.size() && file.flush() &&
                         ::fdatasync(file.handle()) == 0;
    if (!written) {
        *error = QStringLiteral("cannot write %1: %2").arg(file.fileName(), file.errorString());
        if (file.isOpen())
            file.resize(blog.logEnd);
        return false;
    }
    if (created)
        SyncFolder(m_records);
    return true;
}

bool BlogStore::FeedId(const QString& name, Blog& blog, QString* error) const
{
    if (!blog.feedId.isEmpty())
        return true;
    QFile file(RecordFile(name, ".id"));
    const QString kept =
        file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.read(64).trimmed()) : QString();
    const QString prefix = QStringLiteral("urn:uuid:");
    if (kept.startsWith(prefix) &&
        !QUuid::fromString(QStringView(kept).sliced(prefix.size())).isNull()) {
        blog.feedId = kept;
        return true;
    }
    // Made once: the feed keeps its identity wherever the blog is copied, and no other
    // installation's blog of the same name shares it.
    const QString made = prefix + QUuid::createUuid().toString(QUuid::WithoutBraces);
    if (!WriteWhole(file.fileName(), made.toLatin1() + '\n', error))
        return false;
    blog.feedId = made;
    return true;
}

bool BlogStore::WritePages(const QString& name, Blog& blog, const QList<int>& pages,
                           const QList<int>& archives, const BlogPost* fresh, QString* error) const
{
    const QString folder = BlogFolder(name) + u'/';
    if (!QDir().mkpath(folder)) {
        *error = QStringLiteral("cannot make %1").arg(folder);
        return false;
    }
    const int heldFirst = blog.held.isEmpty() ? blog.newest + 1 : blog.held.front().post.number;
    const auto archiveFirst = [](int page) { return (page - 1) * BlogPages::kPostsPerPage + 1; };

    // What is not held is read from the log, from the first record needed on.
    QSet<int> readPages;
    int readFrom = blog.newest + 1;
    int readTo = 0;
    for (int number : pages) {
        if (fresh && number == fresh->number) {
            if (!WriteWhole(folder + BlogPages::PageName(number), BlogPages::PostPage(name, *fresh),
                            error))
                return false;
        } else {
            readPages.insert(number);
            readFrom = std::min(readFrom, number);
            readTo = std::max(readTo, number);
        }
    }
    std::map<int, QList<BlogPost>> archivePosts;
    for (int page : archives) {
        const int first = archiveFirst(page);
        if (first >= heldFirst) {
            archivePosts[page] = blog.HeldPosts(first - heldFirst).first(BlogPages::kPostsPerPage);
        } else {
            archivePosts[page] = {};
            readFrom = std::min(readFrom, first);
            readTo = std::max(readTo, first + BlogPages::kPostsPerPage - 1);
        }
    }
    if (readFrom <= readTo) {
        QFile file(RecordFile(name, ".log"));
        const bool held = readFrom >= heldFirst;
        const qint64 offset = held ? blog.held[readFrom - heldFirst].offset : 0;
        bool written = true;
        if (!file.open(QIODevice::ReadOnly) ||
            !ForEachRecord(
                file, offset, blog.logEnd, held ? readFrom : 1,
                [&](const BlogPost& post) {
                    if (readPages.contains(post.number))
                        written = WriteWhole(folder + BlogPages::PageName(post.number),
                                             BlogPages::PostPage(name, post), error);
                    const int page = (post.number - 1) / BlogPages::kPostsPerPage + 1;
                    if (const auto found = archivePosts.find(page);
                        found != archivePosts.end() && archiveFirst(page) < heldFirst)
                        found->second.append(BlogPages::Listed(post));
                    return written && post.number < readTo;
                },
                error))
            return false;
        if (!written)
            return false;
    }
    for (const auto& [page, posts] : archivePosts) {
        if (posts.size() != BlogPages::kPostsPerPage) {
            *error = QStringLiteral("the record of %1 lacks posts of page %2").arg(name).arg(page);
            return false;
        }
        if (!WriteWhole(folder + BlogPages::ArchiveName(page),
                        BlogPages::ArchivePage(name, page, posts), error))
            return false;
    }
    if (!FeedId(name, blog, error) ||
        !WriteWhole(folder + QStringLiteral("index.html"),
                    BlogPages::IndexPage(name, blog.HeldPosts()), error) ||
        !WriteWhole(folder + QStringLiteral("feed.atom"),
                    BlogPages::Feed(name, blog.feedId,
                                    blog.HeldPosts(std::max<qsizetype>(
                                        0, blog.held.size() - BlogPages::kFeedEntries))),
                    error))
        return false;
    blog.complete = blog.newest;
    return true;
}

bool BlogStore::CatchUp(const QString& name, Blog& blog, QString* error) const
{
    QList<int> pages;
    QList<int> archives;
    for (int number = blog.complete + 1; number <= blog.newest; ++number) {
        pages.append(number);
        if (number % BlogPages::kPostsPerPage == 0)
            archives.append(number / BlogPages::kPostsPerPage);
    }
    return WritePages(name, blog, pages, archives, nullptr, error);
}

PublishResult BlogStore::Publish(const QString& name, const QString& title, const QString& html,
                                 const QString& author)
{
    using Status = PublishResult::Status;
    if (!BlogName::IsValid(name))
        return {Status::Failed, {}, QStringLiteral("not a blog name")};
    Blog& blog = Find(name);
    const std::lock_guard lock(blog.mutex);
    QString error;
    // A post recorded earlier whose pages could not be written is published first.
    if (!Load(name, blog, &error) || (blog.complete < blog.newest && !CatchUp(name, blog, &error)))
        return {Status::Failed, {}, error};

    const QDateTime now = m_clock().toUTC();
    const QByteArray digest = Digest(title, html, author);
    // A client that lost the answer sends the same post again.
    if (blog.newest > 0 && digest == blog.newestDigest &&
        qAbs(blog.held.back().post.published.msecsTo(now)) < kRepeatMs)
        return {Status::Repeated, BlogPages::PageName(blog.newest), {}};

    BlogPost post;
    post.number = blog.newest + 1;
    post.id =
        QUuid::createUuid().toString(QUuid::WithoutBraces).prepend(QStringLiteral("urn:uuid:"));
    post.title = title;
    post.author = author;
    post.html = html;
    // Whole seconds: the pages show no finer time, and the record keeps what they show.
    post.published = now.addMSecs(-now.time().msec());
    const QByteArray line = RecordLine(post);
    if (blog.logEnd + line.size() > kMaxBlogBytes)
        return {Status::Full,
                {},
                QStringLiteral("%1 has reached its limit of %2 MiB")
                    .arg(name)
                    .arg(kMaxBlogBytes / (1024 * 1024))};

    // The record first: a page is never served for a post that is not recorded. The pages
    // follow; should they fail, the next post or Recover writes them.
    if (!Append(name, blog, line, &error))
        return {Status::Failed, {}, error};
    blog.held.append({BlogPages::Listed(post), blog.logEnd});
    blog.newest = post.number;
    blog.logEnd += line.size();
    blog.newestDigest = digest;
    blog.held.remove(0, BlogPages::IndexFirst(post.number) - blog.held.front().post.number);

    const QList<int> archives = post.number % BlogPages::kPostsPerPage == 0
                                    ? QList<int>{post.number / BlogPages::kPostsPerPage}
                                    : QList<int>{};
    if (!WritePages(name, blog, {post.number}, archives, &post, &error))
        return {Status::Failed,
                {},
                QStringLiteral("post %1 recorded, its pages not written: %2")
                    .arg(post.number)
                    .arg(error)};
    return {Status::Published, BlogPages::PageName(post.number), {}};
}

bool BlogStore::RecoverBlog(const QString& name, QString* error)
{
    Blog& blog = Find(name);
    const std::lock_guard lock(blog.mutex);
    blog.loaded = false; // read again: the files may have changed since
    if (!Load(name, blog, error))
        return false;
    QDir folder(BlogFolder(name));
    QSet<int> pages;
    QSet<int> archives;
    for (const QString& file : folder.entryList(QDir::Files)) {
        const int page = BlogPages::PageNumber(file);
        const int archive = BlogPages::ArchiveNumber(file);
        // Pages of posts never recorded, left by a crash of older versions, go; without posts
        // the index and the feed go too.
        const bool orphan = page > blog.newest ||
                            archive > blog.newest / BlogPages::kPostsPerPage ||
                            (blog.newest == 0 && BlogPages::IsPageName(file));
        if (orphan && !folder.remove(file)) {
            *error = QStringLiteral("cannot remove %1").arg(folder.filePath(file));
            return false;
        }
        if (!orphan && page > 0)
            pages.insert(page);
        if (!orphan && archive > 0)
            archives.insert(archive);
    }
    if (blog.newest == 0) {
        QDir(m_public).rmdir(name); // when empty: a blog appears with its first post
        return true;
    }
    QList<int> missingPages;
    for (int number = 1; number <= blog.newest; ++number) {
        if (!pages.contains(number))
            missingPages.append(number);
    }
    QList<int> missingArchives;
    for (int page = 1; page <= blog.newest / BlogPages::kPostsPerPage; ++page) {
        if (!archives.contains(page))
            missingArchives.append(page);
    }
    return WritePages(name, blog, missingPages, missingArchives, nullptr, error);
}

bool BlogStore::Recover(QString* error)
{
    QSet<QString> names;
    for (const QString& file : QDir(m_records).entryList(
             {QStringLiteral("*.log"), QStringLiteral("*.json")}, QDir::Files))
        names.insert(file.section(u'.', 0, 0));
    for (const QString& folder : QDir(m_public).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        names.insert(folder);
    QStringList sorted(names.begin(), names.end());
    sorted.sort();
    QStringList errors;
    for (const QString& name : std::as_const(sorted)) {
        QString blogError;
        if (BlogName::IsValid(name) && !RecoverBlog(name, &blogError))
            errors.append(name + QStringLiteral(": ") + blogError);
    }
    *error = errors.join(QStringLiteral("; "));
    return errors.isEmpty();
}

std::optional<QList<BlogPost>> BlogStore::Posts(const QString& name, QString* error)
{
    if (!BlogName::IsValid(name)) {
        *error = QStringLiteral("not a blog name");
        return std::nullopt;
    }
    Blog& blog = Find(name);
    const std::lock_guard lock(blog.mutex);
    if (!Load(name, blog, error))
        return std::nullopt;
    QList<BlogPost> posts;
    QFile file(RecordFile(name, ".log"));
    if (blog.logEnd > 0 && (!file.open(QIODevice::ReadOnly) || !ForEachRecord(
                                                                   file, 0, blog.logEnd, 1,
                                                                   [&](const BlogPost& post) {
                                                                       posts.append(post);
                                                                       return true;
                                                                   },
                                                                   error)))
        return std::nullopt;
    return posts;
}
