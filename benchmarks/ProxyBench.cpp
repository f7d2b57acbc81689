// Posts per second through nutrava-proxy: the program's own posting client keeps eight posts
// in flight against the proxy, which runs in a thread of its own on loopback. And the cost of
// one post to the store alone, for an empty blog and a long one.

#include "blog/PostProgressSink.h"
#include "blog/PostProtocol.h"
#include "blog/PostRequest.h"
#include "posting/SubmitPost.h"
#include "proxy/AccountFile.h"
#include "proxy/BlogStore.h"
#include "proxy/PostingService.h"
#include "proxy/ProxyServer.h"
#include "proxy/RequestLog.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>

namespace {

constexpr int kClients = 8;
constexpr int kPostsPerRound = 80;
constexpr char kPassword[] = "bench password";

// The proxy as nutrava-proxy runs it, built and torn down on its own thread.
class ProxyThread final
{
public:
    explicit ProxyThread(const QString& folder)
    {
        m_thread.start();
        m_context.moveToThread(&m_thread);
        QMetaObject::invokeMethod(
            &m_context,
            [&] {
                m_accounts = std::make_unique<AccountFile>(folder + "/accounts");
                QString error;
                for (int i = 0; i < kClients; ++i)
                    m_accounts->Set(Blog(i), "bench@example.com", kPassword, &error, 1000);
                m_store = std::make_unique<BlogStore>(folder);
                m_posting = std::make_unique<PostingService>(*m_accounts, *m_store, m_log);
                m_server = std::make_unique<ProxyServer>(*m_posting, *m_store, m_limits, m_log);
                m_server->Listen(QHostAddress::LocalHost, 0, &error);
            },
            Qt::BlockingQueuedConnection);
    }
    ~ProxyThread()
    {
        QMetaObject::invokeMethod(
            &m_context, [&] { m_server.reset(); }, Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
    }

    static QString Blog(int i) { return QStringLiteral("bench%1").arg(i); }
    QString Url() const { return QStringLiteral("http://127.0.0.1:%1/post").arg(m_server->Port()); }

private:
    QThread m_thread;
    QObject m_context;
    RequestLog m_log{[](const QString&) {}};
    ProxyLimits m_limits;
    std::unique_ptr<AccountFile> m_accounts;
    std::unique_ptr<BlogStore> m_store;
    std::unique_ptr<PostingService> m_posting;
    std::unique_ptr<ProxyServer> m_server;
};

// One client: posts, and on every answer posts again until the round is done.
class Client final : public PostProgressSink
{
public:
    Client(int index, std::function<bool()> next) : m_index(index), m_next(std::move(next)) {}

    void Post(const QString& url)
    {
        m_url = url;
        PostRequest request(PostProtocol::JoinCredentials(
            PostProtocol::BlogAddress(ProxyThread::Blog(m_index)), "bench@example.com", kPassword));
        request.AppendField(QStringLiteral("Lunch %1").arg(++m_sent));
        request.AppendField(
            QStringLiteral("Soup, bread and a long walk afterwards.\n").repeated(8));
        request.AppendField(QStringLiteral("Bench"));
        SubmitPost(request, url, this);
    }

    // Letting go of the handle would detach this sink from the transfer.
    void SetCancel(std::shared_ptr<PostCancel> cancel) override { m_cancel = std::move(cancel); }
    void OnProgress(int, const QString&, float) override {}
    void OnComplete(std::int32_t result, const QString&) override
    {
        failed += result >= 0 ? 0 : 1; // negative results are failures
        if (m_next())
            Post(m_url);
    }

    int failed = 0;

private:
    int m_index;
    std::function<bool()> m_next;
    QString m_url;
    int m_sent = 0;
    std::shared_ptr<PostCancel> m_cancel;
};

void PostsWithEightClients(benchmark::State& state)
{
    QTemporaryDir folder;
    ProxyThread proxy(folder.path());
    int failed = 0;
    for (auto _ : state) {
        int started = kClients;
        int finished = 0;
        QEventLoop loop;
        std::vector<std::unique_ptr<Client>> clients;
        const auto next = [&] {
            if (++finished == kPostsPerRound)
                loop.quit();
            return started < kPostsPerRound ? (++started, true) : false;
        };
        for (int i = 0; i < kClients; ++i)
            clients.push_back(std::make_unique<Client>(i, next));
        for (auto& client : clients)
            client->Post(proxy.Url());
        loop.exec();
        for (const auto& client : clients)
            failed += client->failed;
    }
    if (failed > 0)
        state.SkipWithError("posts refused");
    state.counters["posts_per_second"] = benchmark::Counter(
        static_cast<double>(state.iterations() * kPostsPerRound), benchmark::Counter::kIsRate);
}
// Ten rounds of 80 posts: every blog grows to 100 posts, and each post rewrites its blog's
// index and feed, so the figure is that of a blog in use rather than of an empty one.
BENCHMARK(PostsWithEightClients)->Iterations(10)->Unit(benchmark::kMillisecond)->UseRealTime();

// One post to a blog of range(0) posts, through the store alone. The blog lives in memory
// where it can (/dev/shm), so that the figure is the store's work rather than the disk's
// flushes, which are the same for every post.
void PublishToABlogOf(benchmark::State& state)
{
    const QString shm = QStringLiteral("/dev/shm");
    QTemporaryDir folder(QDir(shm).exists()
                             ? shm + QStringLiteral("/proxy_bench-XXXXXX")
                             : QDir::tempPath() + QStringLiteral("/proxy_bench-XXXXXX"));
    BlogStore store(folder.path());
    const QString text =
        QStringLiteral("Soup, bread and a long walk afterwards.<br>\n").repeated(8);
    const auto post = [&](int number) {
        return store
                   .Publish(QStringLiteral("bench"), QStringLiteral("Lunch %1").arg(number), text,
                            QStringLiteral("Bench"))
                   .status == PublishResult::Status::Published;
    };
    int number = 0;
    while (number < state.range(0)) {
        if (!post(++number)) {
            state.SkipWithError("post refused");
            return;
        }
    }
    for (auto _ : state) {
        if (!post(++number)) {
            state.SkipWithError("post refused");
            break;
        }
    }
}
BENCHMARK(PublishToABlogOf)->Arg(0)->Arg(10'000)->Iterations(500)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
