#include "proxy/BlogStore.h"
#include "TestSupport.h"
#include "proxy/BlogPages.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

using Status = PublishResult::Status;
using TestSupport::ReadFile;

class BlogStoreTest : public ::testing::Test
{
protected:
    std::unique_ptr<BlogStore> Restart()
    {
        return std::make_unique<BlogStore>(dir.path(), [this] { return now; });
    }
    QString Blog(const QString& file = {}) const { return dir.filePath("blogs/myblog/" + file); }
    QString Log() const { return dir.filePath("posts/myblog.log"); }
    qint64 Size(const QString& path) const { return QFileInfo(path).size(); }

    // A record as the log keeps it, for logs made by hand.
    static QJsonObject Record(int number, const QString& title = "Lunch")
    {
        return {{"number", number},
                {"id", QString("urn:uuid:%1").arg(number)},
                {"title", title},
                {"author", "Joe"},
                {"html", "Soup " + QString::number(number)},
                {"published", "2024-05-01T12:00:00Z"}};
    }
    static QByteArray Lines(int first, int last)
    {
        QByteArray lines;
        for (int number = first; number <= last; ++number)
            lines += QJsonDocument(Record(number)).toJson(QJsonDocument::Compact) + '\n';
        return lines;
    }
    // A log whose older posts stand in a hole of size bytes, never read, then first to last.
    void WriteLog(qint64 hole, int first, int last, const QByteArray& tail = {})
    {
        QDir(dir.path()).mkpath("posts");
        QFile file(Log());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(hole) && file.seek(hole));
        file.write((hole > 0 ? "\n" : "") + Lines(first, last) + tail);
    }

    void Post(const QString& title, const QString& html = "text", const QString& page = {})
    {
        const PublishResult result = store->Publish("myblog", title, html, "Joe");
        ASSERT_EQ(result.status, Status::Published) << qPrintable(result.error);
        if (!page.isEmpty()) {
            EXPECT_EQ(result.page, page);
        }
    }
    QList<BlogPost> Posts()
    {
        QString error;
        const auto posts = store->Posts("myblog", &error);
        EXPECT_TRUE(posts) << qPrintable(error);
        return posts.value_or(QList<BlogPost>{});
    }
    // The post numbers a reader reaches from the index by following links.
    QList<int> Reachable() const
    {
        static const QRegularExpression link("href=\"([^\"]+)\"");
        QStringList queue{"index.html"};
        QSet<QString> seen(queue.begin(), queue.end());
        QList<int> posts;
        while (!queue.isEmpty()) {
            const QString name = queue.takeFirst();
            if (const int number = BlogPages::PageNumber(name); number > 0) {
                posts.append(number);
                continue;
            }
            const QString page = QString::fromUtf8(ReadFile(Blog(name)));
            for (const auto& match : link.globalMatch(page)) {
                const QString target = match.captured(1);
                if (!seen.contains(target) && target.endsWith(".html")) {
                    seen.insert(target);
                    queue.append(target);
                }
            }
        }
        std::sort(posts.begin(), posts.end());
        return posts;
    }
    static QList<int> Range(int first, int last)
    {
        QList<int> numbers;
        for (int number = first; number <= last; ++number)
            numbers.append(number);
        return numbers;
    }

    QTemporaryDir dir;
    QDateTime now = QDateTime(QDate(2024, 5, 1), QTime(12, 0), Qt::UTC);
    std::unique_ptr<BlogStore> store = Restart();
};

} // namespace

TEST(BlogPages, ServesOnlyTheNamesItWrites)
{
    for (const char* name : {"index.html", "feed.atom", "1.html", "999999999.html", "page-1.html",
                             "page-12345678.html"})
        EXPECT_TRUE(BlogPages::IsPageName(QString(name))) << name;
    for (const char* name :
         {"", "0.html", "01.html", "1234567890.html", "1.htm", "-1.html", "page-0.html",
          "page-.html", "page-1.html.tmp", "../1.html", "index.html.x", "1x.html", "Index.html"})
        EXPECT_FALSE(BlogPages::IsPageName(QString(name))) << name;
    EXPECT_EQ(BlogPages::PageNumber(BlogPages::PageName(123)), 123);
    EXPECT_EQ(BlogPages::ArchiveNumber(BlogPages::ArchiveName(7)), 7);
}

TEST_F(BlogStoreTest, ARecordIsReadFromItsEndAndTakesPostsUpToItsCeilingAfterRestarts)
{
    // Past 256 MiB, where the whole record once failed to load after a restart.
    WriteLog(300 * 1024 * 1024, 10001, 10041);
    store = Restart();
    Post("After", "text", "10042.html");
    store = Restart();
    Post("Again", "text", "10043.html");
    // Each post only appended to the record.
    EXPECT_LT(Size(Log()) - 300 * 1024 * 1024 - 1 - Lines(10001, 10041).size(), 1024);
    const QByteArray index = ReadFile(Blog("index.html"));
    EXPECT_LT(index.indexOf("10043.html"), index.indexOf("10042.html"));
    EXPECT_TRUE(index.contains("href=\"page-501.html\">Older posts"));

    // At the ceiling a post is refused and the blog stays as it was, readable after a restart.
    const QByteArray lines = Lines(1, 3);
    WriteLog(BlogStore::kMaxBlogBytes - 1000 - lines.size() - 1, 1, 3);
    store = Restart();
    Post("Short", "fits", "4.html");
    const PublishResult full = store->Publish("myblog", "Long", QString(1000, 'x'), "Joe");
    EXPECT_EQ(full.status, Status::Full);
    EXPECT_TRUE(full.page.isEmpty());
    EXPECT_FALSE(full.error.isEmpty());
    EXPECT_FALSE(QFile::exists(Blog("5.html")));
    store = Restart();
    Post("Short", "fits again", "5.html");
}

TEST_F(BlogStoreTest, ATornLastLineIsIgnoredAndCutOffBeforeTheNextPost)
{
    WriteLog(0, 1, 2, R"({"number":3,"title":"Half a po)");
    EXPECT_EQ(Posts().size(), 2);
    Post("Third", "text", "3.html");
    const QByteArray log = ReadFile(Log());
    EXPECT_TRUE(log.endsWith('\n'));
    EXPECT_FALSE(log.contains("Half"));
    EXPECT_EQ(Posts().size(), 3);
}

TEST_F(BlogStoreTest, RecoverWritesWhatLoggedPostsLackAndRemovesPagesOfPostsNeverLogged)
{
    for (int i = 1; i <= 45; ++i)
        Post(QString("Post %1").arg(i), QString("Body %1").arg(i));
    const QByteArray firstPage = ReadFile(Blog("1.html"));
    const QByteArray firstArchive = ReadFile(Blog("page-1.html"));
    // Lost ones: the oldest, beyond what the store holds; the newest, as after a kill between
    // the log and the page; an archive page. Left over: pages of posts the log never got.
    for (const char* name : {"1.html", "45.html", "page-1.html", "index.html"})
        QFile::remove(Blog(name));
    for (const char* name : {"46.html", "page-3.html"})
        TestSupport::WriteFile(Blog(name), "orphan");

    store = Restart();
    QString error;
    ASSERT_TRUE(store->Recover(&error)) << qPrintable(error);
    EXPECT_EQ(ReadFile(Blog("1.html")), firstPage);
    EXPECT_EQ(ReadFile(Blog("page-1.html")), firstArchive);
    EXPECT_TRUE(ReadFile(Blog("45.html")).contains("Body 45"));
    EXPECT_FALSE(QFile::exists(Blog("46.html")) || QFile::exists(Blog("page-3.html")));
    EXPECT_EQ(Reachable(), Range(1, 45));
}

TEST_F(BlogStoreTest, RecoverMigratesTheOldRecordAndRemovesThePageItNeverListed)
{
    QDir(dir.path()).mkpath("posts");
    QDir(dir.path()).mkpath("blogs/myblog");
    const QJsonArray old{Record(1), Record(2)};
    TestSupport::WriteFile(dir.filePath("posts/myblog.json"), QJsonDocument(old).toJson());
    for (const char* name : {"1.html", "2.html", "3.html"})
        TestSupport::WriteFile(Blog(name), "old");
    // A blog folder with no record: its pages would list posts that do not exist.
    QDir(dir.path()).mkpath("blogs/other");
    TestSupport::WriteFile(dir.filePath("blogs/other/1.html"), "orphan");

    QString error;
    ASSERT_TRUE(store->Recover(&error)) << qPrintable(error);
    EXPECT_FALSE(QFile::exists(dir.filePath("posts/myblog.json")));
    EXPECT_TRUE(QFile::exists(dir.filePath("posts/myblog.json.migrated")));
    EXPECT_FALSE(QFile::exists(Blog("3.html")));
    EXPECT_FALSE(QDir(dir.filePath("blogs/other")).exists());
    const QList<BlogPost> posts = Posts();
    ASSERT_EQ(posts.size(), 2);
    EXPECT_EQ(posts[1].html, "Soup 2");
    EXPECT_EQ(Reachable(), Range(1, 2));
    Post("New", "text", "3.html");
}

TEST_F(BlogStoreTest, ARetryWithinAMinuteIsAnsweredWithoutPublishingTwice)
{
    const struct
    {
        int seconds; // since the first post
        const char* title;
        bool restart;
        Status status;
        const char* page;
    } steps[] = {
        {0, "Lunch", false, Status::Published, "1.html"},
        {30, "Lunch", false, Status::Repeated, "1.html"},
        {31, "Dinner", false, Status::Published, "2.html"},
        {80, "Dinner", true, Status::Repeated, "2.html"},
        {92, "Dinner", false, Status::Published, "3.html"},
        {93, "Lunch", false, Status::Published, "4.html"},
    };
    const QDateTime start = now;
    for (const auto& step : steps) {
        now = start.addSecs(step.seconds);
        if (step.restart)
            store = Restart();
        const PublishResult result = store->Publish("myblog", step.title, "text", "Joe");
        EXPECT_EQ(result.status, step.status) << step.seconds;
        EXPECT_EQ(result.page, step.page) << step.seconds;
    }
    EXPECT_EQ(Posts().size(), 4);
}

TEST_F(BlogStoreTest, APostGrowsItsPageAndFeedByItsOwnSizeAndALongOneGetsASummary)
{
    Post("First");
    const QString quotes(1024 * 1024, u'"');
    const QString cdata = QString("\"quoted\" ").repeated(3000) + "]]>"; // fits the feed
    const struct
    {
        QString html;
        qint64 maxLogGrowth; // JSON writes a quote as \"
        qint64 minFeedGrowth, maxFeedGrowth;
    } cases[] = {
        {quotes, 2 * quotes.size() + 512, 0, 4096},
        {cdata, cdata.size() * 4 / 3 + 512, cdata.size(), cdata.size() + 1024},
    };
    for (const auto& c : cases) {
        const qint64 log = Size(Log());
        const qint64 feed = Size(Blog("feed.atom"));
        const PublishResult result = store->Publish("myblog", "Big", c.html, "Joe");
        ASSERT_EQ(result.status, Status::Published);
        EXPECT_LE(Size(Log()) - log, c.maxLogGrowth);
        EXPECT_LE(Size(Blog(result.page)), c.html.size() + 2048);
        EXPECT_GE(Size(Blog("feed.atom")) - feed, c.minFeedGrowth);
        EXPECT_LE(Size(Blog("feed.atom")) - feed, c.maxFeedGrowth);
    }
    QXmlStreamReader reader(ReadFile(Blog("feed.atom")));
    QStringList contents, summaries;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == u"content")
            contents.append(reader.readElementText());
        if (reader.isStartElement() && reader.name() == u"summary")
            summaries.append(reader.readElementText());
    }
    ASSERT_FALSE(reader.hasError()) << qPrintable(reader.errorString());
    EXPECT_EQ(contents, QStringList({cdata, "text"}));
    ASSERT_EQ(summaries.size(), 1);
    EXPECT_EQ(summaries[0], QString(BlogPages::kSummaryLength - 3, u'"') + "...");
}

TEST_F(BlogStoreTest, TheFeedLinksToItselfWithAnIdOfItsBlogAlone)
{
    const auto feedId = [](const QString& folder) {
        const QByteArray feed = ReadFile(folder + "/blogs/myblog/feed.atom");
        EXPECT_TRUE(feed.contains("<link rel=\"self\" href=\"feed.atom\"/>"));
        const qsizetype at = feed.indexOf("<id>") + 4;
        return feed.mid(at, feed.indexOf("</id>") - at);
    };
    Post("One");
    const QByteArray id = feedId(dir.path());
    EXPECT_TRUE(id.startsWith("urn:uuid:"));
    store = Restart();
    Post("Two");
    EXPECT_EQ(feedId(dir.path()), id);

    QTemporaryDir elsewhere;
    BlogStore other(elsewhere.path());
    ASSERT_EQ(other.Publish("myblog", "One", "text", "Joe").status, Status::Published);
    EXPECT_NE(feedId(elsewhere.path()), id);
}

TEST_F(BlogStoreTest, PostsFromManyThreadsAllLandWholeAndNumberedOnce)
{
    constexpr int kThreads = 4;
    constexpr int kEach = 12;
    std::vector<std::thread> threads;
    std::atomic<int> refused = 0;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < kEach; ++i) {
                const QString title = QString("%1-%2").arg(t).arg(i);
                if (store->Publish(t % 2 ? "odd" : "even", title, (title + " ").repeated(50), "Joe")
                        .status != Status::Published)
                    ++refused;
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(refused, 0);
    for (const char* blog : {"odd", "even"}) {
        QString error;
        const QList<BlogPost> posts = store->Posts(blog, &error).value(); // numbered 1, 2, ...
        ASSERT_EQ(posts.size(), kThreads / 2 * kEach);
        QSet<QString> titles;
        for (const BlogPost& post : posts) {
            titles.insert(post.title);
            const QByteArray page =
                ReadFile(store->BlogFolder(blog) + "/" + BlogPages::PageName(post.number));
            EXPECT_TRUE(page.contains("<h1>" + post.title.toUtf8() + "</h1>")) << post.number;
            EXPECT_TRUE(page.contains(post.html.toUtf8())) << blog << post.number;
        }
        EXPECT_EQ(titles.size(), posts.size());
    }
}
