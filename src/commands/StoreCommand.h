#pragma once

#include "data/Item.h"
#include "data/TimeBase.h"

#include <QUndoCommand>

#include <initializer_list>

class UserDatabase;
class UserEdits;

// An edit of the user's data that can be undone: redo() makes it, undo() takes it back exactly,
// and each tells the edits which lists and records it changed.
class StoreCommand : public QUndoCommand
{
public:
    StoreCommand(UserEdits& edits, const QString& text);

protected:
    UserDatabase& Store() const;
    // Marks the list for saving and tells the pages which days of it changed.
    void ListChanged(ItemKind kind, std::initializer_list<TimeBase::Stamp> days) const;
    void ListChanged(ItemKind kind, const std::vector<TimeBase::Stamp>& days) const;
    void ProfileChanged() const;
    void SettingsChanged() const;

private:
    UserEdits& m_edits;
};
