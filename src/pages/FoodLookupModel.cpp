#include "pages/FoodLookupModel.h"

#include "data/FoodIndex.h"
#include "data/ItemGroup.h"
#include "data/ReferenceDatabases.h"
#include "data/UserDatabase.h"

namespace {

const QString kMyFoods = QStringLiteral("My Foods");

QStringList GroupNames(UserDatabase& store)
{
    QStringList names = store.References().FoodGroupNamesWithFavorites();
    names.insert(FoodLookupModel::kMyFoodsGroup, kMyFoods);
    return names;
}

int Remembered(UserDatabase& store)
{
    if (store.MyFoods().LookupShowsMine())
        return FoodLookupModel::kMyFoodsGroup;
    // Another group than the settings could name opens the first food group.
    const int group = store.Settings().LastFoodGroup();
    const int known = int(store.References().FoodGroupNamesWithFavorites().size());
    if (group < 0 || group >= known)
        return known > 1 ? FoodLookupModel::kMyFoodsGroup + 1 : 0;
    return group >= FoodLookupModel::kMyFoodsGroup ? group + 1 : group;
}

} // namespace

// The own foods by name, as they were when the list was last read.
class FoodLookupModel::OwnGroup final : public ItemGroup
{
public:
    explicit OwnGroup(std::vector<std::pair<std::uint32_t, QString>> foods)
        : m_foods(std::move(foods))
    {
    }
    std::uint32_t RecordAt(int index) const override
    {
        return index >= 0 && index < Count() ? m_foods[size_t(index)].first : 0;
    }
    int Count() const override { return int(m_foods.size()); }
    QString NameAt(int index) const override
    {
        return index >= 0 && index < Count() ? m_foods[size_t(index)].second : QString();
    }
    QString Title() const override { return kMyFoods; }

private:
    std::vector<std::pair<std::uint32_t, QString>> m_foods;
};

FoodLookupModel::FoodLookupModel(UserDatabase& store, bool favoritesOnly)
    : LookupModel(2, GroupNames(store), favoritesOnly, Remembered(store)), m_store(store)
{
}

FoodLookupModel::~FoodLookupModel() = default;

const ItemGroup* FoodLookupModel::ItemsOf(int group, int subgroup)
{
    if (group == kMyFoodsGroup) {
        m_own = std::make_unique<OwnGroup>(m_store.MyFoods().Shown());
        return m_own.get();
    }
    return m_store.References().FoodListAt(group > kMyFoodsGroup ? group - 1 : group, subgroup);
}

QStringList FoodLookupModel::SubgroupNames(int group) const
{
    const FoodIndex* index = m_store.References().Index();
    return index && group > kMyFoodsGroup ? index->SubgroupNames(group - 2) : QStringList();
}

void FoodLookupModel::RememberGroup(int group)
{
    m_store.MyFoods().SetLookupShowsMine(group == kMyFoodsGroup);
    if (group != kMyFoodsGroup)
        m_store.Settings().SetLastFoodGroup(group > kMyFoodsGroup ? group - 1 : group);
}

std::vector<NameFinder::Match> FoodLookupModel::FindNames(const QString& typed, int limit)
{
    ReferenceDatabases& references = m_store.References();
    // The user's own foods first: they are what the user logs most.
    m_ownFinder = NameFinder::ForNames(m_store.MyFoods().Shown(), kMyFoods);
    std::vector<NameFinder::Match> found =
        m_ownFinder.Find(typed, &references.FavoriteFoodGroup(), limit);
    const int left = limit > 0 ? limit - int(found.size()) : 0;
    if (limit <= 0 || left > 0) {
        const std::vector<NameFinder::Match> more =
            references.FoodFinder().Find(typed, &references.FavoriteFoodGroup(), left);
        found.insert(found.end(), more.begin(), more.end());
    }
    return found;
}
