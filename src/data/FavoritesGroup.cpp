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

bool FavoritesGroup::Add(ItemList& list, std::uint32_t reference)
{
    for (int i = 0; i < list.Count(); ++i) {
        if (list.At(i)->Reference() == reference)
            return false;
    }
    std::unique_ptr<Item> item = Item::Create(list.Kind(), TimeBase::Today());
    if (!item)
        return false;
    item->SetReference(reference);
    return list.Append(std::move(item)) != nullptr;
}
