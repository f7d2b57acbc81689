#pragma once

#include "pages/LookupPage.h"

// Picks a food: "Favorites" or a food group, a subgroup, then the food.
class FoodLookupPage final : public LookupPage
{
public:
    FoodLookupPage(Session& session, bool lookupOnly, bool favoritesOnly);

protected:
    std::unique_ptr<LookupModel> MakeModel(UserDatabase& store, bool favoritesOnly) override;
    ItemList& Favorites(UserDatabase& store) override;
    QString ShowDetails(std::uint32_t record) override;
};
