#include "commands/SetItemFieldCommand.h"

#include "data/FitnessItem.h"
#include "data/FoodItem.h"
#include "data/UserDatabase.h"

SetItemFieldCommand::SetItemFieldCommand(UserEdits& edits, ItemKind kind, std::int32_t uid,
                                         int field, int value)
    : StoreCommand(edits, TextFor(kind, field)), m_kind(kind), m_uid(uid), m_field(field),
      m_after(value)
{
}

QString SetItemFieldCommand::TextFor(ItemKind kind, int field)
{
    if (kind == FitnessKind)
        return QStringLiteral("Change Duration");
    return field == 0 ? QStringLiteral("Change Portion") : QStringLiteral("Change Unit");
}

int SetItemFieldCommand::Value(const Item& item, int field)
{
    if (item.Kind() == FitnessKind)
        return static_cast<const FitnessItem&>(item).DurationIndex();
    if (item.Kind() != FoodKind)
        return 0;
    const auto& food = static_cast<const FoodItem&>(item);
    return field == 0 ? food.QuantityIndex() : food.UnitIndex();
}

void SetItemFieldCommand::SetValue(Item& item, int field, int value)
{
    if (item.Kind() == FitnessKind) {
        static_cast<FitnessItem&>(item).SetDurationIndex(value);
    } else if (item.Kind() == FoodKind) {
        auto& food = static_cast<FoodItem&>(item);
        field == 0 ? food.SetQuantityIndex(value) : food.SetUnitIndex(value);
    }
}

void SetItemFieldCommand::Set(int value)
{
    Item* item = Store().List(m_kind).FindByUid(m_uid);
    if (!item)
        return;
    SetValue(*item, m_field, value);
    ListChanged(m_kind, {item->Day()});
}

void SetItemFieldCommand::redo()
{
    if (!m_made) {
        const Item* item = Store().List(m_kind).FindByUid(m_uid);
        m_made = true;
        m_before = item ? Value(*item, m_field) : m_after;
        if (m_before == m_after) {
            setObsolete(true);
            return;
        }
    }
    Set(m_after);
}

void SetItemFieldCommand::undo()
{
    Set(m_before);
}

bool SetItemFieldCommand::mergeWith(const QUndoCommand* other)
{
    const auto* next = static_cast<const SetItemFieldCommand*>(other);
    if (next->m_kind != m_kind || next->m_uid != m_uid || next->m_field != m_field)
        return false;
    m_after = next->m_after;
    setObsolete(m_after == m_before);
    return true;
}
