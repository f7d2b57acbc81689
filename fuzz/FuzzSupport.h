#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

// The readers take paths: every input is written to a file in a folder of the process's own.
// Diagnostics are silenced, since damaged input makes the store talk on every run.
namespace Fuzz {

inline const QTemporaryDir& Folder()
{
    static const QTemporaryDir folder = [] {
        QLoggingCategory::setFilterRules(QStringLiteral("nutrava.*=false"));
        // The machine's own zone, named: with TZ unset, glibc looks at /etc/localtime again
        // each time a local time is asked for, which saves do a few times a run.
        if (qEnvironmentVariableIsEmpty("TZ"))
            qputenv("TZ", ":/etc/localtime");
        return QTemporaryDir();
    }();
    if (!folder.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        std::abort();
    }
    return folder;
}

// Plain calls: this runs for every input, and QFile's checks were a few per cent of a run.
inline QString WriteInput(const std::uint8_t* data, std::size_t size, const QString& name)
{
    const QString path = Folder().filePath(name);
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const bool written = fd >= 0 && ::write(fd, data, size) == ssize_t(size);
    if (fd < 0 || ::close(fd) != 0 || !written) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::abort();
    }
    return path;
}

// A broken promise of the code under test: libFuzzer keeps the input that led here.
inline void Require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}

} // namespace Fuzz
