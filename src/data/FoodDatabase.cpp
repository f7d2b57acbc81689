#include "data/FoodDatabase.h"

#include "data/AnsiCodec.h"
#include "data/FoodStreamError.h"
#include "data/Log.h"

#include <algorithm>
#include <cstring>

namespace {

[[noreturn]] void Raise(const char* text)
{
    throw FoodStreamError(QString::fromLatin1(text));
}

} // namespace

int Food::NumberOfValue(int valueNumber)
{
    static constexpr int kNumbers[] = {Calories, Carbs, Fiber, Protein, Fat, SaturatedFat};
    return valueNumber >= 0 && valueNumber < 6 ? kNumbers[valueNumber] : -1;
}

DatabaseError FoodDatabase::Open(const QString& path)
{
    m_size = 0;
    m_record = -1;
    m_data.clear();
    m_kept.clear();
    const DatabaseError opened = m_file.Open(path, false);
    if (opened != DatabaseError::None) {
        // A file that is there but claims what it does not hold is damaged, not missing.
        m_error = opened == DatabaseError::CannotOpen
                      ? QStringLiteral("No foods database found")
                      : QStringLiteral("The foods database is damaged: %1").arg(m_file.ErrorText());
        m_file.CloseWithoutSaving();
        return opened;
    }
    // Positions map to records by a fixed record size: a record of any other length (but the
    // last, which may be shorter) would send every later position to the wrong bytes, and a
    // reader that never reaches the record's end would loop.
    const int count = RecordCount();
    for (int r = 0; r < count; ++r) {
        const int length = m_file.RecordLength(r);
        if (length > kRecordSize || (r + 1 < count && length != kRecordSize)) {
            m_error =
                QStringLiteral("Record %1 of the foods database has %2 bytes").arg(r).arg(length);
            m_file.CloseWithoutSaving();
            m_size = 0;
            return DatabaseError::Damaged;
        }
        m_size += length;
    }
    m_error.clear();
    m_kept.assign(size_t(count), QByteArray());
    try {
        if (count > 0)
            Seek(0);
    } catch (const FoodStreamError& error) {
        m_error = error.Text();
        m_file.CloseWithoutSaving();
        m_size = 0;
        return DatabaseError::Damaged;
    }
    return DatabaseError::None;
}

void FoodDatabase::Load(int record)
{
    QByteArray& kept = m_kept.at(size_t(record));
    if (kept.isNull()) {
        std::optional<QByteArray> data = m_file.ReadRecord(record);
        const qint64 expected = m_file.RecordLength(record);
        if (!data || data->size() != expected) {
            m_data.clear();
            m_record = -1;
            throw FoodStreamError(
                QStringLiteral("Record %1 of the foods database cannot be read").arg(record));
        }
        kept = data->isNull() ? QByteArray("") : std::move(*data);
        ++m_loads;
    }
    m_data = kept;
    m_record = record;
}

void FoodDatabase::Seek(qint64 position)
{
    if (position < 0)
        Raise("Negative position");
    const qint64 r = position / kRecordSize;
    if (r != m_record) {
        if (r >= RecordCount())
            throw FoodStreamError(QString::asprintf("No record %d in food database", int(r)));
        m_data.clear();
        Load(int(r));
    }
    m_offset = position - r * kRecordSize;
}

bool FoodDatabase::AtEnd() const
{
    const int last = RecordCount() - 1;
    if (m_record < last)
        return m_record < 0; // nothing loaded: an empty stream
    if (m_record > last)
        return true;
    return m_offset >= m_data.size();
}

void FoodDatabase::Read(void* buffer, int n)
{
    auto* out = static_cast<char*>(buffer); // null: the bytes are passed over
    // Most reads are a few bytes inside the record at hand.
    if (m_record >= 0 && n >= 0 && n <= m_data.size() - m_offset) {
        if (out)
            std::memcpy(out, m_data.constData() + m_offset, size_t(n));
        m_offset += n;
        return;
    }
    qint64 remaining = n;
    while (remaining > 0) {
        if (m_record < 0)
            Raise("Reading over EOF of foods db");
        const qint64 available = m_data.size() - m_offset;
        if (m_record == RecordCount() - 1 && remaining > available)
            Raise("Reading over EOF of foods db");
        const qint64 chunk = std::min(remaining, available);
        if (out) {
            std::memcpy(out, m_data.constData() + m_offset, size_t(chunk));
            out += chunk;
        }
        m_offset += chunk;
        remaining -= chunk;
        // Move on only when more is wanted, so that reading up to the very end of a full last
        // record is not taken for a read past it.
        if (remaining > 0)
            Seek(m_record * kRecordSize + m_offset);
    }
}

std::uint8_t FoodDatabase::ReadByte()
{
    if (m_record >= 0 && m_offset < m_data.size())
        return std::uint8_t(m_data.constData()[m_offset++]);
    std::uint8_t b = 0;
    Read(&b, 1);
    return b;
}

std::int16_t FoodDatabase::ReadWord()
{
    std::uint8_t b[2];
    Read(b, 2);
    return std::int16_t((b[0] << 8) | b[1]);
}

std::uint32_t FoodDatabase::ReadLong()
{
    std::uint8_t b[4];
    Read(b, 4);
    return (std::uint32_t(b[0]) << 24) | (std::uint32_t(b[1]) << 16) | (std::uint32_t(b[2]) << 8) |
           b[3];
}

QString FoodDatabase::ReadName(bool decode)
{
    const int length = ReadByte();
    if (!decode) {
        Read(nullptr, length);
        return {};
    }
    char bytes[255];
    Read(bytes, length);
    return AnsiCodec::Decode(bytes, length);
}

double FoodDatabase::ReadNumber()
{
    const std::uint8_t b = ReadByte();
    if (b == 0xFF)
        return Food::kNoValue;
    if (b == 0xF0)
        return 0.0;
    std::uint8_t rest[3];
    Read(rest, 3);
    const std::uint32_t value = (std::uint32_t(b & 0x7F) << 24) | (std::uint32_t(rest[0]) << 16) |
                                (std::uint32_t(rest[1]) << 8) | rest[2];
    return value * 0.001;
}

Food FoodDatabase::ReadFood(qint64 position, FoodNames names)
{
    const bool decode = names == FoodNames::Read;
    Seek(position);
    Food food;
    food.position = std::uint32_t(position);
    food.header1 = ReadByte();
    food.header2 = ReadByte();
    food.header3 = ReadWord();
    food.name = ReadName(decode);
    for (int i = Food::Calories; i <= Food::FirstUnitGrams; ++i)
        food.numbers[i] = ReadNumber();
    food.units[0] = ReadName(decode);
    food.numbers[Food::SecondUnitGrams] = ReadNumber();
    food.units[1] = ReadName(decode);
    return food;
}

QString FoodDatabase::ReadFoodName(qint64 position)
{
    Seek(position + 4); // past the header values
    return ReadName();
}

Food FoodDatabase::SafeReadFood(qint64 position, FoodNames names)
{
    try {
        return ReadFood(position, names);
    } catch (const FoodStreamError& error) {
        Store::Log(Store::Error, "Food at %lld: %s", position, error.what());
        return UnknownFood(std::uint32_t(position));
    }
}

Food FoodDatabase::UnknownFood(std::uint32_t position)
{
    Food food;
    food.position = position;
    food.name = QString::fromLatin1(kDamagedFoodName);
    food.numbers.fill(Food::kNoValue);
    food.numbers[Food::FirstUnitGrams] = 0.0;
    food.numbers[Food::SecondUnitGrams] = 0.0;
    return food;
}

QString FoodDatabase::SafeFoodName(qint64 position)
{
    try {
        return ReadFoodName(position);
    } catch (const FoodStreamError& error) {
        Store::Log(Store::Error, "Food at %lld: %s", position, error.what());
        return QString::fromLatin1(kDamagedFoodName);
    }
}
