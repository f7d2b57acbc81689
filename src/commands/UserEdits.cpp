#include "commands/UserEdits.h"

#include "data/Log.h"
#include "data/UserDatabase.h"

#include <QCoreApplication>

UserEdits::UserEdits(UserDatabase& store) : m_store(store)
{
    m_saver.setSingleShot(true);
    m_saver.setInterval(kSaveDelayMs);
    connect(&m_saver, &QTimer::timeout, this, [this] { Save(); });
    connect(&m_stack, &QUndoStack::indexChanged, this, [this] { EditsChanged(); });
}

UserEdits::~UserEdits()
{
    if (SaveOwed())
        Save();
}

bool UserEdits::Push(QUndoCommand* command)
{
    const int before = m_stack.index();
    m_stack.push(command);
    return m_stack.index() != before;
}

void UserEdits::Touch(ItemKind kind)
{
    if (kind >= 0 && size_t(kind) < m_touched.size())
        m_touched.set(size_t(kind));
}

void UserEdits::EditsChanged()
{
    // Not restarted by later edits: none waits longer than the delay, however busy the user.
    // Without an event loop to run it (a tool) the owner saves.
    if (SaveOwed() && !m_saver.isActive() && QCoreApplication::instance())
        m_saver.start();
}

bool UserEdits::Save()
{
    m_saver.stop();
    // Back at the saved state the lists hold what the file holds: nothing to write.
    if (SaveOwed()) {
        for (size_t kind = 0; kind < m_touched.size(); ++kind) {
            if (m_touched.test(kind))
                m_store.SaveList(m_store.List(ItemKind(kind)));
        }
    }
    m_touched.reset();
    const bool ok = m_store.Commit();
    if (ok)
        m_stack.setClean();
    else
        Store::Log(Store::Error, "Edits were not saved; they are tried again at the next edit");
    emit saved(ok);
    return ok;
}
