#include "commands/RemoveItemsCommand.h"

#include "data/UserDatabase.h"

#include <algorithm>

RemoveItemsCommand::RemoveItemsCommand(UserEdits& edits, ItemKind kind,
                                       std::vector<std::int32_t> uids, const QString& text)
    : StoreCommand(edits, text), m_kind(kind), m_uids(std::move(uids))
{
}

RemoveItemsCommand::~RemoveItemsCommand() = default;

void RemoveItemsCommand::redo()
{
    ItemList& list = Store().List(m_kind);
    std::vector<int> indexes;
    for (std::int32_t uid : m_uids) {
        const int index = list.IndexOfUid(uid);
        if (index >= 0 && std::find(indexes.begin(), indexes.end(), index) == indexes.end())
            indexes.push_back(index);
    }
    if (indexes.empty()) {
        setObsolete(true);
        return;
    }
    // From the back, so that each index still means what it meant.
    std::sort(indexes.begin(), indexes.end(), std::greater<>());
    m_taken.clear();
    for (int index : indexes)
        m_taken.emplace(m_taken.begin(), index, list.TakeAt(index));
    ListChanged(m_kind, Days());
}

void RemoveItemsCommand::undo()
{
    ItemList& list = Store().List(m_kind);
    const std::vector<TimeBase::Stamp> days = Days();
    for (auto& [index, item] : m_taken)
        list.Restore(index, std::move(item));
    m_taken.clear();
    ListChanged(m_kind, days);
}

std::vector<TimeBase::Stamp> RemoveItemsCommand::Days() const
{
    std::vector<TimeBase::Stamp> days;
    for (const auto& taken : m_taken)
        days.push_back(taken.second->Day());
    return days;
}
