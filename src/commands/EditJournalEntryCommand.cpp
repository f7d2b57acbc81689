#include "commands/EditJournalEntryCommand.h"

#include "commands/CommandText.h"
#include "data/JournalItem.h"
#include "data/UserDatabase.h"

EditJournalEntryCommand::EditJournalEntryCommand(UserEdits& edits, std::int32_t uid, Entry entry)
    : StoreCommand(edits, CommandText::Named(QStringLiteral("Edit"), entry.subject)), m_uid(uid),
      m_after(std::move(entry))
{
}

void EditJournalEntryCommand::redo()
{
    if (!m_made) {
        m_made = true;
        const auto* item = static_cast<const JournalItem*>(Store().Journal().FindByUid(m_uid));
        if (item)
            m_before = {item->Subject(), item->Body(), item->Posted()};
        if (!item || m_before == m_after) {
            setObsolete(true);
            return;
        }
    }
    Write(m_after);
}

void EditJournalEntryCommand::undo()
{
    Write(m_before);
}

void EditJournalEntryCommand::Write(const Entry& entry)
{
    auto* item = static_cast<JournalItem*>(Store().Journal().FindByUid(m_uid));
    if (!item)
        return;
    item->SetSubject(entry.subject);
    item->SetBody(entry.body);
    item->SetPosted(entry.posted);
    ListChanged(JournalKind, {item->Day()});
}
