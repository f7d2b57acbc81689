#pragma once

#include "commands/StoreCommand.h"

#include <cstdint>
#include <memory>

class Item;

// Appends an item to the list of its kind: a logged food or exercise, a journal entry, a
// favorite. Undone, it leaves the list; redone, it comes back where it was, with its uid.
class AddItemCommand final : public StoreCommand
{
public:
    AddItemCommand(UserEdits& edits, std::unique_ptr<Item> item, const QString& text);
    ~AddItemCommand() override;

    void redo() override;
    void undo() override;

    // The added item's uid once it was added.
    std::int32_t Uid() const { return m_uid; }

private:
    ItemKind m_kind;
    TimeBase::Stamp m_day;
    std::unique_ptr<Item> m_item; // while not in the list
    std::int32_t m_uid = -1;
    int m_index = -1;
};
