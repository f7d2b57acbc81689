#include "data/ItemList.h"

#include "data/Log.h"
#include "data/RecordStream.h"

#include <algorithm>

Item* ItemList::Append(std::unique_ptr<Item> item)
{
    if (!item)
        return nullptr;
    if (Count() >= kMaxItems) {
        Store::Log(Store::Error, "List %d is full (%d items); item not added", m_kind, kMaxItems);
        return nullptr;
    }
    item->SetUid(m_nextUid++);
    m_items.push_back(std::move(item));
    return m_items.back().get();
}

std::unique_ptr<Item> ItemList::RemoveByUid(std::int32_t uid)
{
    for (auto it = m_items.begin(); it != m_items.end(); ++it) {
        if ((*it)->Uid() == uid) {
            std::unique_ptr<Item> removed = std::move(*it);
            m_items.erase(it);
            return removed;
        }
    }
    Store::Log(Store::Error, "Item uid %d not found for deletion", uid);
    return nullptr;
}

Item* ItemList::FindByUid(std::int32_t uid) const
{
    for (const auto& item : m_items) {
        if (item->Uid() == uid)
            return item.get();
    }
    return nullptr;
}

int ItemList::IndexOfUid(std::int32_t uid) const
{
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i]->Uid() == uid)
            return int(i);
    }
    return -1;
}

std::unique_ptr<Item> ItemList::TakeAt(int index)
{
    if (index < 0 || index >= Count())
        return nullptr;
    std::unique_ptr<Item> taken = std::move(m_items[size_t(index)]);
    m_items.erase(m_items.begin() + index);
    return taken;
}

Item* ItemList::Restore(int index, std::unique_ptr<Item> item)
{
    if (!item)
        return nullptr;
    const auto at = m_items.begin() + std::clamp(index, 0, Count());
    return m_items.insert(at, std::move(item))->get();
}

void ItemList::ItemsOfDay(TimeBase::Stamp day, std::vector<Item*>& out) const
{
    for (const auto& item : m_items) {
        if (item->Day() == day)
            out.push_back(item.get());
    }
}

void ItemList::Clear()
{
    m_items.clear();
}

bool ItemList::Load(RecordStream& stream)
{
    // Read unsigned: a long-kept log of more than 32,767 items must not read back as empty.
    const int count = int(stream.ReadUInt16());
    if (!stream.Ok()) {
        Store::Log(Store::Warning, "List %d has no item count", m_kind);
        return false;
    }
    for (int i = 0; i < count; ++i) {
        std::unique_ptr<Item> item = Item::Create(m_kind, 0);
        if (!item)
            return false;
        if (!item->Load(stream)) {
            Store::Log(Store::Warning, "List %d holds %d of its %d items", m_kind, i, count);
            return false;
        }
        Append(std::move(item));
    }
    return true;
}

void ItemList::Save(RecordStream& stream) const
{
    stream.WriteInt16(Count());
    for (const auto& item : m_items)
        item->Save(stream);
}
