#include "commands/QuickAddCommand.h"

#include "commands/AddItemCommand.h"
#include "commands/CommandText.h"
#include "data/FoodItem.h"
#include "data/UserDatabase.h"

QuickAddCommand::QuickAddCommand(UserEdits& edits, TimeBase::Stamp day,
                                 const QuickEntries::Entry& entry)
    : StoreCommand(edits, CommandText::Named(QStringLiteral("Add"), entry.name)),
      m_id(Store().Quick().NextId()), m_entry(entry)
{
    auto item = std::make_unique<FoodItem>(day);
    item->SetFoodId(m_id);
    m_add = std::make_unique<AddItemCommand>(edits, std::move(item), text());
}

QuickAddCommand::~QuickAddCommand() = default;

std::int32_t QuickAddCommand::Uid() const
{
    return m_add->Uid();
}

void QuickAddCommand::redo()
{
    // The entry first: the pages the item's change wakes read it.
    Store().Quick().Put(m_id, m_entry);
    m_add->redo();
    if (m_add->isObsolete()) {
        Store().Quick().Remove(m_id);
        setObsolete(true);
    }
}

void QuickAddCommand::undo()
{
    m_add->undo();
    Store().Quick().Remove(m_id);
}
