#include "pages/ExerciseLookupModel.h"

#include "data/UserDatabase.h"

ExerciseLookupModel::ExerciseLookupModel(UserDatabase& store, bool favoritesOnly)
    : LookupModel(1, store.References().ExerciseGroupNamesWithFavorites(), favoritesOnly,
                  store.Settings().LastExerciseGroup()),
      m_store(store)
{
}

const ItemGroup* ExerciseLookupModel::ItemsOf(int group, int)
{
    return m_store.References().ExerciseGroupAt(group);
}

void ExerciseLookupModel::RememberGroup(int group)
{
    m_store.Settings().SetLastExerciseGroup(group);
}
