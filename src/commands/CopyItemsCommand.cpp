#include "commands/CopyItemsCommand.h"

#include "commands/SetItemFieldCommand.h"
#include "data/Log.h"
#include "data/UserDatabase.h"

#include <algorithm>
#include <optional>

CopyItemsCommand::CopyItemsCommand(UserEdits& edits, ItemKind kind, std::vector<std::int32_t> uids,
                                   TimeBase::Stamp day, const QString& text)
    : StoreCommand(edits, text), m_kind(kind), m_uids(std::move(uids)), m_day(day)
{
}

CopyItemsCommand::~CopyItemsCommand() = default;

std::unique_ptr<Item> CopyItemsCommand::CopyOf(const Item& item, TimeBase::Stamp day)
{
    std::unique_ptr<Item> copy = UserDatabase::CreateItem(item.Kind(), day);
    if (!copy)
        return nullptr;
    copy->SetReference(item.Reference());
    // The choices the log edits in place: a food's portions and unit, an exercise's duration.
    for (int field = 0; field < 2; ++field)
        SetItemFieldCommand::SetValue(*copy, field, SetItemFieldCommand::Value(item, field));
    return copy;
}

void CopyItemsCommand::redo()
{
    ItemList& list = Store().List(m_kind);
    if (m_first < 0) {
        // One pass from the back, where recent days are, until every original is found: a
        // search per uid would read a long log once for each.
        std::vector<std::int32_t> wanted = m_uids;
        std::sort(wanted.begin(), wanted.end());
        wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
        std::vector<std::unique_ptr<Item>> copies;
        std::vector<std::optional<std::int32_t>> own;
        for (int i = list.Count() - 1; i >= 0 && copies.size() < wanted.size(); --i) {
            const Item* item = list.At(i);
            if (std::binary_search(wanted.begin(), wanted.end(), item->Uid())) {
                copies.push_back(CopyOf(*item, m_day));
                own.push_back(m_kind == FitnessKind ? Store().Own().Of(item->Uid()) : std::nullopt);
            }
        }
        std::reverse(copies.begin(), copies.end());
        std::reverse(own.begin(), own.end());
        size_t kept = 0;
        for (size_t i = 0; i < copies.size(); ++i) {
            if (!copies[i])
                continue;
            if (own[i])
                m_ownCalories.emplace_back(kept, *own[i]);
            copies[kept++] = std::move(copies[i]);
        }
        copies.resize(kept);
        // All or none: a copy cut short would leave the day neither as it was nor as asked.
        if (copies.empty() || list.Count() + int(copies.size()) > ItemList::kMaxItems) {
            if (!copies.empty())
                Store::Log(Store::Error, "List %d has no room for %d copies; none made", m_kind,
                           int(copies.size()));
            setObsolete(true);
            return;
        }
        m_first = list.Count();
        for (std::unique_ptr<Item>& copy : copies)
            m_copyUids.push_back(list.Append(std::move(copy))->Uid());
    } else {
        for (size_t i = 0; i < m_copies.size(); ++i)
            list.Restore(m_first + int(i), std::move(m_copies[i]));
        m_copies.clear();
    }
    for (const auto& [index, calories] : m_ownCalories)
        Store().Own().Set(m_copyUids[index], calories);
    ListChanged(m_kind, {m_day});
}

void CopyItemsCommand::undo()
{
    ItemList& list = Store().List(m_kind);
    m_copies.clear();
    // From the back, where the copies are, so that the ones before keep their indexes.
    for (size_t i = m_copyUids.size(); i-- > 0;) {
        const int at = m_first + int(i);
        const bool there = at < list.Count() && list.At(at)->Uid() == m_copyUids[i];
        m_copies.push_back(list.TakeAt(there ? at : list.IndexOfUid(m_copyUids[i])));
    }
    std::reverse(m_copies.begin(), m_copies.end());
    for (const auto& [index, calories] : m_ownCalories)
        Store().Own().Set(m_copyUids[index], std::nullopt);
    ListChanged(m_kind, {m_day});
}
