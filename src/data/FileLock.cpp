#include "data/FileLock.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

FileLock::~FileLock()
{
    if (m_fd >= 0)
        ::close(m_fd); // releases the lock; the file stays, as it may be another's by now
}

DatabaseError FileLock::TryLock()
{
    if (m_fd >= 0)
        return DatabaseError::None;
    // Close-on-exec: a program we start must not keep our lock alive after we are gone.
    const int fd = ::open(QFile::encodeName(m_path).constData(),
                          O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return DatabaseError::CannotCreate;
    int result;
    do {
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        const bool busy = errno == EWOULDBLOCK;
        ::close(fd);
        return busy ? DatabaseError::Locked : DatabaseError::CannotCreate;
    }
    m_fd = fd;
    return DatabaseError::None;
}
