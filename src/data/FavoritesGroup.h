#pragma once

#include "data/ItemGroup.h"

#include <QStringList>

#include <functional>
#include <memory>

class Item;
class ItemList;

// A favorites list (exercises or foods) seen as an item group: each entry's reference and the
// name the reference database gives it. The group's own title is empty.
class FavoritesGroup final : public ItemGroup
{
public:
    using NameSource = std::function<QString(std::uint32_t reference)>;

    FavoritesGroup(const ItemList& list, NameSource names) : m_list(list), m_names(std::move(names))
    {
    }

    std::uint32_t RecordAt(int index) const override;
    int Count() const override;
    QString NameAt(int index) const override;
    QString Title() const override { return QString(); }

    // "Favorites" in front of a reference database's group names: index 0 is this group.
    static QStringList WithFavorites(QStringList groupNames);
    // A new favorite of the list's kind for the reference, added today; null when the list
    // already has one for it.
    static std::unique_ptr<Item> NewFavorite(const ItemList& list, std::uint32_t reference);
    // Adds a favorite for the reference unless the list already has one; true when added.
    static bool Add(ItemList& list, std::uint32_t reference);

private:
    const ItemList& m_list;
    NameSource m_names;
};
