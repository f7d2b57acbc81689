#pragma once

#include "data/DatabaseFolders.h"
#include "data/FavoritesGroup.h"
#include "data/ItemList.h"
#include "data/PalmDatabaseFile.h"
#include "data/UserSettings.h"
#include "fitness/UserProfile.h"

#include <QLockFile>
#include <QString>

#include <memory>

class DayValueSource;
class ExerciseDatabase;
class FoodDatabase;
class FoodIndex;
class ReferenceValues;
class TextIndex;

// The data store: user.pdb and everything the user entered, held in memory. Lists reach the
// file when their page saves them and the file reaches the disk on Commit or at destruction.
// A user.pdb that cannot be opened, locked or read is never written: the store then runs on
// defaults and State() tells the caller why. The store also opens the read-only reference
// databases; without the exercise or foods database the program cannot run (CanRun).
class UserDatabase final
{
public:
    enum State
    {
        Ready,       // opened or created; changes are saved
        Locked,      // another running copy holds user.pdb
        Unreadable,  // user.pdb exists but cannot be opened or is damaged
        NotWritable, // the folder does not let us create user.pdb
    };

    static constexpr const char16_t* kUserDatabaseName = u"- KLV User Data";
    static constexpr const char16_t* kExercisesDatabaseName = u"- KLV Exercises Database";
    static constexpr const char16_t* kFoodsDatabaseName = u"- KLV Foods Database";
    static constexpr const char16_t* kTipsDatabaseName = u"- KLV Tips Database";
    static constexpr const char16_t* kTextDatabaseName = u"- KLV Text Database";
    static constexpr int kProfileRecord = 0;
    static constexpr int kSettingsRecord = 8;

    explicit UserDatabase(const DatabaseFolders& folders);
    ~UserDatabase();
    UserDatabase(const UserDatabase&) = delete;
    UserDatabase& operator=(const UserDatabase&) = delete;

    // The one store of the running program; null while there is none.
    static UserDatabase* Instance();

    State StoreState() const { return m_state; }
    bool IsWritable() const { return m_state == Ready; }
    // Why the store is not writable, naming the file; empty when it is.
    QString StateText() const { return m_stateText; }
    bool WasCreated() const { return m_created; }
    const DatabaseFolders& Folders() const { return m_folders; }
    QString UserFilePath() const;

    // False when a reference database the program needs is missing or unreadable; start-up
    // must then end, showing StartupProblem (which names the file and the folder).
    bool CanRun() const { return m_startupProblem.isEmpty(); }
    QString StartupProblem() const { return m_startupProblem; }

    // The reference databases; null when missing (text) or when start-up cannot go on.
    const ExerciseDatabase* Exercises() const { return m_exercises.get(); }
    FoodDatabase* Foods() { return m_foods.get(); }
    FoodIndex* Index() { return m_foodIndex.get(); }
    const TextIndex* Texts() const { return m_texts.get(); }
    // The path a reference database is read from (the first search folder that has it).
    QString ReferencePath(const char16_t* databaseName) const;

    // The lookup pages' groups, "Favorites" at index 0.
    QStringList ExerciseGroupNamesWithFavorites() const;
    QStringList FoodGroupNamesWithFavorites() const;
    const ItemGroup* ExerciseGroupAt(int index) const;
    QStringList ExerciseNamesAt(int index) const;
    // Group 0 is the favorite foods whatever the subgroup; null where there is no such list.
    const ItemGroup* FoodListAt(int group, int subgroup);
    const FavoritesGroup& FavoriteExerciseGroup() const { return m_favoriteExerciseGroup; }
    const FavoritesGroup& FavoriteFoodGroup() const { return m_favoriteFoodGroup; }

    // The journal's tip of the day (see TipsDatabase::DailyTip).
    QString DailyTip();

    UserProfile& Profile() { return m_profile; }
    const UserProfile& Profile() const { return m_profile; }
    UserSettings& Settings() { return m_settings; }
    const UserSettings& Settings() const { return m_settings; }

    ItemList& List(int kind);
    ItemList& FitnessLog() { return m_fitnessLog; }
    ItemList& FoodLog() { return m_foodLog; }
    ItemList& Journal() { return m_journal; }
    ItemList& FavoriteExercises() { return m_favoriteExercises; }
    ItemList& FavoriteFoods() { return m_favoriteFoods; }
    ItemList& Weights() { return m_weights; }

    static std::unique_ptr<Item> CreateItem(int kind, TimeBase::Stamp day);

    void SaveProfile();
    void SaveSettings();
    void SaveList(const ItemList& list);
    void SaveFitnessLog() { SaveList(m_fitnessLog); }
    void SaveFoodLog() { SaveList(m_foodLog); }
    void SaveJournal() { SaveList(m_journal); }
    void SaveFavorites()
    {
        SaveList(m_favoriteExercises);
        SaveList(m_favoriteFoods);
    }
    void SaveWeights() { SaveList(m_weights); }

    // Brings user.pdb on disk up to date: writes the settings and profile if they changed and
    // rewrites the file if any record changed since the last commit. False when the store is
    // not writable or the write failed (the previous file is then left as it was).
    bool Commit();

    // Fills target with one summary per day of the logs: days in order of first appearance,
    // fitness log first. Without a source the values are 0.
    void BuildDaySummaries(ItemList& target, const DayValueSource* values) const;
    void BuildDaySummaries(ItemList& target) const { BuildDaySummaries(target, m_values); }
    void SetDayValueSource(const DayValueSource* values) { m_values = values; }
    // What a log item is worth (calories, nutrients); null without the reference databases.
    const DayValueSource* DayValues() const { return m_values; }

    static void Log(int severity, const char* format, ...) Q_ATTRIBUTE_FORMAT_PRINTF(2, 3);

private:
    void OpenUserFile();
    void OpenReferenceDatabases();
    void CannotRun(const QString& problem);
    void ReadUserRecords();
    void SetState(State state, const QString& text);

    DatabaseFolders m_folders;
    State m_state = Ready;
    QString m_stateText;
    bool m_created = false;
    std::unique_ptr<QLockFile> m_lock;
    PalmDatabaseFile m_file;
    UserProfile m_profile;
    UserSettings m_settings;
    ItemList m_fitnessLog{FitnessKind};
    ItemList m_foodLog{FoodKind};
    ItemList m_journal{JournalKind};
    ItemList m_favoriteExercises{FavoriteExerciseKind};
    ItemList m_favoriteFoods{FavoriteFoodKind};
    ItemList m_weights{WeightKind};
    const DayValueSource* m_values = nullptr;

    QString m_startupProblem;
    std::unique_ptr<ExerciseDatabase> m_exercises;
    std::unique_ptr<FoodDatabase> m_foods;
    std::unique_ptr<FoodIndex> m_foodIndex;
    std::unique_ptr<TextIndex> m_texts;
    std::unique_ptr<ReferenceValues> m_referenceValues;
    FavoritesGroup m_favoriteExerciseGroup;
    FavoritesGroup m_favoriteFoodGroup;
};
