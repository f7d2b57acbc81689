#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QSocketNotifier>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr char kRaise[] = "raise\n";
constexpr char kAnswer[] = "ok\n";

bool AddressOf(const QByteArray& path, sockaddr_un& address)
{
    std::memset(&address, 0, sizeof address);
    if (path.isEmpty() || size_t(path.size()) >= sizeof address.sun_path)
        return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    return true;
}

// False once the deadline passed without `events`.
bool WaitFor(int fd, short events, const QDeadlineTimer& deadline)
{
    for (;;) {
        pollfd wanted{fd, events, 0};
        const int ready = ::poll(&wanted, 1, int(qMax<qint64>(0, deadline.remainingTime())));
        if (ready > 0)
            return true;
        if (ready == 0 || errno != EINTR)
            return false;
    }
}

// A connected socket, or -1.
int Connect(const QByteArray& path, const QDeadlineTimer& deadline)
{
    sockaddr_un address;
    if (!AddressOf(path, address))
        return -1;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return -1;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
        return fd;
    int error = errno;
    if ((error == EAGAIN || error == EINPROGRESS) && WaitFor(fd, POLLOUT, deadline)) {
        socklen_t length = sizeof error;
        if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0)
            return fd;
    }
    ::close(fd);
    return -1;
}

// A listening socket at `path`, readable and writable by this user only: it is made in a
// private folder and linked into place, which fails (EEXIST in `error`) rather than replace one
// that is there.
int ListenAt(const QByteArray& path, int* error)
{
    QByteArray folder = path + "-XXXXXX";
    sockaddr_un address;
    if (!::mkdtemp(folder.data())) {
        *error = errno;
        return -1;
    }
    const QByteArray made = folder + "/s";
    int fd = -1;
    *error = ENAMETOOLONG;
    if (AddressOf(made, address)) {
        fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (fd < 0 ||
            ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
            ::chmod(made.constData(), S_IRUSR | S_IWUSR) != 0 || ::listen(fd, 8) != 0 ||
            ::link(made.constData(), path.constData()) != 0) {
            *error = errno;
            if (fd >= 0)
                ::close(fd);
            fd = -1;
        }
    }
    ::unlink(made.constData());
    ::rmdir(folder.constData());
    return fd;
}

} // namespace

SingleInstance::SingleInstance(const QString& executablePath, QObject* parent)
    : QObject(parent), m_name(SocketName(executablePath)),
      m_path(QFile::encodeName(QDir::tempPath() + u'/' + m_name))
{
}

SingleInstance::~SingleInstance()
{
    if (m_server >= 0) {
        ::close(m_server);
        ::unlink(m_path.constData());
    }
}

QString SingleInstance::SocketName(const QString& executablePath)
{
    // Socket names are short on Linux; a hash of the path keeps one name per executable.
    const QByteArray hash =
        QCryptographicHash::hash(executablePath.toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    return QStringLiteral("nutrava-") + QString::fromLatin1(hash);
}

bool SingleInstance::ForwardToRunningInstance(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    const int fd = Connect(m_path, deadline);
    if (fd < 0)
        return false;
    const auto closed = qScopeGuard([fd] { ::close(fd); });
    if (::send(fd, kRaise, sizeof kRaise - 1, MSG_NOSIGNAL) != qint64(sizeof kRaise - 1))
        return false;
    // Wait for the answer so that a socket left by a crashed copy does not count.
    QByteArray answer;
    while (answer.size() < 2 && WaitFor(fd, POLLIN, deadline)) {
        char bytes[16];
        const ssize_t n = ::recv(fd, bytes, sizeof bytes, 0);
        if (n <= 0 && !(n < 0 && (errno == EINTR || errno == EAGAIN)))
            break;
        if (n > 0)
            answer.append(bytes, n);
    }
    return answer.startsWith("ok");
}

bool SingleInstance::Listen()
{
    if (m_server >= 0)
        return true;
    int error = 0;
    m_server = ListenAt(m_path, &error);
    if (m_server < 0 && error == EEXIST) {
        // Either a copy that started at the same moment, or a socket file left by one that died.
        const int probe = Connect(m_path, QDeadlineTimer(500));
        if (probe >= 0) {
            ::close(probe);
            return false;
        }
        ::unlink(m_path.constData());
        m_server = ListenAt(m_path, &error);
    }
    if (m_server < 0)
        return false;
    m_notifier = new QSocketNotifier(m_server, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SingleInstance::Accept);
    return true;
}

void SingleInstance::Accept()
{
    for (;;) {
        const int client = ::accept4(m_server, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (client < 0)
            return;
        auto* notifier = new QSocketNotifier(client, QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this,
                [this, client, notifier, heard = QByteArray()]() mutable {
                    Answer(client, notifier, heard);
                });
    }
}

// Reads what a later start says; once it has asked, or gone, or said something else, the
// connection ends.
void SingleInstance::Answer(int client, QSocketNotifier* notifier, QByteArray& heard)
{
    char bytes[64];
    const ssize_t n = ::recv(client, bytes, sizeof bytes, 0);
    if (n < 0 && (errno == EINTR || errno == EAGAIN))
        return;
    if (n > 0)
        heard.append(bytes, qMin<qsizetype>(n, 64));
    const QByteArray raise(kRaise, sizeof kRaise - 1);
    if (n > 0 && heard.size() < raise.size() && raise.startsWith(heard))
        return; // more to come
    if (heard.startsWith(raise.chopped(1))) {
        ::send(client, kAnswer, sizeof kAnswer - 1, MSG_NOSIGNAL);
        emit raiseRequested();
    }
    notifier->setEnabled(false);
    notifier->deleteLater();
    ::close(client);
}
