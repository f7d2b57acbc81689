#include "data/ItemList.h"

#include "data/Log.h"
#include "data/RecordStream.h"

#include <algorithm>
#include <utility>

Item* ItemList::Append(std::unique_ptr<Item> item)
{
    if (!item)
        return nullptr;
    if (Count() >= kMaxItems) {
        Store::Log(Store::Error, "List %d is full (%d items); item not added", m_kind, kMaxItems);
        return nullptr;
    }
    item->SetUid(m_nextUid++);
    m_items.push_back(std::move(item)); // Count() loaded what was kept
    return m_items.back().get();
}

std::unique_ptr<Item> ItemList::RemoveByUid(std::int32_t uid)
{
    Items_& items = Items();
    for (auto it = items.begin(); it != items.end(); ++it) {
        if ((*it)->Uid() == uid) {
            std::unique_ptr<Item> removed = std::move(*it);
            items.erase(it);
            return removed;
        }
    }
    Store::Log(Store::Error, "Item uid %d not found for deletion", uid);
    return nullptr;
}

Item* ItemList::FindByUid(std::int32_t uid) const
{
    for (const auto& item : Items()) {
        if (item->Uid() == uid)
            return item.get();
    }
    return nullptr;
}

int ItemList::IndexOfUid(std::int32_t uid) const
{
    const Items_& items = Items();
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i]->Uid() == uid)
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
    const int clamped = std::clamp(index, 0, Count());
    return m_items.insert(m_items.begin() + clamped, std::move(item))->get();
}

void ItemList::ItemsOfDay(TimeBase::Stamp day, std::vector<Item*>& out) const
{
    for (const auto& item : Items()) {
        if (item->Day() == day)
            out.push_back(item.get());
    }
}

void ItemList::Clear()
{
    m_later.clear();
    m_items.clear();
}

bool ItemList::Load(RecordStream& stream)
{
    Items(); // after what is already there
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

bool ItemList::LoadLater(const QByteArray& record)
{
    if (!m_later.isNull() || !m_items.empty())
        return false;
    std::unique_ptr<Item> scratch = Item::Create(m_kind, 0);
    if (!scratch)
        return false;
    RecordStream stream(record);
    const qint64 count = stream.ReadUInt16();
    if (m_kind == JournalKind) {
        // Entries carry texts of their own lengths: each is read into one, texts undecoded.
        stream.SetSkimming(true);
        for (qint64 i = 0; i < count && stream.Ok(); ++i)
            scratch->Load(stream);
    } else {
        // Items of one size: the record's length says whether it holds them all.
        RecordStream sized{QByteArray()};
        scratch->Save(sized);
        stream.Skip(int(count * sized.Length())); // 65,535 items of a few bytes each
    }
    if (!stream.Ok())
        return false;
    m_later = record;
    return true;
}

void ItemList::LoadKept() const
{
    RecordStream stream(std::exchange(const_cast<ItemList*>(this)->m_later, QByteArray()));
    const_cast<ItemList*>(this)->Load(stream); // whole: LoadLater saw to that
}

void ItemList::Save(RecordStream& stream) const
{
    stream.WriteInt16(Count());
    for (const auto& item : Items())
        item->Save(stream);
}
