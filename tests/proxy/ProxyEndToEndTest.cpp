#include "blog/PostProtocol.h"
#include "blog/PostRequest.h"
#include "blog/RecordingSink.h"
#include "blog/SubmitPost.h"
#include "proxy/AccountFile.h"
#include "proxy/BlogPages.h"
#include "proxy/BlogStore.h"
#include "proxy/PostingService.h"
#include "proxy/ProxyServer.h"
#include "proxy/RequestLog.h"

#include <QDir>
#include <QMap>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>

using PostProtocol::Code;

namespace {

constexpr char kEmail[] = "joe@example.com";
constexpr char kPassword[] = "s3cret pass";
constexpr int kWaitMs = 20000;

struct HttpAnswer
{
    QByteArray statusLine;
    QByteArray head;
    QByteArray body;
};

// The program's posting client and the proxy, both real, on loopback in this one thread.
class ProxyEndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QString error;
        ASSERT_TRUE(accounts.Set("myblog", kEmail, kPassword, &error, 1000));
        ASSERT_TRUE(accounts.Save(&error)) << qPrintable(error);
        StartServer();
    }

    void StartServer()
    {
        server = std::make_unique<ProxyServer>(posting, store, limits, log);
        QString error;
        ASSERT_TRUE(server->Listen(QHostAddress::LocalHost, 0, &error)) << qPrintable(error);
    }

    QString Url(const char* path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(server->Port()).arg(path);
    }

    static PostRequest Request(const QString& blogAddress = "myblog" + PostProtocol::BlogDomain(),
                               const QString& password = kPassword)
    {
        return PostRequest(PostProtocol::JoinCredentials(blogAddress, kEmail, password));
    }
    static PostRequest Post(const QString& title, const QString& text,
                            const QString& author = "Joe")
    {
        PostRequest request = Request();
        for (const QString& field : {title, text, author})
            request.AppendField(field);
        return request;
    }

    PostProtocol::Outcome Submit(const PostRequest& request, const char* path = "/post")
    {
        RecordingSink sink;
        EXPECT_TRUE(SubmitPost(request, Url(path), &sink));
        EXPECT_TRUE(QTest::qWaitFor([&] { return sink.outcome.has_value(); }, kWaitMs));
        return sink.outcome.value_or(PostProtocol::Outcome{});
    }

    // Sends the bytes as they are and collects the answer until it is complete or the proxy
    // closes. The proxy runs in this thread, so the wait keeps the event loop going.
    HttpAnswer Exchange(const QByteArray& bytes)
    {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, server->Port());
        QByteArray received;
        QObject::connect(&socket, &QTcpSocket::readyRead, [&] { received += socket.readAll(); });
        socket.write(bytes);
        const auto complete = [&] {
            const qsizetype end = received.indexOf("\r\n\r\n");
            if (end < 0)
                return false;
            const QByteArray head = received.left(end).toLower();
            const qsizetype at = head.indexOf("content-length:");
            return at >= 0 &&
                   received.size() >= end + 4 + head.mid(at + 15).split('\r')[0].trimmed().toInt();
        };
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return complete() || socket.state() == QAbstractSocket::UnconnectedState; },
            kWaitMs));
        const qsizetype end = received.indexOf("\r\n\r\n");
        return {received.left(received.indexOf("\r\n")), received.left(end),
                end < 0 ? QByteArray() : received.mid(end + 4)};
    }

    HttpAnswer Get(const QByteArray& path, const QByteArray& host = "myblog.localhost")
    {
        return Exchange("GET " + path + " HTTP/1.1\r\nHost: " + host + "\r\n\r\n");
    }

    QTemporaryDir dir;
    QStringList logLines;
    RequestLog log{[this](const QString& line) { logLines.append(line); }};
    ProxyLimits limits;
    AccountFile accounts{dir.filePath("accounts")};
    BlogStore store{dir.path()};
    PostingService posting{accounts, store, log};
    std::unique_ptr<ProxyServer> server;
    QString storeError;
};

const std::int32_t kPosted = Code(0x001900C8);

template <std::size_t N> QByteArray Bytes(const char (&text)[N]) // keeps the zero bytes inside
{
    return QByteArray(text, N - 1);
}

} // namespace

TEST_F(ProxyEndToEnd, JournalAndChartPostsAppearInTheBlogAndItsFeed)
{
    const QString joe = QString::fromUtf8("Jo\xc3\xa9"); // one byte in Windows-1252
    const QString chart = "<table><tr><td>Current Weight</td><td>154</td></tr><tr><td>Today's "
                          "Calories</td><td>-120</td></tr></table>";
    const PostProtocol::Outcome journal = Submit(Post("Lunch", "Soup & bread\nthen a walk"));
    EXPECT_EQ(journal.result, kPosted);
    EXPECT_EQ(journal.message, "posted");
    EXPECT_EQ(Submit(Post("Nutrava - Daily Chart on 03/07/07", chart, joe)).result, kPosted);

    const HttpAnswer first = Get("/1.html");
    EXPECT_EQ(first.statusLine, "HTTP/1.1 200 OK");
    EXPECT_TRUE(first.body.contains("<h1>Lunch</h1>"));
    EXPECT_TRUE(first.body.contains("Soup &amp; bread<br>\nthen a walk"));
    EXPECT_TRUE(first.body.contains("<p class=\"meta\">Joe, "));
    const HttpAnswer second = Get("/2.html");
    EXPECT_TRUE(second.body.contains(chart.toUtf8()));
    EXPECT_TRUE(second.body.contains((joe + ", ").toUtf8()));
    // The blog as a folder under a plain address is the same blog.
    EXPECT_EQ(Get("/myblog/2.html", "127.0.0.1").body, second.body);

    const QByteArray index = Get("/").body;
    EXPECT_LT(index.indexOf("<a href=\"2.html\">Nutrava - Daily Chart on 03/07/07</a>"),
              index.indexOf("<a href=\"1.html\">Lunch</a>"));
    EXPECT_GE(index.indexOf("<a href=\"2.html\">"), 0);

    const HttpAnswer feed = Get("/feed.atom");
    EXPECT_TRUE(feed.head.contains("application/atom+xml"));
    QXmlStreamReader reader(feed.body);
    QMap<QString, QStringList> texts; // of the elements holding text only
    while (!reader.atEnd()) {
        reader.readNext();
        const QString name = reader.name().toString();
        if (reader.isStartElement() && (name == "title" || name == "name" || name == "content"))
            texts[name].append(reader.readElementText());
    }
    EXPECT_FALSE(reader.hasError()) << qPrintable(reader.errorString());
    EXPECT_EQ(texts["title"],
              QStringList({"myblog", "Nutrava - Daily Chart on 03/07/07", "Lunch"}));
    EXPECT_EQ(texts["name"], QStringList({joe, "Joe"}));
    EXPECT_EQ(texts["content"].value(1), "Soup &amp; bread<br>\nthen a walk");
}

TEST_F(ProxyEndToEnd, AccountTestVerifiesAndAWrongPasswordIsRefusedWithASentence)
{
    EXPECT_EQ(Submit(Request(), "/test").result, kPosted);

    const PostProtocol::Outcome wrong = Submit(Request("myblog.localhost:8780", "guess"), "/test");
    EXPECT_EQ(wrong.result, Code(0x80190191));
    EXPECT_EQ(wrong.message, "The e-mail or password is wrong for the blog \"myblog\".");

    // One line per request with time, blog, path and code; never the password or the Auth.
    ASSERT_EQ(logLines.size(), 2) << qPrintable(logLines.join('\n'));
    EXPECT_TRUE(logLines[0].endsWith(" myblog POST /test 200")) << qPrintable(logLines[0]);
    EXPECT_TRUE(logLines[1].endsWith(" myblog POST /test 401")) << qPrintable(logLines[1]);
    for (const QString& line : logLines)
        EXPECT_FALSE(line.contains("s3cret") || line.contains("guess") ||
                     line.contains(Request().Auth()));
    EXPECT_TRUE(store.Posts("myblog", &storeError)->isEmpty());
}

TEST_F(ProxyEndToEnd, HostileRequestsAreRefusedWithAClearAnswer)
{
    const auto post = [](const QByteArray& headers, const QByteArray& body) {
        return "POST /post HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: " +
               QByteArray::number(body.size()) + "\r\n" + headers + "\r\n" + body;
    };
    const auto auth = [](const QString& value) { return "Auth: " + value.toLatin1() + "\r\n"; };
    const QByteArray type = "Content-Type: application/encoded-post-data\r\n";
    const QByteArray version = "Proto-Version: 1.0/1.55\r\n";
    const QByteArray good = type + auth(Request().Auth()) + version;
    const QByteArray fields = Bytes("a\0b\0c\0");
    const struct
    {
        const char* name;
        QByteArray request;
        const char* answer; // the start of the one-line answer
        const char* statusLine = "HTTP/1.1 200 OK";
    } cases[] = {
        {"no content type", post(auth(Request().Auth()) + version, fields), "415 "},
        {"no version", post(type + auth(Request().Auth()), fields), "400 "},
        {"auth not base64", post(type + version + auth("!!!"), ""),
         "401 The blog account could not be read."},
        {"auth without spaces", post(type + version + auth(Request().Auth().left(8)), ""), "401 "},
        {"blog name climbing out", post(type + version + auth(Request("../../etc").Auth()), fields),
         "404 \"../../etc\" is not a blog name."},
        {"unknown blog", post(type + version + auth(Request("nosuch.localhost").Auth()), ""),
         "404 There is no blog named \"nosuch\""},
        {"missing field", post(good, Bytes("title\0text\0")), "400 "},
        {"field cut short", post(good, Bytes("title\0text\0author")), "400 "},
        {"no title", post(good, Bytes(" \0text\0author\0")), "400 The post has no title."},
        {"body too long", post(good, {}).replace("Content-Length: 0", "Content-Length: 99999999"),
         "413 "},
        {"length unreadable", post(good, {}).replace("Content-Length: 0", "Content-Length: -5"),
         "400 "},
        {"chunked", post(good + "Transfer-Encoding: chunked\r\n", "0\r\n\r\n"), "411 "},
        {"request line too long", "GET /" + QByteArray(5000, 'a') + " HTTP/1.1\r\n\r\n", "414 ",
         "HTTP/1.1 414 URI Too Long"},
        {"too many headers", post(good + QByteArray("X-A: b\r\n").repeated(70), ""), "431 "},
        {"head too long", post(good + "X-A: " + QByteArray(20000, 'b') + "\r\n", ""), "431 "},
        {"get on post", "GET /post HTTP/1.1\r\n\r\n", "405 "},
        {"page outside the blog", "GET /myblog/..%2F..%2Faccounts HTTP/1.1\r\n\r\n", "",
         "HTTP/1.1 404 Not Found"},
        {"other file in the blog", "GET /accounts HTTP/1.1\r\nHost: myblog.localhost\r\n\r\n", "",
         "HTTP/1.1 404 Not Found"},
    };
    for (const auto& c : cases) {
        const HttpAnswer answer = Exchange(c.request);
        EXPECT_EQ(answer.statusLine, c.statusLine) << c.name;
        EXPECT_TRUE(answer.body.startsWith(c.answer)) << c.name << ": " << answer.body.constData();
    }
    EXPECT_TRUE(store.Posts("myblog", &storeError)->isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList({"accounts"}));
}

TEST_F(ProxyEndToEnd, ScriptInAPostComesOutEscaped)
{
    const QString script = "<script>alert('x')</script><img src=x onerror=alert(1)>";
    ASSERT_EQ(Submit(Post(script, script, script)).result, kPosted);
    ASSERT_EQ(Submit(Post("chart", "<table><tr><td>" + script + "</td></tr></table>")).result,
              kPosted);
    const HttpAnswer first = Get("/1.html");
    for (const QByteArray& page :
         {first.body, Get("/2.html").body, Get("/").body, Get("/feed.atom").body})
        EXPECT_FALSE(page.contains("<script") || page.contains("<img")) << page.constData();
    EXPECT_TRUE(first.body.contains("<h1>&lt;script&gt;alert('x')"));
    // Every page forbids scripts should an escape ever be missed.
    EXPECT_TRUE(first.head.contains("Content-Security-Policy: default-src 'none'"));
}

TEST_F(ProxyEndToEnd, ASilentClientIsDroppedWithoutHoldingUpOthers)
{
    limits.requestTimeout = std::chrono::milliseconds(300);
    StartServer();
    QTcpSocket silent;
    silent.connectToHost(QHostAddress::LocalHost, server->Port());
    silent.write("POST /post HTTP/1.1\r\nContent-Length: 10\r\n\r\nabc");
    EXPECT_EQ(Submit(Post("meanwhile", "text")).result, kPosted);
    EXPECT_TRUE(QTest::qWaitFor([&] { return silent.state() == QAbstractSocket::UnconnectedState; },
                                kWaitMs));
    EXPECT_TRUE(silent.readAll().endsWith("408 The request did not arrive in time."));
}

TEST_F(ProxyEndToEnd, FiftyConcurrentPostsAllLandWhole)
{
    constexpr int kPosts = 50;
    std::array<RecordingSink, kPosts> sinks;
    const auto text = [](int i) { return QString("post %1; ").arg(i).repeated(200); };
    for (int i = 0; i < kPosts; ++i)
        ASSERT_TRUE(SubmitPost(Post(QString("Title %1").arg(i), text(i)), Url("/post"), &sinks[i]));
    const auto allDone = [&] {
        return std::ranges::all_of(sinks,
                                   [](const auto& sink) { return sink.outcome.has_value(); });
    };
    ASSERT_TRUE(QTest::qWaitFor(allDone, 60000));
    for (const RecordingSink& sink : sinks)
        EXPECT_EQ(sink.outcome->result, kPosted) << qPrintable(sink.outcome->message);

    const QList<BlogPost> posts = store.Posts("myblog", &storeError).value();
    ASSERT_EQ(posts.size(), kPosts);
    QSet<QString> titles;
    for (const BlogPost& post : posts) {
        titles.insert(post.title);
        const int i = post.title.mid(6).toInt();
        const QByteArray page = Get("/" + QByteArray::number(post.number) + ".html").body;
        EXPECT_TRUE(page.contains(text(i).toUtf8())) << post.number;
        EXPECT_EQ(page.count("post "), 200) << post.number; // nothing of another post
    }
    EXPECT_EQ(titles.size(), kPosts);
    // The index lists the posts from the last full archive page on: 21 to 50.
    EXPECT_EQ(Get("/").body.count("<li>"), kPosts - BlogPages::kPostsPerPage);
}
