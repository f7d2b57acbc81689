#pragma once

#include "data/Food.h"
#include "data/PalmDatabaseFile.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

// The foods database: its records, concatenated, form one byte stream in which foods are
// addressed by position. Only the record under the cursor is held in memory. Stream errors are
// raised as FoodStreamError; the Safe readers turn them into placeholders for the pages.
class FoodDatabase final
{
public:
    static constexpr qint64 kRecordSize = 16384;
    // Shown for a food whose record cannot be read.
    static constexpr const char* kDamagedFoodName = "Unknown food";

    // Opens the file read-only; raises "No foods database found" when it cannot be opened, and
    // a damage diagnostic when its records do not form a stream.
    explicit FoodDatabase(const QString& path);
    FoodDatabase(const FoodDatabase&) = delete;
    FoodDatabase& operator=(const FoodDatabase&) = delete;

    void Seek(qint64 position);
    qint64 Tell() const { return m_record * kRecordSize + m_offset; }
    bool AtEnd() const;
    void Read(void* buffer, int n);

    std::uint8_t ReadByte();
    std::int16_t ReadWord();
    std::uint32_t ReadLong();
    QString ReadName();
    double ReadNumber();

    Food ReadFood(qint64 position);
    QString ReadFoodName(qint64 position);

    // Never raise: a damaged or missing record gives kDamagedFoodName and unknown values.
    Food SafeReadFood(qint64 position);
    QString SafeFoodName(qint64 position);

    qint64 Size() const { return m_size; }
    int RecordCount() const { return int(m_file.RecordCount()); }
    // How many records were fetched from disk so far; the stream fetches only on a move.
    int RecordLoads() const { return m_loads; }

private:
    void Load(int record);

    PalmDatabaseFile m_file;
    QByteArray m_data; // the current record
    int m_record = -1;
    qint64 m_offset = 0;
    qint64 m_size = 0;
    int m_loads = 0;
};
