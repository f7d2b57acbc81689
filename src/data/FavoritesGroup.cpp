#include "data/FavoritesGroup.h"

#include "data/ItemList.h"

std::uint32_t FavoritesGroup::RecordAt(int index) const
{
    return index >= 0 && index < m_list.Count() ? m_list.At(index)->Reference() : 0;
}

int FavoritesGroup::Count() const
{
    return m_list.Count();
}

QString FavoritesGroup::NameAt(int index) const
{
    if (index < 0 || index >= m_list.Count())
        return QString();
    return m_names ? m_names(RecordAt(index)) : QString();
}

QStringList FavoritesGroup::WithFavorites(QStringList groupNames)
{
    groupNames.prepend(QStringLiteral("Favorites"));
    return groupNames;
}

std::unique_ptr<Item> FavoritesGroup::NewFavorite(const ItemList& list, std::uint32_t reference)
{
    for (int i = 0; i < list.Count(); ++i) {
        if (list.At(i)->Reference() == reference)
            return nullptr;
    }
    std::unique_ptr<Item> item = Item::Create(list.Kind(), TimeBase::Today());
    if (item)
        item->SetReference(reference);
    return item;
}

bool FavoritesGroup::Add(ItemList& list, std::uint32_t reference)
{
    std::unique_ptr<Item> item = NewFavorite(list, reference);
    return item && list.Append(std::move(item)) != nullptr;
}
