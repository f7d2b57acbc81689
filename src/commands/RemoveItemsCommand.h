#pragma once

#include "commands/StoreCommand.h"

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class Item;

// Deletes items of one list by uid. Undone, each goes back to its place, uid and all.
class RemoveItemsCommand final : public StoreCommand
{
public:
    RemoveItemsCommand(UserEdits& edits, ItemKind kind, std::vector<std::int32_t> uids,
                       const QString& text);
    ~RemoveItemsCommand() override;

    void redo() override;
    void undo() override;

private:
    std::vector<TimeBase::Stamp> Days() const;

    ItemKind m_kind;
    std::vector<std::int32_t> m_uids;
    // Taken items with the index each had, in list order.
    std::vector<std::pair<int, std::unique_ptr<Item>>> m_taken;
};
