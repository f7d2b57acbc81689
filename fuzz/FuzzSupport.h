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

// The readers take paths: every input is written to a file in a folder of the process's own.
// Diagnostics are silenced, since damaged input makes the store talk on every run.
namespace Fuzz {

inline const QTemporaryDir& Folder()
{
    static const QTemporaryDir folder = [] {
        QLoggingCategory::setFilterRules(QStringLiteral("nutrava.*=false"));
        return QTemporaryDir();
    }();
    if (!folder.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        std::abort();
    }
    return folder;
}

inline QString WriteInput(const std::uint8_t* data, std::size_t size, const QString& name)
{
    const QString path = Folder().filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size)) {
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
