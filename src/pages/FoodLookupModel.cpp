#include "pages/FoodLookupModel.h"

#include "data/FoodIndex.h"
#include "data/UserDatabase.h"

FoodLookupModel::FoodLookupModel(UserDatabase& store, bool favoritesOnly)
    : LookupModel(2, store.References().FoodGroupNamesWithFavorites(), favoritesOnly,
                  store.Settings().LastFoodGroup()),
      m_store(store)
{
}

const ItemGroup* FoodLookupModel::ItemsOf(int group, int subgroup)
{
    return m_store.References().FoodListAt(group, subgroup);
}

QStringList FoodLookupModel::SubgroupNames(int group) const
{
    const FoodIndex* index = m_store.References().Index();
    return index && group > 0 ? index->SubgroupNames(group - 1) : QStringList();
}

void FoodLookupModel::RememberGroup(int group)
{
    m_store.Settings().SetLastFoodGroup(group);
}
