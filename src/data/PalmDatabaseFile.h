#pragma once

#include "data/DatabaseError.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

// Reader and writer of the Palm database container (78-byte header, 8-byte record entries,
// records back to back; all numbers big-endian). Reference databases are read record by record
// from disk; once any record is written the whole file is held in memory and rewritten on save.
class PalmDatabaseFile final
{
public:
    struct Header
    {
        std::array<char, 32> name{};
        std::uint16_t attributes = 0;
        std::uint16_t version = 0;
        std::uint32_t creationDate = 0;
        std::uint32_t modificationDate = 0;
        std::uint32_t backupDate = 0;
        std::uint32_t modificationNumber = 0;
        std::uint32_t appInfoOffset = 0;
        std::uint32_t sortInfoOffset = 0;
        std::uint32_t type = 0;
        std::uint32_t creator = 0;
        std::uint32_t uniqueIdSeed = 0;
        std::uint32_t nextRecordList = 0;
        std::uint16_t recordCount = 0;
    };

    struct Entry
    {
        std::uint32_t offset = 0;
        std::uint8_t attributes = 0;
        std::array<std::uint8_t, 3> uniqueId{};
    };

    static constexpr int kHeaderSize = 78;
    static constexpr int kEntrySize = 8;

    PalmDatabaseFile() = default;
    ~PalmDatabaseFile();
    PalmDatabaseFile(const PalmDatabaseFile&) = delete;
    PalmDatabaseFile& operator=(const PalmDatabaseFile&) = delete;

    // The file that holds a database name ("- KLV User Data" is "user.pdb"); empty if unknown.
    static QString FileNameFor(const QString& databaseName);
    static std::uint32_t FourCC(const char (&text)[5]);

    // None, or CannotCreate (an existing file is the usual, quiet case).
    DatabaseError Create(const QString& path, const QString& databaseName, std::uint32_t creator,
                         std::uint32_t type);
    // None, CannotOpen or Damaged (header, entry list or record offsets unsound).
    DatabaseError Open(const QString& path, bool writable = true);
    // Reads the whole file into memory at once and closes it again; the copy is then read like
    // an open file, and writing to it does nothing. For reading a file another process may
    // replace at any moment: one read sees one version.
    DatabaseError OpenCopy(const QString& path);
    // Saves when loaded for change and changed since the last save: CannotWrite if that save
    // failed.
    DatabaseError Close();
    DatabaseError Save();
    // Writes the file as Save would into any device; CannotWrite when the device fails. Changes
    // nothing here: the records stay dirty until a Save succeeds.
    DatabaseError WriteTo(QIODevice& device) const;
    // Closes without writing anything, whatever was changed in memory.
    void CloseWithoutSaving();
    // True when a record changed in memory since the last save.
    bool IsDirty() const { return m_dirty; }

    bool IsOpen() const { return m_file != nullptr || m_copy != nullptr; }
    bool IsLoadedForChange() const { return m_records != nullptr; }
    QString Path() const { return m_path; }
    QString ErrorText() const { return m_error; }
    const Header& FileHeader() const { return m_header; }
    const std::vector<Entry>& Entries() const { return m_entries; }

    std::uint32_t RecordCount() const { return m_count; }
    int RecordLength(int index) const;
    bool HasRecord(int index) const;
    std::optional<QByteArray> ReadRecord(int index) const;
    void WriteRecord(int index, const char* data, int length);
    bool LoadAll();

    // user.pdb: records take exactly the length last written (deleted text does not linger)...
    void SetExactRecordLengths(bool exact) { m_exactLengths = exact; }
    // ...and every save writes a new file beside the old one (path + kTemporarySuffix), flushes
    // it to the disk and renames it over, keeping the file found at open as a backup (path +
    // suffix, made the same way) before the first rewrite.
    void SetAtomicSave(const QString& backupSuffix)
    {
        m_atomic = true;
        m_backupSuffix = backupSuffix;
    }
    static constexpr const char* kTemporarySuffix = ".saving";
    // Puts bytes at path through path + kTemporarySuffix, flushed to the disk and renamed over:
    // at any moment path holds the old bytes or the new ones, never a mix (where path is a
    // symbolic link, its target does). The file gets the
    // permissions of `like` (owner-only where that does not exist). False, with the reason in
    // error and no temporary left, when that fails.
    static bool WriteFileAtomically(const QString& path, const QByteArray& bytes,
                                    const QString& like, QString& error);
    // Removes what killed saves of path left beside it: our temporaries (the file's name, any
    // middle, kTemporarySuffix) and the randomly named copies of this database the earlier
    // scheme left (path + "." + six letters and digits). Only for the holder of the lock.
    static void RemoveSaveLeftovers(const QString& path);

    // Larger files are refused as damaged rather than copied into memory.
    static constexpr qint64 kMaxCopySize = qint64(1) << 29;

private:
    DatabaseError ReadDirectory(QIODevice& device);
    QIODevice* Device() const;
    QByteArray BuildImage(Header& header, std::vector<Entry>& entries) const;
    bool WriteInPlace(const QByteArray& image);
    bool WriteAtomically(const QByteArray& image);
    DatabaseError Fail(DatabaseError error, const QString& why);

    std::unique_ptr<QFile> m_file;   // null for a copy, which is never written
    std::unique_ptr<QBuffer> m_copy; // the bytes of a file opened with OpenCopy
    QString m_path;
    QString m_error;
    Header m_header;
    std::vector<Entry> m_entries;
    std::unique_ptr<std::vector<QByteArray>> m_records;
    std::uint32_t m_count = 0;
    qint64 m_fileSize = 0;
    bool m_exactLengths = false;
    bool m_atomic = false;
    bool m_backedUp = false;
    bool m_dirty = false;
    QString m_backupSuffix;
};
