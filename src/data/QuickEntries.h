#pragma once

#include "data/Food.h"

#include <QString>

#include <cstdint>
#include <map>
#include <optional>

class ItemList;
class RecordStream;

// Foods logged by their figures alone ("Quick Add..."): a name, calories and, if known, fat,
// carbohydrates and protein of one serving. A food log item refers to one by an id above any
// position a foods file can hold, so that a reader without this table (the handheld, an older
// copy of the program) shows its placeholder for an unknown food and reads the rest of the file
// as before. The table is a record of its own in user.pdb, after the ones such readers know.
class QuickEntries final
{
public:
    static constexpr std::uint32_t kFirstId = 0xFF000000u;
    static bool IsQuickId(std::uint32_t id) { return id >= kFirstId; }
    // Past these a figure is a typing slip, not a serving.
    static constexpr double kMaxCalories = 10000;
    static constexpr double kMaxGrams = 1000;
    static constexpr int kMaxNameLength = 60;

    struct Entry
    {
        QString name;
        double calories = 0;
        // Food::kNoValue where the user gave none.
        double fat = Food::kNoValue;
        double carbs = Food::kNoValue;
        double protein = Food::kNoValue;
        bool operator==(const Entry&) const = default;
    };

    // The entry as a food of one unit, "serving", whose figures are the entry's; none for an id
    // no entry has.
    std::optional<Food> FoodOf(std::uint32_t id) const;
    const Entry* Find(std::uint32_t id) const;
    // An id no entry has had since the table was loaded, so that figures kept by id elsewhere
    // never meet another entry under it.
    std::uint32_t NextId() const;
    void Put(std::uint32_t id, const Entry& entry);
    void Remove(std::uint32_t id) { m_entries.erase(id); }
    int Count() const { return int(m_entries.size()); }
    // Drops the entries no item of the food log refers to (deleted long ago, or by a reader that
    // does not know them).
    void KeepReferenced(const ItemList& foodLog);

    // A record that ends inside an entry keeps the whole entries before it and returns false.
    bool Load(RecordStream& stream);
    void Save(RecordStream& stream) const;

private:
    static constexpr std::uint32_t kVersion = 1;
    std::map<std::uint32_t, Entry> m_entries;
    std::uint32_t m_unused = kFirstId; // above every id put or loaded; 0 once past the last
};
