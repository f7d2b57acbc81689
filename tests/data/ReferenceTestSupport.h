#pragma once

#include "data/Log.h"
#include "data/PalmDatabaseFile.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QStringList>

#include <vector>

// Small helpers for the reference database tests: databases written from raw records, and the
// store's diagnostics collected for the length of a test.
namespace ReferenceTest {

inline QString DamagedFile(const char* name)
{
    return QStringLiteral(NUTRAVA_TEST_DATA "/reference/") + QString::fromLatin1(name);
}

inline QString GeneratedFile(const char* name)
{
    return QDir(QStringLiteral(NUTRAVA_REFERENCE_DIR)).filePath(QString::fromLatin1(name));
}

inline void WriteDatabase(const QString& path, const QString& name,
                          const std::vector<QByteArray>& records)
{
    PalmDatabaseFile file;
    file.Create(path, name, PalmDatabaseFile::FourCC("QZRW"), PalmDatabaseFile::FourCC("data"));
    for (size_t i = 0; i < records.size(); ++i)
        file.WriteRecord(int(i), records[i].constData(), int(records[i].size()));
    file.Close();
}

// The foods stream cut into 16384-byte records.
inline void WriteFoodStream(const QString& path, const QByteArray& stream)
{
    std::vector<QByteArray> records;
    for (qsizetype at = 0; at < stream.size(); at += 16384)
        records.push_back(stream.mid(at, 16384));
    WriteDatabase(path, QStringLiteral("- KLV Foods Database"), records);
}

inline QByteArray Word(int value)
{
    const char bytes[2] = {char((value >> 8) & 0xFF), char(value & 0xFF)};
    return QByteArray(bytes, 2);
}

inline QByteArray Text(const char* text)
{
    return QByteArray(text) + '\0';
}

class LogCapture final
{
public:
    LogCapture()
    {
        Store::SetLogSink([this](int, const QString& message) { m_messages.append(message); });
    }
    ~LogCapture() { Store::SetLogSink(nullptr); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    const QStringList& Messages() const { return m_messages; }
    bool Contains(const QString& text) const
    {
        for (const QString& message : m_messages) {
            if (message.contains(text))
                return true;
        }
        return false;
    }

private:
    QStringList m_messages;
};

} // namespace ReferenceTest
