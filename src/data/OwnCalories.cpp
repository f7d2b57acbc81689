#include "data/OwnCalories.h"

#include "data/FitnessItem.h"
#include "data/ItemList.h"
#include "data/Log.h"
#include "data/RecordStream.h"

#include <tuple>

namespace {

// An item's name in the record: its day, exercise, duration and the number of items of that
// day, exercise and duration before it in the log.
using Key = std::tuple<std::uint32_t, std::uint32_t, std::int32_t, std::uint32_t>;

template <class Visit> void ForEachKey(const ItemList& log, Visit visit)
{
    std::map<std::tuple<std::uint32_t, std::uint32_t, std::int32_t>, std::uint32_t> seen;
    for (int i = 0; i < log.Count(); ++i) {
        const auto* item = log.ItemAt<FitnessItem>(i);
        const auto what = std::tuple(item->Day(), item->ExerciseId(), item->DurationIndex());
        const std::uint32_t before = seen[what]++;
        visit(Key(item->Day(), item->ExerciseId(), item->DurationIndex(), before), item->Uid());
    }
}

} // namespace

std::optional<std::int32_t> OwnCalories::Of(std::int32_t uid) const
{
    const auto it = m_calories.find(uid);
    return it == m_calories.end() ? std::nullopt : std::optional(it->second);
}

void OwnCalories::Set(std::int32_t uid, std::optional<std::int32_t> calories)
{
    if (calories)
        m_calories[uid] = *calories;
    else
        m_calories.erase(uid);
}

bool OwnCalories::Load(RecordStream& stream, const ItemList& fitnessLog)
{
    m_calories.clear();
    const std::uint32_t version = stream.ReadUInt16();
    const std::uint32_t count = stream.ReadUInt32();
    if (!stream.Ok() || version != kVersion) {
        Store::Log(Store::Warning, "The own calories record is damaged or of another version");
        return false;
    }
    std::map<Key, std::int32_t> stored;
    bool whole = true;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t day = stream.ReadUInt32();
        const std::uint32_t exercise = stream.ReadUInt32();
        const std::int32_t duration = stream.ReadInt16();
        const std::uint32_t before = stream.ReadUInt16();
        const std::int32_t calories = stream.ReadInt32();
        if (!stream.Ok()) {
            Store::Log(Store::Warning, "The own calories record ends inside entry %u", i);
            whole = false;
            break;
        }
        if (calories >= 0 && calories <= kMaxCalories)
            stored[Key(day, exercise, duration, before)] = calories;
    }
    ForEachKey(fitnessLog, [&](const Key& key, std::int32_t uid) {
        if (const auto it = stored.find(key); it != stored.end())
            m_calories[uid] = it->second;
    });
    return whole;
}

void OwnCalories::Save(RecordStream& stream, const ItemList& fitnessLog) const
{
    std::map<Key, std::int32_t> entries;
    ForEachKey(fitnessLog, [&](const Key& key, std::int32_t uid) {
        if (const auto calories = Of(uid))
            entries[key] = *calories;
    });
    stream.WriteInt16(std::int32_t(kVersion));
    stream.WriteUInt32(std::uint32_t(entries.size()));
    for (const auto& [key, calories] : entries) {
        const auto& [day, exercise, duration, before] = key;
        stream.WriteUInt32(day);
        stream.WriteUInt32(exercise);
        stream.WriteInt16(duration);
        stream.WriteInt16(std::int32_t(before));
        stream.WriteInt32(calories);
    }
}
