#include "data/QuickEntries.h"

#include "data/FoodItem.h"
#include "data/ItemList.h"
#include "data/Log.h"
#include "data/RecordStream.h"

#include <cmath>
#include <set>

namespace {

// A stored figure the program would not have written is no figure.
double Figure(float value, double maximum)
{
    return std::isfinite(value) && value >= 0 && value <= maximum ? double(value) : Food::kNoValue;
}

} // namespace

std::optional<Food> QuickEntries::FoodOf(std::uint32_t id) const
{
    const Entry* entry = Find(id);
    if (!entry)
        return std::nullopt;
    Food food;
    food.position = id;
    food.name = entry->name;
    food.numbers.fill(Food::kNoValue);
    // A serving of 100 g, so that the figures per 100 g are the serving's own.
    food.numbers[Food::Calories] = entry->calories;
    food.numbers[Food::Fat] = entry->fat;
    food.numbers[Food::Carbs] = entry->carbs;
    food.numbers[Food::Protein] = entry->protein;
    food.numbers[Food::FirstUnitGrams] = 100;
    food.numbers[Food::SecondUnitGrams] = 100;
    food.units = {QStringLiteral("serving"), QStringLiteral("serving")};
    return food;
}

const QuickEntries::Entry* QuickEntries::Find(std::uint32_t id) const
{
    const auto it = m_entries.find(id);
    return it == m_entries.end() ? nullptr : &it->second;
}

std::uint32_t QuickEntries::NextId() const
{
    if (m_unused != 0)
        return m_unused;
    // Sixteen million quick entries later: the first free id from the bottom.
    std::uint32_t id = kFirstId;
    while (m_entries.count(id) && id != UINT32_MAX)
        ++id;
    return id;
}

void QuickEntries::Put(std::uint32_t id, const Entry& entry)
{
    m_entries[id] = entry;
    if (m_unused != 0 && id >= m_unused)
        m_unused = id + 1; // 0 past the last id
}

void QuickEntries::KeepReferenced(const ItemList& foodLog)
{
    // Every start comes here: years of a log without quick entries cost nothing.
    if (m_entries.empty())
        return;
    std::set<std::uint32_t> used;
    for (int i = 0; i < foodLog.Count(); ++i) {
        const std::uint32_t id = foodLog.ItemAt<FoodItem>(i)->FoodId();
        if (IsQuickId(id))
            used.insert(id);
    }
    std::erase_if(m_entries, [&](const auto& entry) { return !used.count(entry.first); });
}

bool QuickEntries::Load(RecordStream& stream)
{
    m_entries.clear();
    const std::uint32_t version = stream.ReadUInt16();
    const std::uint32_t count = stream.ReadUInt32();
    if (!stream.Ok() || version != kVersion) {
        Store::Log(Store::Warning, "The quick entries record is damaged or of another version");
        return false;
    }
    // The count is never trusted: each entry must be read whole.
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t id = stream.ReadUInt32();
        Entry entry;
        entry.name = stream.ReadText().left(kMaxNameLength);
        entry.calories = Figure(stream.ReadFloat(), kMaxCalories);
        entry.fat = Figure(stream.ReadFloat(), kMaxGrams);
        entry.carbs = Figure(stream.ReadFloat(), kMaxGrams);
        entry.protein = Figure(stream.ReadFloat(), kMaxGrams);
        if (!stream.Ok()) {
            Store::Log(Store::Warning, "The quick entries record ends inside entry %u", i);
            return false;
        }
        if (IsQuickId(id))
            Put(id, entry);
    }
    return true;
}

void QuickEntries::Save(RecordStream& stream) const
{
    stream.WriteInt16(std::int32_t(kVersion));
    stream.WriteUInt32(std::uint32_t(m_entries.size()));
    for (const auto& [id, entry] : m_entries) {
        stream.WriteUInt32(id);
        stream.WriteText(entry.name);
        stream.WriteFloat(float(entry.calories));
        stream.WriteFloat(float(entry.fat));
        stream.WriteFloat(float(entry.carbs));
        stream.WriteFloat(float(entry.protein));
    }
}
