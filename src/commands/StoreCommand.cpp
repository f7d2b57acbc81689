#include "commands/StoreCommand.h"

#include "commands/DataNotifier.h"
#include "commands/UserEdits.h"
#include "data/UserDatabase.h"

#include <algorithm>

StoreCommand::StoreCommand(UserEdits& edits, const QString& text) : m_edits(edits)
{
    setText(text);
}

UserDatabase& StoreCommand::Store() const
{
    return m_edits.Store();
}

void StoreCommand::ListChanged(ItemKind kind, std::initializer_list<TimeBase::Stamp> days) const
{
    ListChanged(kind, std::vector<TimeBase::Stamp>(days));
}

void StoreCommand::ListChanged(ItemKind kind, const std::vector<TimeBase::Stamp>& days) const
{
    m_edits.Touch(kind);
    std::vector<TimeBase::Stamp> once = days;
    std::sort(once.begin(), once.end());
    once.erase(std::unique(once.begin(), once.end()), once.end());
    for (TimeBase::Stamp day : once)
        emit m_edits.Notifier().dayChanged(kind, day);
    emit m_edits.Notifier().listChanged(kind);
}

void StoreCommand::ProfileChanged() const
{
    Store().Profile().SetChanged();
    emit m_edits.Notifier().profileChanged();
}

void StoreCommand::SettingsChanged() const
{
    emit m_edits.Notifier().settingsChanged();
}
