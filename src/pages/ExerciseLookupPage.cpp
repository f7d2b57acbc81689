#include "pages/ExerciseLookupPage.h"

#include "data/UserDatabase.h"
#include "pages/ExerciseDetailsPage.h"
#include "pages/ExerciseLookupModel.h"
#include "vocabulary/PageHost.h"

ExerciseLookupPage::ExerciseLookupPage(Session& session, bool lookupOnly, bool favoritesOnly)
    : LookupPage(session, QStringLiteral("fitness.lookup"), QStringLiteral("fitness"),
                 {QStringLiteral("Exercise group"), QStringLiteral("Exercises")}, lookupOnly,
                 favoritesOnly)
{
}

std::unique_ptr<LookupModel> ExerciseLookupPage::MakeModel(UserDatabase& store, bool favoritesOnly)
{
    return std::make_unique<ExerciseLookupModel>(store, favoritesOnly);
}

ItemList& ExerciseLookupPage::Favorites(UserDatabase& store)
{
    return store.FavoriteExercises();
}

QString ExerciseLookupPage::ShowDetails(std::uint32_t record)
{
    ExerciseDetailsPage details(GetSession(), record);
    Host()->RunSubPage(&details);
    return details.ResultText();
}
