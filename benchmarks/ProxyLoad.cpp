// Posting load on the real nutrava-proxy, as many people posting at once would make it. Starts
// the binary on loopback with a temporary folder and one account per poster, then runs each
// level of posters for a fixed time: every poster is a thread with its own kept-alive
// connection from its own loopback address (127.0.0.2, .3, ...), since the proxy tells clients
// apart by address, and posts small journal posts built as the program builds them. Prints per
// level the posts per second, the median and 99th percentile latency, the failures with the
// first reason, and the proxy's VmRSS and VmHWM before and after. Then fills one blog to many
// posts and compares the posting rate into it with that into an empty blog.
//
//   proxy_load [--duration S] [--levels 8,32,128] [--fill N] [--fill-limit S]
//              [--compare-posters N] [--iterations N] [PROXY]
//
// PROXY defaults to the nutrava-proxy beside this program. Nothing leaves the machine, and
// every phase ends on time: a post still unanswered 5 seconds after its phase counts as failed.

#include "BuildInfo.h"
#include "blog/PostProtocol.h"
#include "blog/PostRequest.h"
#include "proxy/AccountFile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <functional>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr char kEmail[] = "poster@example.com";
constexpr char kPassword[] = "load test password";
constexpr auto kRequestTimeout = 30s;
constexpr auto kGrace = 5s; // a post begun before the end of its phase may finish this late
constexpr size_t kMaxHead = 16 * 1024;
constexpr size_t kMaxBody = 64 * 1024; // the proxy answers one line

double Ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

// --- one kept-alive HTTP/1.1 connection from a chosen loopback address

struct Answer
{
    int status = 0;
    std::string body;
};

class Connection final
{
public:
    Connection(in_addr source, quint16 port) : m_source(source), m_port(port) {}
    ~Connection() { Close(); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool IsOpen() const { return m_fd >= 0; }
    void Close()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
        m_buffer.clear();
    }

    bool Open(Clock::time_point deadline, std::string* error)
    {
        Close();
        m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (m_fd < 0)
            return Fail("socket: ", error);
        const int on = 1;
        ::setsockopt(m_fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr = m_source;
        if (::bind(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
            return Fail("bind: ", error);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(m_port);
        if (::connect(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            if (errno != EINPROGRESS)
                return Fail("connect: ", error);
            if (!Wait(POLLOUT, deadline, error))
                return false;
            int result = 0;
            socklen_t size = sizeof result;
            ::getsockopt(m_fd, SOL_SOCKET, SO_ERROR, &result, &size);
            if (result != 0) {
                errno = result;
                return Fail("connect: ", error);
            }
        }
        return true;
    }

    bool Send(const QByteArray& bytes, Clock::time_point deadline, std::string* error)
    {
        qsizetype sent = 0;
        while (sent < bytes.size()) {
            const ssize_t n = ::send(m_fd, bytes.constData() + sent,
                                     static_cast<size_t>(bytes.size() - sent), MSG_NOSIGNAL);
            if (n > 0) {
                sent += n;
            } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
                if (!Wait(POLLOUT, deadline, error))
                    return false;
            } else {
                return Fail("send: ", error);
            }
        }
        return true;
    }

    // Reads one answer. nothingReceived tells a connection the server had closed before the
    // request from one that broke during the answer.
    bool Receive(Answer* answer, Clock::time_point deadline, bool* nothingReceived,
                 std::string* error)
    {
        *nothingReceived = m_buffer.empty();
        size_t headEnd;
        while ((headEnd = m_buffer.find("\r\n\r\n")) == std::string::npos) {
            if (m_buffer.size() > kMaxHead)
                return Fail("answer head too long", error, false);
            if (!ReadMore(deadline, error)) {
                if (error->empty())
                    *error = "connection closed before the answer ended";
                return false;
            }
            *nothingReceived = false;
        }
        const std::string head = m_buffer.substr(0, headEnd);
        m_buffer.erase(0, headEnd + 4);
        if (head.compare(0, 7, "HTTP/1.") != 0 || head.size() < 12 ||
            std::from_chars(head.data() + 9, head.data() + 12, answer->status).ec != std::errc())
            return Fail("not an HTTP answer: " + head.substr(0, 40), error, false);

        std::optional<size_t> length;
        bool close = false;
        for (size_t at = head.find("\r\n"); at != std::string::npos;) {
            const size_t end = head.find("\r\n", at + 2);
            std::string line = head.substr(at + 2, end == std::string::npos ? end : end - at - 2);
            std::transform(line.begin(), line.end(), line.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            size_t value = 0;
            if (line.rfind("content-length:", 0) == 0) {
                const size_t from = line.find_first_not_of(' ', 15);
                if (from == std::string::npos ||
                    std::from_chars(line.data() + from, line.data() + line.size(), value).ec !=
                        std::errc() ||
                    value > kMaxBody)
                    return Fail("unreadable or too long Content-Length", error, false);
                length = value;
            } else if (line.rfind("transfer-encoding:", 0) == 0) {
                return Fail("chunked answers are not read", error, false);
            } else if (line.rfind("connection:", 0) == 0 && line.find("close") != line.npos) {
                close = true;
            }
            at = end;
        }
        if (!length) {
            // Without a length the answer ends with the connection.
            while (m_buffer.size() <= kMaxBody && ReadMore(deadline, error)) {
            }
            if (!error->empty())
                return false;
            close = true;
            length = std::min(m_buffer.size(), kMaxBody);
        }
        while (m_buffer.size() < *length) {
            if (!ReadMore(deadline, error)) {
                if (error->empty())
                    *error = "connection closed before the answer ended";
                return false;
            }
        }
        answer->body = m_buffer.substr(0, *length);
        m_buffer.erase(0, *length);
        if (close)
            Close();
        return true;
    }

private:
    bool Fail(const std::string& what, std::string* error, bool withErrno = true)
    {
        *error = withErrno ? what + std::strerror(errno) : what;
        Close();
        return false;
    }

    bool Wait(short events, Clock::time_point deadline, std::string* error)
    {
        for (;;) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left <= 0ms)
                return Fail("no answer in time", error, false);
            pollfd entry{m_fd, events, 0};
            const int ready = ::poll(&entry, 1, static_cast<int>(left.count()));
            if (ready > 0)
                return true;
            if (ready < 0 && errno != EINTR)
                return Fail("poll: ", error);
        }
    }

    // False with an empty error at the end of the stream.
    bool ReadMore(Clock::time_point deadline, std::string* error)
    {
        char chunk[4096];
        for (;;) {
            const ssize_t n = ::recv(m_fd, chunk, sizeof chunk, 0);
            if (n > 0) {
                m_buffer.append(chunk, static_cast<size_t>(n));
                return true;
            }
            if (n == 0) {
                error->clear();
                return false;
            }
            if (errno == EAGAIN || errno == EINTR) {
                if (!Wait(POLLIN, deadline, error))
                    return false;
                continue;
            }
            return Fail("recv: ", error);
        }
    }

    in_addr m_source;
    quint16 m_port;
    int m_fd = -1;
    std::string m_buffer;
};

// --- posters

struct Tally
{
    std::vector<double> latenciesMs;
    long posted = 0;
    long failed = 0;
    long reconnects = 0;
    std::string firstFailure;
    Clock::time_point firstFailureAt = Clock::time_point::max();

    void Fail(const std::string& reason)
    {
        if (++failed == 1) {
            firstFailure = reason;
            firstFailureAt = Clock::now();
        }
    }
    void Add(const Tally& other)
    {
        latenciesMs.insert(latenciesMs.end(), other.latenciesMs.begin(), other.latenciesMs.end());
        posted += other.posted;
        failed += other.failed;
        reconnects += other.reconnects;
        if (other.failed > 0 && other.firstFailureAt < firstFailureAt) {
            firstFailure = other.firstFailure;
            firstFailureAt = other.firstFailureAt;
        }
    }
};

struct Phase
{
    quint16 port = 0;
    int addressGroup = 0; // posters of each phase come from addresses of their own
    std::function<QString(int poster)> blog;
    Clock::time_point end;
    // Asked before every post; false ends the poster. Told how each post went.
    std::function<bool()> mayPost = [] { return true; };
    std::function<void(bool posted)> posted = [](bool) {};
    std::atomic<bool>* abort = nullptr;
};

QByteArray PostBytes(const QString& blog, quint16 port, int poster, long number)
{
    PostRequest request(
        PostProtocol::JoinCredentials(PostProtocol::BlogAddress(blog), kEmail, kPassword));
    request.AppendField(QStringLiteral("Day %1 of poster %2").arg(number).arg(poster));
    request.AppendField(QStringLiteral("Oats with milk, an apple and a walk of half an hour.\n"
                                       "Weight steady; water 2 litres."));
    request.AppendField(QStringLiteral("Poster %1").arg(poster));
    QByteArray bytes =
        "POST /post HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(port) + "\r\n";
    for (const auto& [name, value] :
         PostProtocol::RequestHeaders(request.Auth(), NUTRAVA_VERSION_MAJOR, NUTRAVA_VERSION_MINOR))
        bytes += name + ": " + value + "\r\n";
    bytes += "Content-Length: " + QByteArray::number(request.Body().size()) + "\r\n\r\n";
    return bytes + request.Body();
}

// "code message" with a code below 300 is a post taken; anything else says why not.
std::optional<std::string> Refusal(const Answer& answer)
{
    if (answer.status != 200)
        return "HTTP " + std::to_string(answer.status) + ": " + answer.body.substr(0, 120);
    const PostProtocol::Outcome outcome =
        PostProtocol::JudgeResponse(QString::fromLatin1(answer.body.c_str()));
    if (outcome.result >= 0)
        return std::nullopt;
    return answer.body.substr(0, 200);
}

in_addr PosterAddress(int group, int poster)
{
    in_addr address{};
    address.s_addr =
        htonl((127u << 24) | (static_cast<quint32>(group) << 8) | static_cast<quint32>(2 + poster));
    return address;
}

Tally RunPoster(const Phase& phase, int poster)
{
    Tally tally;
    Connection connection(PosterAddress(phase.addressGroup, poster), phase.port);
    const QString blog = phase.blog(poster);
    long number = 0;
    while (Clock::now() < phase.end && !phase.abort->load() && phase.mayPost()) {
        const QByteArray bytes = PostBytes(blog, phase.port, poster, ++number);
        const Clock::time_point start = Clock::now();
        const Clock::time_point deadline = std::min(start + kRequestTimeout, phase.end + kGrace);
        std::string error;
        Answer answer;
        bool done = false;
        // A kept-alive connection the server closed meanwhile is opened again once, as
        // browsers do.
        for (int attempt = 0; attempt < 2 && !done; ++attempt) {
            const bool reused = connection.IsOpen();
            if (!reused && !connection.Open(deadline, &error))
                break;
            bool nothingReceived = true;
            if (connection.Send(bytes, deadline, &error) &&
                connection.Receive(&answer, deadline, &nothingReceived, &error)) {
                done = true;
            } else if (reused && nothingReceived && Clock::now() < deadline) {
                connection.Close();
                ++tally.reconnects;
            } else {
                break;
            }
        }
        std::optional<std::string> refusal = done ? Refusal(answer) : error;
        if (!refusal) {
            tally.latenciesMs.push_back(Ms(Clock::now() - start));
            ++tally.posted;
        } else {
            tally.Fail(*refusal);
            if (!done) // a proxy that refuses connections is not asked again at once
                std::this_thread::sleep_for(10ms);
        }
        phase.posted(!refusal);
    }
    return tally;
}

// --- the proxy process

// What the proxy process has used so far.
struct Usage
{
    long rssKb = -1;
    long hwmKb = -1;
    double cpuSeconds = 0; // user and system
};

Usage ReadUsage(qint64 pid)
{
    Usage usage;
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            const QList<QByteArray> words = line.simplified().split(' ');
            if (words.size() >= 2 && words[0] == "VmRSS:")
                usage.rssKb = words[1].toLong();
            else if (words.size() >= 2 && words[0] == "VmHWM:")
                usage.hwmKb = words[1].toLong();
        }
    }
    // The fields after the command's closing parenthesis; utime and stime are the 12th and 13th.
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (stat.open(QIODevice::ReadOnly)) {
        const QByteArray text = stat.readAll();
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 12)
            usage.cpuSeconds = static_cast<double>(fields[11].toLong() + fields[12].toLong()) /
                               static_cast<double>(::sysconf(_SC_CLK_TCK));
    }
    return usage;
}

quint16 FreePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    quint16 port = 0;
    if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) == 0)
        port = ntohs(address.sin_port);
    if (fd >= 0)
        ::close(fd);
    return port;
}

class Proxy final
{
public:
    Proxy(QString program, QString folder)
        : m_program(std::move(program)), m_folder(std::move(folder))
    {
        // Should this program die, the proxy goes too.
        m_process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    }
    ~Proxy() { Stop(); }

    // Written straight into the accounts file, with few iterations unless told otherwise: the
    // load is on serving, and each blog's first post would cost one full key derivation (about
    // 0.9 s of a core at the default 600,000) before the proxy remembers the match.
    bool AddAccounts(const QStringList& blogs, int iterations, QString* error)
    {
        QDir().mkpath(m_folder);
        AccountFile accounts(QDir(m_folder).filePath(QStringLiteral("accounts")));
        for (const QString& blog : blogs) {
            if (!accounts.Set(blog, QString::fromLatin1(kEmail), QString::fromLatin1(kPassword),
                              error, iterations))
                return false;
        }
        return accounts.Save(error);
    }

    bool Start(QString* error)
    {
        m_port = FreePort();
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.setStandardErrorFile(LogPath());
        m_process.start(m_program, {QStringLiteral("--listen"), QStringLiteral("127.0.0.1"),
                                    QStringLiteral("--port"), QString::number(m_port),
                                    QStringLiteral("--dir"), m_folder});
        if (!m_process.waitForStarted(10000)) {
            *error = m_process.errorString();
            return false;
        }
        const auto until = Clock::now() + 10s;
        while (Clock::now() < until) {
            std::string ignored;
            Connection probe(PosterAddress(0, 0), m_port);
            if (probe.Open(Clock::now() + 1s, &ignored))
                return true;
            if (m_process.waitForFinished(100))
                break;
        }
        *error = QStringLiteral("nutrava-proxy did not start listening; its log: ") + LogTail();
        return false;
    }

    // Waits up to the time for the proxy to end; true when it has.
    bool Ended(std::chrono::milliseconds wait)
    {
        return m_process.state() == QProcess::NotRunning ||
               m_process.waitForFinished(static_cast<int>(wait.count()));
    }

    void Stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    quint16 Port() const { return m_port; }
    qint64 Pid() const { return m_process.processId(); }
    QString LogPath() const { return m_folder + QStringLiteral(".log"); }
    QString LogTail() const
    {
        QFile log(LogPath());
        log.open(QIODevice::ReadOnly);
        return QString::fromUtf8(log.readAll().right(2000));
    }

private:
    QString m_program;
    QString m_folder;
    QProcess m_process;
    quint16 m_port = 0;
};

// Runs one phase's posters to their end, watching the proxy meanwhile.
Tally RunPhase(Proxy& proxy, Phase phase, int posters, std::chrono::seconds duration,
               const std::function<void()>& everyFewSeconds = {})
{
    std::atomic<bool> abort = false;
    phase.port = proxy.Port();
    phase.abort = &abort;
    phase.end = Clock::now() + duration;
    std::vector<Tally> tallies(static_cast<size_t>(posters));
    std::atomic<int> running = posters;
    std::vector<std::thread> threads;
    for (int i = 0; i < posters; ++i) {
        threads.emplace_back([&, i] {
            tallies[static_cast<size_t>(i)] = RunPoster(phase, i);
            --running;
        });
    }
    auto report = Clock::now() + 10s;
    while (running > 0) {
        if (!abort && proxy.Ended(200ms)) {
            abort = true;
            std::fprintf(stderr, "proxy_load: nutrava-proxy ended; its log:\n%s\n",
                         qUtf8Printable(proxy.LogTail()));
        }
        if (abort)
            std::this_thread::sleep_for(50ms);
        if (everyFewSeconds && Clock::now() >= report) {
            everyFewSeconds();
            report += 10s;
        }
    }
    for (std::thread& thread : threads)
        thread.join();
    Tally total;
    for (const Tally& tally : tallies)
        total.Add(tally);
    return total;
}

double Percentile(std::vector<double> values, double fraction)
{
    if (values.empty())
        return 0;
    const auto at =
        static_cast<size_t>(std::clamp(std::ceil(fraction * static_cast<double>(values.size())) - 1,
                                       0.0, static_cast<double>(values.size() - 1)));
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(at),
                     values.end());
    return values[at];
}

void PrintHeading()
{
    std::printf("%-22s %8s %8s %8s %8s %14s %14s %7s\n", "", "posts/s", "p50 ms", "p99 ms",
                "failures", "VmRSS MB", "VmHWM MB", "proxy");
    std::printf("%-22s %8s %8s %8s %8s %14s %14s %7s\n", "", "", "", "", "", "before>after",
                "before>after", "cpu %");
}

void PrintRow(const std::string& label, const Tally& tally, double seconds, Usage before,
              Usage after)
{
    std::printf("%-22s %8.1f %8.1f %8.1f %8ld %6.1f>%-7.1f %6.1f>%-7.1f %7.0f\n", label.c_str(),
                static_cast<double>(tally.posted) / seconds, Percentile(tally.latenciesMs, 0.5),
                Percentile(tally.latenciesMs, 0.99), tally.failed, before.rssKb / 1024.0,
                after.rssKb / 1024.0, before.hwmKb / 1024.0, after.hwmKb / 1024.0,
                100 * (after.cpuSeconds - before.cpuSeconds) / seconds);
    if (tally.failed > 0)
        std::printf("%-22s first failure: %s\n", "", tally.firstFailure.c_str());
    if (tally.reconnects > 0)
        std::printf("%-22s %ld connections closed by the proxy were opened again\n", "",
                    tally.reconnects);
    std::fflush(stdout);
}

// Runs a phase and prints its row; returns the posts per second.
double Measure(Proxy& proxy, const std::string& label, Phase phase, int posters,
               std::chrono::seconds duration)
{
    const Usage before = ReadUsage(proxy.Pid());
    const Clock::time_point start = Clock::now();
    const Tally tally = RunPhase(proxy, std::move(phase), posters, duration);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    PrintRow(label, tally, seconds, before, ReadUsage(proxy.Pid()));
    return static_cast<double>(tally.posted) / seconds;
}

int Fail(const QString& message)
{
    std::fprintf(stderr, "proxy_load: %s\n", qUtf8Printable(message));
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Posting load on nutrava-proxy, on loopback, from one address per poster."));
    parser.addHelpOption();
    const QCommandLineOption duration(QStringLiteral("duration"),
                                      QStringLiteral("Seconds each level runs (default 20)."),
                                      QStringLiteral("S"), QStringLiteral("20"));
    const QCommandLineOption levels(QStringLiteral("levels"),
                                    QStringLiteral("Poster counts, comma-separated (at most 250)."),
                                    QStringLiteral("N,N,..."), QStringLiteral("8,32,128"));
    const QCommandLineOption fill(QStringLiteral("fill"),
                                  QStringLiteral("Posts to fill one blog with (default 10000; "
                                                 "0 skips the comparison)."),
                                  QStringLiteral("N"), QStringLiteral("10000"));
    const QCommandLineOption fillLimit(QStringLiteral("fill-limit"),
                                       QStringLiteral("Seconds the filling may take at most "
                                                      "(default 1800)."),
                                       QStringLiteral("S"), QStringLiteral("1800"));
    const QCommandLineOption comparePosters(
        QStringLiteral("compare-posters"),
        QStringLiteral("Posters filling the blog and posting into the full and the empty blog "
                       "(default 8)."),
        QStringLiteral("N"), QStringLiteral("8"));
    const QCommandLineOption iterationsOption(
        QStringLiteral("iterations"),
        QStringLiteral("PBKDF2 iterations of the accounts' password hashes (default 1000; the "
                       "proxy's own default is %1).")
            .arg(AccountFile::kIterations),
        QStringLiteral("N"), QStringLiteral("1000"));
    parser.addOptions({duration, levels, fill, fillLimit, comparePosters, iterationsOption});
    parser.addPositionalArgument(QStringLiteral("proxy"),
                                 QStringLiteral("The nutrava-proxy binary (default: beside this "
                                                "program)."),
                                 QStringLiteral("[PROXY]"));
    parser.process(app);

    bool ok = true;
    const auto number = [&](const QCommandLineOption& option, int low, int high) {
        bool read = false;
        const int value = parser.value(option).toInt(&read);
        ok = ok && read && value >= low && value <= high;
        return value;
    };
    const std::chrono::seconds seconds(number(duration, 1, 3600));
    const int fillPosts = number(fill, 0, 1'000'000);
    const std::chrono::seconds fillSeconds(number(fillLimit, 1, 24 * 3600));
    const int compared = number(comparePosters, 1, 250);
    const int iterations = number(iterationsOption, 1000, 10'000'000);
    std::vector<int> posterCounts;
    for (const QString& word : parser.value(levels).split(u',')) {
        bool read = false;
        posterCounts.push_back(word.toInt(&read));
        ok = ok && read && posterCounts.back() >= 1 && posterCounts.back() <= 250;
    }
    if (!ok || parser.positionalArguments().size() > 1)
        return Fail(QStringLiteral("bad arguments (see --help)"));
    const QString program = parser.positionalArguments().value(
        0, QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("nutrava-proxy")));

    QTemporaryDir temporary;
    if (!temporary.isValid())
        return Fail(QStringLiteral("no temporary folder: ") + temporary.errorString());
    Proxy proxy(program, temporary.filePath(QStringLiteral("proxy")));

    // One blog per poster of each level, and the full and the empty blog.
    const auto levelBlog = [](int level, int poster) {
        return QStringLiteral("l%1-p%2").arg(level).arg(poster);
    };
    QString error;
    QStringList blogs;
    for (size_t level = 0; level < posterCounts.size(); ++level) {
        for (int i = 0; i < posterCounts[level]; ++i)
            blogs.append(levelBlog(static_cast<int>(level), i));
    }
    if (fillPosts > 0)
        blogs << QStringLiteral("full") << QStringLiteral("empty");
    if (!proxy.AddAccounts(blogs, iterations, &error))
        return Fail(error);
    if (!proxy.Start(&error))
        return Fail(error);
    std::printf("nutrava-proxy %s, pid %lld, on 127.0.0.1:%u, folder %s\n", qUtf8Printable(program),
                static_cast<long long>(proxy.Pid()), proxy.Port(),
                qUtf8Printable(temporary.path()));
    std::printf("%lld s per level; each poster posts from its own address 127.0.G.2, .3, ...\n\n",
                static_cast<long long>(seconds.count()));
    PrintHeading();

    int group = 0;
    for (size_t level = 0; level < posterCounts.size(); ++level) {
        Phase phase;
        phase.addressGroup = group++;
        phase.blog = [&, level](int poster) { return levelBlog(static_cast<int>(level), poster); };
        Measure(proxy, std::to_string(posterCounts[level]) + " posters", phase, posterCounts[level],
                seconds);
        if (proxy.Ended(0ms))
            return Fail(QStringLiteral("nutrava-proxy ended"));
    }
    if (fillPosts == 0)
        return 0;

    // Every poster claims a post before sending it and gives the claim back when it fails.
    std::atomic<long> claimed = 0;
    std::atomic<long> filled = 0;
    Phase filling;
    filling.addressGroup = group++;
    filling.blog = [](int) { return QStringLiteral("full"); };
    filling.mayPost = [&] { return claimed.fetch_add(1) < fillPosts; };
    filling.posted = [&](bool posted) { posted ? void(++filled) : void(--claimed); };
    const Clock::time_point fillStart = Clock::now();
    const auto elapsed = [&] {
        return std::chrono::duration<double>(Clock::now() - fillStart).count();
    };
    std::printf("\nfilling blog \"full\" to %d posts with %d posters (at most %lld s)...\n",
                fillPosts, compared, static_cast<long long>(fillSeconds.count()));
    std::fflush(stdout);
    const Tally fillTally = RunPhase(proxy, filling, compared, fillSeconds, [&] {
        std::printf("  %ld posts after %.0f s\n", filled.load(), elapsed());
        std::fflush(stdout);
    });
    std::printf("filled to %ld posts in %.1f s (%.1f posts/s), %ld failures%s%s\n\n",
                fillTally.posted, elapsed(), static_cast<double>(fillTally.posted) / elapsed(),
                fillTally.failed, fillTally.failed > 0 ? "; first: " : "",
                fillTally.firstFailure.c_str());
    if (proxy.Ended(0ms))
        return Fail(QStringLiteral("nutrava-proxy ended"));

    PrintHeading();
    Phase intoFull;
    intoFull.addressGroup = group++;
    intoFull.blog = [](int) { return QStringLiteral("full"); };
    const double fullRate = Measure(proxy, "into " + std::to_string(fillTally.posted) + " posts",
                                    intoFull, compared, seconds);
    Phase intoEmpty;
    intoEmpty.addressGroup = group++;
    intoEmpty.blog = [](int) { return QStringLiteral("empty"); };
    const double emptyRate = Measure(proxy, "into an empty blog", intoEmpty, compared, seconds);
    std::printf("\n%d posters into one blog: %.1f posts/s when it holds %ld posts, %.1f when it "
                "starts empty (%.2f times)\n",
                compared, fullRate, fillTally.posted, emptyRate,
                emptyRate > 0 ? fullRate / emptyRate : 0.0);
    return 0;
}
