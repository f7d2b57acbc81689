#pragma once

#include "commands/StoreCommand.h"

#include <cstdint>

// Writes a journal entry's subject, body and posted flag.
class EditJournalEntryCommand final : public StoreCommand
{
public:
    struct Entry
    {
        QString subject;
        QString body;
        bool posted = false;
        bool operator==(const Entry&) const = default;
    };

    EditJournalEntryCommand(UserEdits& edits, std::int32_t uid, Entry entry);

    void redo() override;
    void undo() override;

private:
    void Write(const Entry& entry);

    std::int32_t m_uid;
    Entry m_before;
    Entry m_after;
    bool m_made = false;
};
