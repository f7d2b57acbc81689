#pragma once

#include "data/DatabaseFolders.h"
#include "data/FavoritesGroup.h"
#include "data/Food.h"

#include <QString>
#include <QStringList>

#include <memory>

class DayValueSource;
class ExerciseDatabase;
class FoodDatabase;
class FoodIndex;
class ItemGroup;
class ItemList;
class NameFinder;
class OwnCalories;
class OwnFoods;
class QuickEntries;
class ReferenceValues;
class TextIndex;
class UserProfile;
class UserSettings;

// The read-only reference databases the user's lists point into, opened from the reference
// folders. Without the exercise or foods database the program cannot run: CanRun is then
// false and StartupProblem says why, naming the file and the folder. Opening reads only the
// files' record lists; the foods index, the exercise groups and the help texts are read when
// first asked for, or by CanRun.
class ReferenceDatabases final
{
public:
    static constexpr const char16_t* kExercisesDatabaseName = u"- KLV Exercises Database";
    static constexpr const char16_t* kFoodsDatabaseName = u"- KLV Foods Database";
    static constexpr const char16_t* kTipsDatabaseName = u"- KLV Tips Database";
    static constexpr const char16_t* kTextDatabaseName = u"- KLV Text Database";

    // The favorites lists, profile, settings, quick entries, own calories and own foods are the
    // user's; they must outlive this.
    ReferenceDatabases(const DatabaseFolders& folders, const ItemList& favoriteExercises,
                       const ItemList& favoriteFoods, const UserProfile& profile,
                       UserSettings& settings, const QuickEntries& quick, const OwnCalories& own,
                       const OwnFoods& ownFoods);
    ~ReferenceDatabases();
    ReferenceDatabases(const ReferenceDatabases&) = delete;
    ReferenceDatabases& operator=(const ReferenceDatabases&) = delete;

    void Open();

    // What opening the files found wrong; empty does not yet promise a sound foods index.
    QString OpeningProblem() const { return m_startupProblem; }
    // Reads the foods index too, so these answer for the whole of start-up's check.
    bool CanRun() { return StartupProblem().isEmpty(); }
    QString StartupProblem();

    // Null when missing (text) or when start-up cannot go on.
    const ExerciseDatabase* Exercises() const { return m_exercises.get(); }
    FoodDatabase* Foods() { return m_foods.get(); }
    // The food a log item refers to: a quick entry, an own food or recipe, or a food of the foods
    // file; for an id that is none of these (or without the file), the placeholder "Unknown food"
    // with no figures.
    Food FoodAt(std::uint32_t id, FoodNames names = FoodNames::Read);
    const OwnCalories& Own() const { return m_own; }
    const OwnFoods& MyFoods() const { return m_ownFoods; }
    FoodIndex* Index();
    // Null when missing or when start-up cannot go on.
    const TextIndex* Texts() const;
    // The path a reference database is read from (the first search folder that has it).
    QString ReferencePath(const char16_t* databaseName) const;

    // The lookup pages' groups, "Favorites" at index 0.
    QStringList ExerciseGroupNamesWithFavorites() const;
    QStringList FoodGroupNamesWithFavorites();
    const ItemGroup* ExerciseGroupAt(int index) const;
    QStringList ExerciseNamesAt(int index) const;
    // Group 0 is the favorite foods whatever the subgroup; null where there is no such list.
    const ItemGroup* FoodListAt(int group, int subgroup);
    const FavoritesGroup& FavoriteExerciseGroup() const { return m_favoriteExerciseGroup; }
    const FavoritesGroup& FavoriteFoodGroup() const { return m_favoriteFoodGroup; }
    // The lookups' finders by name, built on first use; empty without their database.
    const NameFinder& FoodFinder();
    const NameFinder& ExerciseFinder();

    // The journal's tip of the day (see TipsDatabase::DailyTip).
    QString DailyTip();

    // The day summaries' values, for the user's profile; null when start-up cannot go on.
    const DayValueSource* Values() const;

private:
    void CannotRun(const QString& problem);
    QString FolderOf(const QString& path) const;

    DatabaseFolders m_folders;
    const UserProfile& m_profile;
    UserSettings& m_settings;
    const QuickEntries& m_quick;
    const OwnCalories& m_own;
    const OwnFoods& m_ownFoods;
    QString m_startupProblem;
    std::unique_ptr<ExerciseDatabase> m_exercises;
    std::unique_ptr<FoodDatabase> m_foods;
    std::unique_ptr<FoodIndex> m_foodIndex;
    bool m_indexRead = false;
    mutable std::unique_ptr<TextIndex> m_texts;
    mutable bool m_textsOpened = false;
    std::unique_ptr<ReferenceValues> m_values;
    std::unique_ptr<NameFinder> m_foodFinder;
    std::unique_ptr<NameFinder> m_exerciseFinder;
    FavoritesGroup m_favoriteExerciseGroup;
    FavoritesGroup m_favoriteFoodGroup;
};
