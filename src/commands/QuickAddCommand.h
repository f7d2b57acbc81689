#pragma once

#include "commands/StoreCommand.h"
#include "data/QuickEntries.h"

#include <memory>

class AddItemCommand;

// Logs a food by its figures alone: the quick entry and the food log item that refers to it,
// made and taken back as one edit.
class QuickAddCommand final : public StoreCommand
{
public:
    QuickAddCommand(UserEdits& edits, TimeBase::Stamp day, const QuickEntries::Entry& entry);
    ~QuickAddCommand() override;

    void redo() override;
    void undo() override;

    std::uint32_t FoodId() const { return m_id; }
    // The logged item's uid once it was added.
    std::int32_t Uid() const;

private:
    std::uint32_t m_id;
    QuickEntries::Entry m_entry;
    std::unique_ptr<AddItemCommand> m_add;
};
