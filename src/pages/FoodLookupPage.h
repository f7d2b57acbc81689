#pragma once

#include "pages/LookupPage.h"

// Picks a food: "Favorites", "My Foods" or a food group, a subgroup, then the food. Its menu
// makes, changes and deletes the user's own foods and recipes.
class FoodLookupPage final : public LookupPage
{
public:
    FoodLookupPage(Session& session, bool lookupOnly, bool favoritesOnly);

    void Attach(PageHost& host) override;
    int OnEvent(const QString& name, QWidget* sender) override;

protected:
    std::unique_ptr<LookupModel> MakeModel(UserDatabase& store, bool favoritesOnly) override;
    ItemList& Favorites(UserDatabase& store) override;
    QString ShowDetails(std::uint32_t record) override;

private:
    // The selected own food, or none after telling the user to choose one.
    std::optional<std::uint32_t> SelectedOwnFood(const QString& caption);
    // A new food or recipe when `id` is none.
    void EditOwnFood(std::optional<std::uint32_t> id, bool recipe);
    void DeleteOwnFood();
};
