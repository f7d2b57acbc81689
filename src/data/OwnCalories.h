#pragma once

#include <QtGlobal>

#include <cstdint>
#include <map>
#include <optional>

class ItemList;
class RecordStream;

// Calories the user gave for a logged exercise (from a watch or a machine's display), which
// count instead of the figure worked out from the body weight. Kept by the item's run-time uid;
// stored in a record of user.pdb after the ones the handheld knows, naming each item by its day,
// exercise, duration and how many such items of that day come before it, since the handheld's
// fitness record has no room for it. A reader without this record reads the log as it always
// did and shows the worked-out figures.
class OwnCalories final
{
public:
    // More than any hour of exercise burns: a typing slip.
    static constexpr std::int32_t kMaxCalories = 5000;

    std::optional<std::int32_t> Of(std::int32_t uid) const;
    void Set(std::int32_t uid, std::optional<std::int32_t> calories);
    int Count() const { return int(m_calories.size()); }

    // Entries whose item is not in the log are dropped; a record that ends inside an entry keeps
    // the whole entries before it and returns false.
    bool Load(RecordStream& stream, const ItemList& fitnessLog);
    // The entries of items still in the log.
    void Save(RecordStream& stream, const ItemList& fitnessLog) const;

private:
    static constexpr std::uint32_t kVersion = 1;
    std::map<std::int32_t, std::int32_t> m_calories; // by uid
};
