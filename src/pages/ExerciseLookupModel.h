#pragma once

#include "pages/LookupModel.h"

class UserDatabase;

// The exercise lookup's one level: "Favorites", then the exercise groups, whose exercises are
// the items. The last group chosen is remembered in the settings.
class ExerciseLookupModel final : public LookupModel
{
public:
    ExerciseLookupModel(UserDatabase& store, bool favoritesOnly);

protected:
    const ItemGroup* ItemsOf(int group, int subgroup) override;
    QStringList SubgroupNames(int) const override { return {}; }
    void RememberGroup(int group) override;

private:
    UserDatabase& m_store;
};
