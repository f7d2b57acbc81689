#pragma once

#include "pages/LookupModel.h"

class UserDatabase;

// The food lookup's groups: "Favorites", then the food groups, each with its subgroups, whose
// foods are the items. The last group chosen is remembered in the settings.
class FoodLookupModel final : public LookupModel
{
public:
    FoodLookupModel(UserDatabase& store, bool favoritesOnly);

protected:
    const ItemGroup* ItemsOf(int group, int subgroup) override;
    QStringList SubgroupNames(int group) const override;
    void RememberGroup(int group) override;

private:
    UserDatabase& m_store;
};
