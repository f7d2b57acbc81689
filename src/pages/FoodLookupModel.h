#pragma once

#include "pages/LookupModel.h"

#include <memory>

class UserDatabase;

// The food lookup's groups: "Favorites", "My Foods" (the user's own foods and recipes), then the
// food groups, each with its subgroups, whose foods are the items. The last group chosen is
// remembered: a food group in the settings, as the handheld numbers them, and "My Foods" with
// the own foods.
class FoodLookupModel final : public LookupModel
{
public:
    static constexpr int kMyFoodsGroup = 1;

    FoodLookupModel(UserDatabase& store, bool favoritesOnly);
    ~FoodLookupModel() override;

protected:
    const ItemGroup* ItemsOf(int group, int subgroup) override;
    QStringList SubgroupNames(int group) const override;
    void RememberGroup(int group) override;
    std::vector<NameFinder::Match> FindNames(const QString& typed, int limit) override;

private:
    class OwnGroup;

    UserDatabase& m_store;
    std::unique_ptr<OwnGroup> m_own;
    NameFinder m_ownFinder;
};
