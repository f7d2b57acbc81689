#include "blog/PostProtocol.h"
#include "blog/PostRequest.h"
#include "blog/RecordingSink.h"
#include "posting/SubmitPost.h"
#include "proxy/AccountFile.h"
#include "proxy/BlogPages.h"
#include "proxy/BlogStore.h"
#include "proxy/PostingService.h"
#include "proxy/ProxyServer.h"
#include "proxy/RequestLog.h"

#include <QDir>
#include <QFile>
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

    // Sends the bytes as they are, from the given loopback address, and collects the answer
    // until it is complete or the proxy closes.
    HttpAnswer Exchange(const QByteArray& bytes, const char* from = "127.0.0.1")
    {
        QTcpSocket socket;
        socket.bind(QHostAddress(QString::fromLatin1(from)));
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

    // A post or account test as the program sends it, for sending as raw bytes.
    static QByteArray RawPosting(const QByteArray& body, const QString& password = kPassword,
                                 const char* path = "/post")
    {
        return QByteArray("POST ") + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: " +
               QByteArray::number(body.size()) +
               "\r\nContent-Type: application/encoded-post-data\r\nProto-Version: "
               "1.0/1.55\r\nAuth: " +
               Request("myblog.localhost", password).Auth().toLatin1() + "\r\n\r\n" + body;
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

// This process's resident memory, in KiB: the proxy runs in it.
qint64 ResidentKiB()
{
    QFile status("/proc/self/status");
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

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
        {"length unreadable", post(good, {}).replace("Content-Length: 0", "Content-Length: -5"), "",
         "HTTP/1.1 400 Bad Request"},
        {"request line too long", "GET /" + QByteArray(40000, 'a') + " HTTP/1.1\r\n\r\n", "",
         "HTTP/1.1 414 URI Too Long"},
        {"head too long", post(good + "X-A: " + QByteArray(40000, 'b') + "\r\n", ""), "",
         "HTTP/1.1 431 Request Header Fields Too Large"},
        // Read by one server as a length and by another as a header of its own: refused.
        {"space before the colon", post(good, "").replace("Content-Length:", "Content-Length :"),
         "", "HTTP/1.1 400 Bad Request"},
        {"no host", "GET / HTTP/1.1\r\n\r\n", "", "HTTP/1.1 400 Bad Request"},
        {"get on post", "GET /post HTTP/1.1\r\nHost: a\r\n\r\n", "405 ",
         "HTTP/1.1 405 Method Not Allowed"},
        {"page outside the blog", "GET /myblog/..%2F..%2Faccounts HTTP/1.1\r\nHost: a\r\n\r\n", "",
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
    limits.idleTimeout = std::chrono::seconds(1);
    StartServer();
    QTcpSocket silent;
    silent.connectToHost(QHostAddress::LocalHost, server->Port());
    silent.write("POST /post HTTP/1.1\r\nHost: a\r\nContent-Length: 10\r\n\r\nabc");
    EXPECT_EQ(Submit(Post("meanwhile", "text")).result, kPosted);
    EXPECT_TRUE(QTest::qWaitFor([&] { return silent.state() == QAbstractSocket::UnconnectedState; },
                                kWaitMs));
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

// The attacks the proxy met before it took its HTTP from libmicrohttpd, and what a client sees
// of the protocol's finer points.
TEST_F(ProxyEndToEnd, ABodyPastTheLimitIsCountedNotKeptAndTheProgramHearsTooLong)
{
    const PostProtocol::Outcome big = Submit(Post("big", QString(1536 * 1024, u'x')));
    EXPECT_EQ(big.message, "The post is too long for the posting service.");

    // A chunked body has no length to refuse up front: it is read, counted and thrown away.
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, server->Port());
    ASSERT_TRUE(socket.waitForConnected(kWaitMs));
    socket.write("POST /post HTTP/1.1\r\nHost: a\r\nTransfer-Encoding: chunked\r\n\r\n");
    const QByteArray chunk = "10000\r\n" + QByteArray(0x10000, 'a') + "\r\n";
    const qint64 before = ResidentKiB();
    qint64 peak = before;
    for (int i = 0; i < 24 * 16 && socket.state() == QAbstractSocket::ConnectedState; ++i) {
        socket.write(chunk);
        socket.waitForBytesWritten(kWaitMs);
        peak = std::max(peak, ResidentKiB());
    }
    EXPECT_LT(peak - before, 16 * 1024); // of the 24 MiB sent; sanitizers keep freed memory a while
    // Past what is worth reading the connection is cut.
    EXPECT_TRUE(socket.state() == QAbstractSocket::UnconnectedState ||
                socket.waitForDisconnected(kWaitMs));
}

TEST_F(ProxyEndToEnd, AClientThatPipelinesAndNeverReadsIsDroppedAtTheDeadline)
{
    limits.idleTimeout = std::chrono::seconds(1);
    StartServer();
    ASSERT_EQ(Submit(Post("Lunch", QString("Soup and bread. ").repeated(100))).result, kPosted);
    QTcpSocket socket;
    socket.setReadBufferSize(1); // takes nothing from the kernel while the test waits
    socket.connectToHost(QHostAddress::LocalHost, server->Port());
    ASSERT_TRUE(socket.waitForConnected(kWaitMs));
    const QByteArray one = "GET /myblog/feed.atom HTTP/1.1\r\nHost: a\r\n\r\n";
    constexpr int kRequests = 10000;
    socket.write(one.repeated(kRequests));
    const qint64 before = ResidentKiB();
    QTest::qWait(3000);
    EXPECT_LT(ResidentKiB() - before, 8 * 1024);
    socket.setReadBufferSize(0);
    QByteArray received;
    QObject::connect(&socket, &QTcpSocket::readyRead, [&] { received += socket.readAll(); });
    EXPECT_TRUE(QTest::qWaitFor([&] { return socket.state() == QAbstractSocket::UnconnectedState; },
                                kWaitMs));
    EXPECT_GT(received.count("HTTP/1.1 200 OK"), 0);
    EXPECT_LT(received.count("HTTP/1.1 200 OK"), kRequests / 2);
}

TEST_F(ProxyEndToEnd, ManySlowConnectionsFromOneClientLeaveRoomForOthers)
{
    std::vector<std::unique_ptr<QTcpSocket>> slow;
    for (int i = 0; i < 300; ++i) {
        slow.push_back(std::make_unique<QTcpSocket>());
        slow.back()->connectToHost(QHostAddress::LocalHost, server->Port());
        slow.back()->write("POST /post HTTP/1.1\r\nHost: a\r\n");
    }
    QTest::qWait(500);
    EXPECT_EQ(Exchange("GET /myblog/ HTTP/1.1\r\nHost: a\r\n\r\n", "127.0.0.2").statusLine,
              "HTTP/1.1 404 Not Found");
    EXPECT_TRUE(Exchange(RawPosting(Bytes("a\0b\0c\0")), "127.0.0.3").body.startsWith("200 "));
    const auto open = std::ranges::count_if(
        slow, [](const auto& s) { return s->state() == QAbstractSocket::ConnectedState; });
    EXPECT_LE(open, limits.maxConnectionsPerClient);
}

TEST_F(ProxyEndToEnd, WrongPasswordsFromOneAddressNeverLockOutTheOwnerElsewhere)
{
    for (int i = 0; i < PostingService::kMaxFailuresPerMinute; ++i)
        EXPECT_TRUE(
            Exchange(RawPosting({}, "guess", "/test"), "127.0.0.2").body.startsWith("401 "));
    EXPECT_TRUE(Exchange(RawPosting({}, kPassword, "/test"), "127.0.0.2").body.startsWith("429 "));
    EXPECT_EQ(Submit(Request(), "/test").result, kPosted); // the owner, from another address

    // Behind a trusted server in front, the client it names is the one held up.
    limits.trustedProxies = {QHostAddress("127.0.0.2")};
    StartServer();
    const QByteArray guess = RawPosting({}, "guess", "/test")
                                 .replace("Host: 127.0.0.1", "Host: a\r\nX-Real-IP: 192.0.2.7");
    for (int i = 0; i < PostingService::kMaxFailuresPerMinute; ++i)
        Exchange(guess, "127.0.0.2");
    EXPECT_TRUE(Exchange(guess, "127.0.0.2").body.startsWith("429 "));
    const QByteArray owner = RawPosting({}, kPassword, "/test")
                                 .replace("Host: 127.0.0.1", "Host: a\r\nX-Real-IP: 192.0.2.8");
    EXPECT_TRUE(Exchange(owner, "127.0.0.2").body.startsWith("200 "));
}

TEST_F(ProxyEndToEnd, HeadCloseContinueAndOddPathsAreHandledAsHttpSays)
{
    ASSERT_EQ(Submit(Post("Lunch", "Soup")).result, kPosted);
    const HttpAnswer head = Exchange("HEAD /myblog/1.html HTTP/1.1\r\nHost: a\r\n\r\n");
    EXPECT_EQ(head.statusLine, "HTTP/1.1 200 OK");
    EXPECT_TRUE(head.body.isEmpty());
    const HttpAnswer other = Exchange("DELETE /myblog/1.html HTTP/1.1\r\nHost: a\r\n\r\n");
    EXPECT_EQ(other.statusLine, "HTTP/1.1 405 Method Not Allowed");
    EXPECT_TRUE(other.head.contains("Allow: GET, HEAD"));

    // HTTP/1.0 and "Connection: close" end the connection after the answer.
    for (const QByteArray& request : {QByteArray("GET /myblog/1.html HTTP/1.0\r\n\r\n"),
                                      QByteArray("GET /myblog/1.html HTTP/1.1\r\nHost: a\r\n"
                                                 "Connection: close\r\n\r\n")}) {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, server->Port());
        socket.write(request);
        EXPECT_TRUE(socket.waitForDisconnected(kWaitMs)) << request.constData();
        EXPECT_TRUE(socket.readAll().contains("<h1>Lunch</h1>"));
    }

    // A client that asks first hears "100 Continue" before it sends the body.
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, server->Port());
    const QByteArray post = RawPosting(Bytes("a\0b\0c\0"));
    const qsizetype end = post.indexOf("\r\n\r\n");
    socket.write(post.left(end) + "\r\nExpect: 100-continue\r\n\r\n");
    ASSERT_TRUE(socket.waitForReadyRead(kWaitMs));
    EXPECT_TRUE(socket.readAll().startsWith("HTTP/1.1 100 Continue"));
    socket.write(post.mid(end + 4));
    ASSERT_TRUE(QTest::qWaitFor([&] { return socket.bytesAvailable() > 0; }, kWaitMs));
    EXPECT_TRUE(socket.readAll().contains("200 posted"));

    // An encoded line break in a path stays encoded in its one log line.
    logLines.clear();
    Exchange("GET /myblog/%0A%0D%25 HTTP/1.1\r\nHost: a\r\n\r\n");
    ASSERT_EQ(logLines.size(), 1);
    EXPECT_TRUE(logLines[0].endsWith(" myblog GET /myblog/%0A%0D%25 404"))
        << qPrintable(logLines[0]);
}
