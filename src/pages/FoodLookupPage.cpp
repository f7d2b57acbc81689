#include "pages/FoodLookupPage.h"

#include "data/UserDatabase.h"
#include "pages/FoodDetailsPage.h"
#include "pages/FoodLookupModel.h"
#include "vocabulary/PageHost.h"

FoodLookupPage::FoodLookupPage(Session& session, bool lookupOnly, bool favoritesOnly)
    : LookupPage(
          session, QStringLiteral("food.lookup"), QStringLiteral("food"),
          {QStringLiteral("Food group"), QStringLiteral("Food subgroup"), QStringLiteral("Foods")},
          lookupOnly, favoritesOnly)
{
}

std::unique_ptr<LookupModel> FoodLookupPage::MakeModel(UserDatabase& store, bool favoritesOnly)
{
    return std::make_unique<FoodLookupModel>(store, favoritesOnly);
}

ItemList& FoodLookupPage::Favorites(UserDatabase& store)
{
    return store.FavoriteFoods();
}

QString FoodLookupPage::ShowDetails(std::uint32_t record)
{
    FoodDetailsPage details(GetSession(), record);
    Host()->RunSubPage(&details);
    return details.ResultText();
}
