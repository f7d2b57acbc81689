#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

class PalmDatabaseFile;

// A cursor over one record: typed big-endian reads and writes. A read that does not fit in
// the rest of the record transfers nothing, yields zero and clears Ok() until the next open:
// readers check Ok() once they have read a whole unit, and keep the unit only then. A write
// grows the buffer.
class RecordStream final
{
public:
    explicit RecordStream(PalmDatabaseFile& database);
    RecordStream(PalmDatabaseFile& database, int index);
    // Reads a record already taken out of its file; what is written stays in memory.
    explicit RecordStream(QByteArray record);
    ~RecordStream();
    RecordStream(const RecordStream&) = delete;
    RecordStream& operator=(const RecordStream&) = delete;

    void OpenRead(int index);
    void OpenNew(int index);
    void Flush();

    void Write(const void* bytes, int n);
    bool Read(void* bytes, int n);
    // What a stream of no file holds: the record it read, with what was written over it.
    QByteArray Written() const { return m_buffer.left(m_length); }
    // Moves past n bytes; false, as a read, when fewer are left.
    bool Skip(int n);

    void WriteBool(bool value);
    void WriteInt16(std::int32_t value);
    void WriteInt32(std::int32_t value);
    void WriteUInt32(std::uint32_t value) { WriteInt32(std::int32_t(value)); }
    void WriteFloat(float value);
    void WriteText(const QString& text);

    bool ReadBool();
    std::int32_t ReadInt16();
    std::uint32_t ReadUInt16();
    std::int32_t ReadInt32();
    std::uint32_t ReadUInt32() { return std::uint32_t(ReadInt32()); }
    float ReadFloat();
    QString ReadText();

    // Reads that only move on: texts come back empty, undecoded. For learning whether a
    // record holds what it says at a fraction of the cost of reading it.
    void SetSkimming(bool skimming) { m_skimming = skimming; }

    // False once a read ran past the end of the record (or the record could not be read).
    bool Ok() const { return m_ok; }
    int Length() const { return m_length; }
    int Position() const { return m_position; }
    bool AtEnd() const { return m_position >= m_length; }
    int Index() const { return m_index; }

private:
    PalmDatabaseFile* m_database = nullptr;
    QByteArray m_buffer; // capacity is its size
    int m_length = 0;
    int m_position = 0;
    bool m_changed = false;
    bool m_ok = true;
    bool m_skimming = false;
    int m_index = -1;
};
