#pragma once

#include "data/TimeBase.h"

#include <cstdint>
#include <memory>

class RecordStream;

// Kinds double as the user.pdb record a list is stored in.
enum ItemKind : int
{
    FitnessKind = 1,
    FoodKind = 2,
    JournalKind = 3,
    FavoriteExerciseKind = 4,
    FavoriteFoodKind = 5,
    DaySummaryKind = 6,
    WeightKind = 7,
};

// One entry of a list: its run-time uid, its day and a reference (exercise id, food id, or the
// reserved value of journal and weight entries), then the kind's own fields.
class Item
{
public:
    explicit Item(ItemKind kind, TimeBase::Stamp day) : m_kind(kind), m_day(day) {}
    virtual ~Item() = default;
    Item(const Item&) = delete;
    Item& operator=(const Item&) = delete;

    // A new, empty item of a stored kind; null and a diagnostic for any other kind.
    static std::unique_ptr<Item> Create(ItemKind kind, TimeBase::Stamp day);

    ItemKind Kind() const { return m_kind; }
    std::int32_t Uid() const { return m_uid; }
    void SetUid(std::int32_t uid) { m_uid = uid; }
    TimeBase::Stamp Day() const { return m_day; }
    void SetDay(TimeBase::Stamp day) { m_day = day; }
    std::uint32_t Reference() const { return m_reference; }
    void SetReference(std::uint32_t reference) { m_reference = reference; }

    // The stored layout: day, reference, then the kind's fields. Load is false when the
    // stream ended inside the item.
    bool Load(RecordStream& stream);
    void Save(RecordStream& stream) const;

protected:
    virtual void LoadFields(RecordStream&) {}
    virtual void SaveFields(RecordStream&) const {}

private:
    ItemKind m_kind;
    std::int32_t m_uid = 0;
    TimeBase::Stamp m_day;
    std::uint32_t m_reference = 0;
};
