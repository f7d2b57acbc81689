#pragma once

#include "commands/StoreCommand.h"

#include <cstdint>
#include <memory>

class ItemList;
class WeightItem;

// Sets a day's weight: the day's first weight entry, or a new one for a day that has none.
// Consecutive changes of one day's weight merge.
class SetDayWeightCommand final : public StoreCommand
{
public:
    SetDayWeightCommand(UserEdits& edits, TimeBase::Stamp day, float kilograms);
    ~SetDayWeightCommand() override;

    void redo() override;
    void undo() override;
    int id() const override { return 2; }
    bool mergeWith(const QUndoCommand* other) override;

    // The day's first entry; null when it has none.
    static WeightItem* EntryOf(const ItemList& weights, TimeBase::Stamp day);

private:
    TimeBase::Stamp m_day;
    float m_kilograms;
    float m_before = 0;
    bool m_made = false;
    // An entry this command added: its uid and index, and the entry while undone.
    bool m_added = false;
    std::int32_t m_uid = -1;
    int m_index = -1;
    std::unique_ptr<WeightItem> m_entry;
};
