#include "commands/AddItemCommand.h"

#include "data/UserDatabase.h"

AddItemCommand::AddItemCommand(UserEdits& edits, std::unique_ptr<Item> item, const QString& text)
    : StoreCommand(edits, text), m_kind(item->Kind()), m_day(item->Day()), m_item(std::move(item))
{
}

AddItemCommand::~AddItemCommand() = default;

void AddItemCommand::redo()
{
    ItemList& list = Store().List(m_kind);
    if (m_index < 0) {
        const Item* added = list.Append(std::move(m_item));
        if (!added) { // the list is full; the store said so
            setObsolete(true);
            return;
        }
        m_uid = added->Uid();
        m_index = list.Count() - 1;
    } else {
        list.Restore(m_index, std::move(m_item));
    }
    ListChanged(m_kind, {m_day});
}

void AddItemCommand::undo()
{
    ItemList& list = Store().List(m_kind);
    m_item = list.TakeAt(list.IndexOfUid(m_uid));
    ListChanged(m_kind, {m_day});
}
