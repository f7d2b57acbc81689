#pragma once

#include "data/Food.h"
#include "data/PalmDatabaseFile.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

// The foods database: its records, concatenated, form one byte stream in which foods are
// addressed by position. Records are read as the cursor reaches them, and kept. The stream reads
// raise FoodStreamError for the foods index; what the rest of the program calls never does:
// Open gives a DatabaseError, and the Safe readers turn errors into placeholders.
class FoodDatabase final
{
public:
    static constexpr qint64 kRecordSize = 16384;
    // Shown for a food whose record cannot be read.
    static constexpr const char* kDamagedFoodName = "Unknown food";

    FoodDatabase() = default;
    // Opens the file read-only: CannotOpen ("No foods database found") when it cannot be
    // opened, Damaged when its container or records do not form a stream. ErrorText says more.
    DatabaseError Open(const QString& path);
    QString ErrorText() const { return m_error; }
    FoodDatabase(const FoodDatabase&) = delete;
    FoodDatabase& operator=(const FoodDatabase&) = delete;

    void Seek(qint64 position);
    qint64 Tell() const { return m_record * kRecordSize + m_offset; }
    bool AtEnd() const;
    // A null buffer passes over the bytes, with the same checks.
    void Read(void* buffer, int n);

    std::uint8_t ReadByte();
    std::int16_t ReadWord();
    std::uint32_t ReadLong();
    // Empty, the bytes passed over, without `decode`.
    QString ReadName(bool decode = true);
    double ReadNumber();

    Food ReadFood(qint64 position, FoodNames names = FoodNames::Read);
    QString ReadFoodName(qint64 position);

    // Never raise: a damaged or missing record gives UnknownFood.
    Food SafeReadFood(qint64 position, FoodNames names = FoodNames::Read);
    // kDamagedFoodName, unknown values and units of no weight.
    static Food UnknownFood(std::uint32_t position);
    QString SafeFoodName(qint64 position);

    qint64 Size() const { return m_size; }
    int RecordCount() const { return int(m_file.RecordCount()); }
    // How many records were fetched from disk so far; the stream fetches each record once.
    int RecordLoads() const { return m_loads; }

private:
    void Load(int record);

    PalmDatabaseFile m_file;
    QString m_error;
    QByteArray m_data; // the current record
    // Records once read, kept: a day's foods lie all over the file, and the results read
    // thousands of them. At most the file, about a megabyte.
    std::vector<QByteArray> m_kept;
    int m_record = -1;
    qint64 m_offset = 0;
    qint64 m_size = 0;
    int m_loads = 0;
};
