#pragma once

#include "data/Log.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Shared helpers of the test suites.
namespace TestSupport {

inline QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

inline bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

inline QByteArray Hex(const char* hex) { return QByteArray::fromHex(hex); }

// Collects the store's diagnostics while it lives.
class LogCapture final
{
public:
    LogCapture()
    {
        Store::SetLogSink([this](int, const QString& message) { m_messages << message; });
    }
    ~LogCapture() { Store::SetLogSink(nullptr); }
    const QStringList& Messages() const { return m_messages; }
    bool Contains(const QString& text) const
    {
        for (const QString& m : m_messages)
            if (m.contains(text))
                return true;
        return false;
    }

private:
    QStringList m_messages;
};

} // namespace TestSupport
