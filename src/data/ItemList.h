#pragma once

#include "data/Item.h"

#include <QByteArray>

#include <memory>
#include <vector>

class RecordStream;

// The items of one kind, in order; owns them. Uids come from a counter that starts at 0 every
// run, so a uid is only meaningful while the program runs.
class ItemList final
{
public:
    // Counts are stored in 16 bits; past this a list cannot be written back.
    static constexpr int kMaxItems = 65535;

    explicit ItemList(ItemKind kind) : m_kind(kind) {}

    ItemKind Kind() const { return m_kind; }
    int Count() const { return int(Items().size()); }
    Item* At(int index) const { return Items()[size_t(index)].get(); }
    template <class T> T* ItemAt(int index) const { return static_cast<T*>(At(index)); }

    // Gives the item the next uid and takes it; null (and a diagnostic) when the list is full.
    Item* Append(std::unique_ptr<Item> item);
    std::unique_ptr<Item> RemoveByUid(std::int32_t uid);
    Item* FindByUid(std::int32_t uid) const;
    // -1 when no item has the uid.
    int IndexOfUid(std::int32_t uid) const;
    // Takes the item out, uid and all, for Restore to put back.
    std::unique_ptr<Item> TakeAt(int index);
    // Puts back at `index` an item TakeAt took from this list, keeping its uid.
    Item* Restore(int index, std::unique_ptr<Item> item);
    void ItemsOfDay(TimeBase::Stamp day, std::vector<Item*>& out) const;
    void Clear();

    // Appends the record's items. A record that ends inside an item keeps the whole items
    // before it, logs the damage and returns false: the stored count is never trusted.
    bool Load(RecordStream& stream);
    // Keeps the record of an empty list to be loaded when its items are first asked for, so a
    // start decodes no log the home screen does not show. Only a record that loads whole is
    // taken; false, and nothing taken, otherwise: Load it now, to keep what is whole.
    bool LoadLater(const QByteArray& record);
    void Save(RecordStream& stream) const;

private:
    using Items_ = std::vector<std::unique_ptr<Item>>;
    // Every use of the items goes through these, which load a kept record first.
    const Items_& Items() const
    {
        if (!m_later.isNull())
            LoadKept();
        return m_items;
    }
    Items_& Items()
    {
        if (!m_later.isNull())
            LoadKept();
        return m_items;
    }
    void LoadKept() const;

    ItemKind m_kind;
    std::int32_t m_nextUid = 0;
    Items_ m_items;
    QByteArray m_later; // a record LoadLater took, not loaded yet
};
