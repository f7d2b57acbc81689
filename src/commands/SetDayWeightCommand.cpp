#include "commands/SetDayWeightCommand.h"

#include "data/UserDatabase.h"
#include "data/WeightItem.h"

SetDayWeightCommand::SetDayWeightCommand(UserEdits& edits, TimeBase::Stamp day, float kilograms)
    : StoreCommand(edits, QStringLiteral("Set Weight")), m_day(day), m_kilograms(kilograms)
{
}

SetDayWeightCommand::~SetDayWeightCommand() = default;

WeightItem* SetDayWeightCommand::EntryOf(const ItemList& weights, TimeBase::Stamp day)
{
    for (int i = 0; i < weights.Count(); ++i) {
        if (weights.At(i)->Day() == day)
            return weights.ItemAt<WeightItem>(i);
    }
    return nullptr;
}

void SetDayWeightCommand::redo()
{
    ItemList& weights = Store().Weights();
    if (!m_made) {
        m_made = true;
        if (WeightItem* entry = EntryOf(weights, m_day)) {
            m_before = entry->Kilograms();
            if (m_before == m_kilograms) {
                setObsolete(true);
                return;
            }
        } else {
            Item* added = weights.Append(Item::Create(WeightKind, m_day));
            if (!added) { // the list is full
                setObsolete(true);
                return;
            }
            m_added = true;
            m_uid = added->Uid();
            m_index = weights.Count() - 1;
        }
    } else if (m_added) {
        weights.Restore(m_index, std::move(m_entry));
    }
    if (WeightItem* entry = EntryOf(weights, m_day))
        entry->SetKilograms(m_kilograms);
    ListChanged(WeightKind, {m_day});
}

void SetDayWeightCommand::undo()
{
    ItemList& weights = Store().Weights();
    if (m_added) {
        std::unique_ptr<Item> taken = weights.TakeAt(weights.IndexOfUid(m_uid));
        m_entry.reset(static_cast<WeightItem*>(taken.release()));
    } else if (WeightItem* entry = EntryOf(weights, m_day)) {
        entry->SetKilograms(m_before);
    }
    ListChanged(WeightKind, {m_day});
}

bool SetDayWeightCommand::mergeWith(const QUndoCommand* other)
{
    const auto* next = static_cast<const SetDayWeightCommand*>(other);
    if (next->m_day != m_day || next->m_added)
        return false;
    m_kilograms = next->m_kilograms;
    setObsolete(!m_added && m_kilograms == m_before);
    return true;
}
