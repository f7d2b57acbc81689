#include "data/RecordStream.h"

#include "data/AnsiCodec.h"
#include "data/PalmDatabaseFile.h"

#include <QtEndian>

#include <bit>
#include <cstring>

RecordStream::RecordStream(PalmDatabaseFile& database) : m_database(&database) {}

RecordStream::RecordStream(PalmDatabaseFile& database, int index) : m_database(&database)
{
    OpenRead(index);
}

RecordStream::RecordStream(QByteArray record)
    : m_buffer(std::move(record)), m_length(int(m_buffer.size()))
{
}

RecordStream::~RecordStream()
{
    Flush();
}

void RecordStream::OpenRead(int index)
{
    Flush();
    m_index = index;
    m_position = 0;
    std::optional<QByteArray> record =
        m_database ? m_database->ReadRecord(index) : std::optional<QByteArray>();
    m_ok = record.has_value();
    m_buffer = std::move(record).value_or(QByteArray());
    m_length = int(m_buffer.size());
}

void RecordStream::OpenNew(int index)
{
    Flush();
    m_index = index;
    m_position = 0;
    m_length = 0;
    m_ok = true;
    m_buffer = QByteArray(1024, Qt::Uninitialized); // only what was written is kept
}

void RecordStream::Flush()
{
    if (m_changed && m_database) {
        m_database->WriteRecord(m_index, m_buffer.constData(), m_length);
        m_changed = false;
    }
    m_buffer = QByteArray();
    m_length = 0;
}

void RecordStream::Write(const void* bytes, int n)
{
    if (n < 0)
        return;
    if (qint64(m_position) + n > m_buffer.size())
        m_buffer.resize(m_buffer.size() + n + 1024);
    std::memcpy(m_buffer.data() + m_position, bytes, size_t(n));
    m_position += n;
    if (m_position > m_length)
        m_length = m_position;
    m_changed = true;
}

bool RecordStream::Skip(int n)
{
    if (n < 0 || qint64(m_position) + n > m_length) {
        m_ok = false;
        return false;
    }
    m_position += n;
    return true;
}

bool RecordStream::Read(void* bytes, int n)
{
    if (!Skip(n))
        return false;
    std::memcpy(bytes, m_buffer.constData() + m_position - n, size_t(n));
    return true;
}

void RecordStream::WriteBool(bool value)
{
    const char b = value ? 1 : 0;
    Write(&b, 1);
}

void RecordStream::WriteInt16(std::int32_t value)
{
    uchar b[2];
    qToBigEndian(std::uint16_t(value), b);
    Write(b, 2);
}

void RecordStream::WriteInt32(std::int32_t value)
{
    uchar b[4];
    qToBigEndian(std::uint32_t(value), b);
    Write(b, 4);
}

void RecordStream::WriteFloat(float value)
{
    WriteInt32(std::bit_cast<std::int32_t>(value));
}

void RecordStream::WriteText(const QString& text)
{
    const QByteArray bytes = AnsiCodec::Encode(text);
    // An embedded NUL would end the text early for every reader; stop there instead.
    const qsizetype nul = bytes.indexOf('\0');
    Write(bytes.constData(), int(nul >= 0 ? nul : bytes.size()));
    const char terminator = '\0';
    Write(&terminator, 1);
}

bool RecordStream::ReadBool()
{
    char b = 0;
    Read(&b, 1);
    return b != 0;
}

// Numbers are taken where they lie (years of logs decode a few hundred thousand); 0 past the end.
std::int32_t RecordStream::ReadInt16()
{
    return Skip(2) ? qFromBigEndian<std::int16_t>(m_buffer.constData() + m_position - 2) : 0;
}

std::uint32_t RecordStream::ReadUInt16()
{
    return Skip(2) ? qFromBigEndian<std::uint16_t>(m_buffer.constData() + m_position - 2) : 0;
}

std::int32_t RecordStream::ReadInt32()
{
    return Skip(4) ? qFromBigEndian<std::int32_t>(m_buffer.constData() + m_position - 4) : 0;
}

float RecordStream::ReadFloat()
{
    return std::bit_cast<float>(ReadInt32());
}

QString RecordStream::ReadText()
{
    // A text cut off by the end of the record keeps what it has: the terminator is all it
    // lacks. Nothing left at all is a read past the end.
    if (m_position >= m_length) {
        m_ok = false;
        return {};
    }
    const char* start = m_buffer.constData() + m_position;
    const int available = m_length - m_position;
    const void* nul = std::memchr(start, '\0', size_t(available));
    const int n = nul ? int(static_cast<const char*>(nul) - start) : available;
    m_position += nul ? n + 1 : n;
    return m_skimming ? QString() : AnsiCodec::Decode(start, n);
}
