#pragma once

#include "commands/DataNotifier.h"
#include "data/Item.h"

#include <QObject>
#include <QTimer>
#include <QUndoStack>

#include <bitset>

class UserDatabase;

// The user's edits of the store: every change of what the user entered is a command on one undo
// stack, which lasts for the run. The stack's clean state says whether user.pdb is up to date:
// the first edit after a save starts a timer, and when it fires the changed lists are saved and
// the file is committed, so an edit reaches the disk within the delay, and at the latest when the
// edits end. Bookkeeping (remembered groups, the tip counter, the launch count) stays off the
// stack; a commit writes it along.
class UserEdits final : public QObject
{
    Q_OBJECT

public:
    static constexpr int kSaveDelayMs = 1000;

    explicit UserEdits(UserDatabase& store);
    // Saves what is owed.
    ~UserEdits() override;
    UserEdits(const UserEdits&) = delete;
    UserEdits& operator=(const UserEdits&) = delete;

    UserDatabase& Store() const { return m_store; }
    DataNotifier& Notifier() { return m_notifier; }
    QUndoStack& Stack() { return m_stack; }

    // Makes the edit and keeps it for undo. False when it is not a new entry of the history: a
    // command that changed nothing (a full list, say) is dropped, one that merged into the
    // entry before is gone too; either way `command` must not be used after.
    bool Push(QUndoCommand* command);

    // An edit, undo or redo changed the list: the next save writes it.
    void Touch(ItemKind kind);
    // True while an edit has not reached user.pdb.
    bool SaveOwed() const { return !m_stack.isClean(); }
    // Writes the changed lists and commits user.pdb; false when the store could not write.
    bool Save();
    void SetSaveDelay(int milliseconds) { m_saver.setInterval(milliseconds); }
    bool SavePending() const { return m_saver.isActive(); }

signals:
    // After every save the timer or Save() made.
    void saved(bool ok);

private:
    void EditsChanged();

    UserDatabase& m_store;
    DataNotifier m_notifier;
    QUndoStack m_stack;
    QTimer m_saver;
    std::bitset<8> m_touched; // by ItemKind
};
