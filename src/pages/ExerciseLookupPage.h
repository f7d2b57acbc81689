#pragma once

#include "pages/LookupPage.h"

// Picks an exercise: "Favorites" or an exercise group, then the exercise.
class ExerciseLookupPage final : public LookupPage
{
public:
    ExerciseLookupPage(Session& session, bool lookupOnly, bool favoritesOnly);

protected:
    std::unique_ptr<LookupModel> MakeModel(UserDatabase& store, bool favoritesOnly) override;
    ItemList& Favorites(UserDatabase& store) override;
    QString ShowDetails(std::uint32_t record) override;
};
