#pragma once

#include "commands/StoreCommand.h"

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class Item;

// Copies logged foods or exercises to a day, as one edit: each copy is a new item with a uid of
// its own, the original's food or exercise, what the user chose for it and an exercise's own
// calories. The copies are
// appended together, in the originals' list order, each original once; undone, they all leave the
// list; redone, they come back where they were, uids and all. When they would not all fit in the
// list, none is made.
class CopyItemsCommand final : public StoreCommand
{
public:
    CopyItemsCommand(UserEdits& edits, ItemKind kind, std::vector<std::int32_t> uids,
                     TimeBase::Stamp day, const QString& text);
    ~CopyItemsCommand() override;

    void redo() override;
    void undo() override;

    // A new item of the original's kind on `day`: its reference, and its portions and unit or
    // its duration.
    static std::unique_ptr<Item> CopyOf(const Item& item, TimeBase::Stamp day);
    // The copies' uids in list order, once made.
    const std::vector<std::int32_t>& CopyUids() const { return m_copyUids; }

private:
    ItemKind m_kind;
    std::vector<std::int32_t> m_uids;
    TimeBase::Stamp m_day;
    int m_first = -1; // the list index of the first copy
    std::vector<std::int32_t> m_copyUids;
    std::vector<std::unique_ptr<Item>> m_copies; // while undone
    // An exercise's own calories go with its copy, by the copy's place in m_copyUids.
    std::vector<std::pair<size_t, std::int32_t>> m_ownCalories;
};
