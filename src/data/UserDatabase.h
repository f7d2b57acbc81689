#pragma once

#include "data/DatabaseError.h"
#include "data/DatabaseFolders.h"
#include "data/FileLock.h"
#include "data/ItemList.h"
#include "data/OwnCalories.h"
#include "data/OwnFoods.h"
#include "data/PalmDatabaseFile.h"
#include "data/QuickEntries.h"
#include "data/ReferenceDatabases.h"
#include "data/UserProfile.h"
#include "data/UserSettings.h"

#include <QString>

#include <memory>

// The data store: user.pdb and everything the user entered, held in memory. Lists reach the
// file when SaveList is called (the edits' saver does, for the lists an edit changed) and the
// file reaches the disk on Commit or at destruction.
// A user.pdb that cannot be opened, locked or read is never written: the store then runs on
// defaults and Error() tells the caller why. A file whose records are damaged opens with what
// could be read whole, after a dated copy of it was kept (DamageNotice). The store also owns the
// reference databases the lists point into (References).
class UserDatabase final
{
public:
    static constexpr const char16_t* kUserDatabaseName = u"- KLV User Data";
    static constexpr int kProfileRecord = 0;
    static constexpr int kSettingsRecord = 8;
    // After every record the handheld knows, which it never reads.
    static constexpr int kQuickEntriesRecord = 9;
    static constexpr int kOwnCaloriesRecord = 10;
    // The user's own foods and recipes live in a file of their own, my_foods.pdb.
    static constexpr const char16_t* kOwnFoodsDatabaseName = u"- KLV My Foods";

    enum class OpenMode
    {
        ReadWrite, // the running program's store: holds the lock, creates and saves user.pdb
        // Reads user.pdb into memory once, without taking or waiting for the lock, and never
        // writes: for reading while the program runs (its saves replace the file whole).
        ReadCopy,
    };

    explicit UserDatabase(const DatabaseFolders& folders, OpenMode mode = OpenMode::ReadWrite);
    ~UserDatabase();
    UserDatabase(const UserDatabase&) = delete;
    UserDatabase& operator=(const UserDatabase&) = delete;

    // None when user.pdb was opened or created and changes are saved; Locked (another running
    // copy holds it), CannotOpen or Damaged (it exists but cannot be read), CannotCreate (the
    // folder takes no file) otherwise.
    DatabaseError Error() const { return m_error; }
    bool IsWritable() const
    {
        return m_error == DatabaseError::None && m_mode == OpenMode::ReadWrite;
    }
    // Why the store is not writable, naming the file; empty when it is.
    QString StateText() const { return m_stateText; }
    // For the user, when records of user.pdb were damaged: what was kept and where the file as
    // found was copied. Empty otherwise.
    QString DamageNotice() const { return m_damageNotice; }
    bool WasCreated() const { return m_created; }
    const DatabaseFolders& Folders() const { return m_folders; }
    QString UserFilePath() const;
    QString OwnFoodsPath() const;

    ReferenceDatabases& References() { return m_references; }
    const ReferenceDatabases& References() const { return m_references; }

    UserProfile& Profile() { return m_profile; }
    const UserProfile& Profile() const { return m_profile; }
    UserSettings& Settings() { return m_settings; }
    const UserSettings& Settings() const { return m_settings; }

    ItemList& List(ItemKind kind);
    const ItemList& List(ItemKind kind) const;
    ItemList& FitnessLog() { return m_fitnessLog; }
    ItemList& FoodLog() { return m_foodLog; }
    ItemList& Journal() { return m_journal; }
    ItemList& FavoriteExercises() { return m_favoriteExercises; }
    ItemList& FavoriteFoods() { return m_favoriteFoods; }
    ItemList& Weights() { return m_weights; }
    // What the food log's quick entries refer to; saved with the food log.
    QuickEntries& Quick() { return m_quick; }
    const QuickEntries& Quick() const { return m_quick; }
    // The user's own calories of logged exercises; saved with the fitness log.
    OwnCalories& Own() { return m_own; }
    const OwnCalories& Own() const { return m_own; }
    // The user's own foods and recipes, from my_foods.pdb; saved by Commit.
    OwnFoods& MyFoods() { return m_ownFoods; }
    const OwnFoods& MyFoods() const { return m_ownFoods; }
    // Why own foods cannot be saved (my_foods.pdb damaged, locked or not writable); empty when
    // they can.
    QString OwnFoodsProblem() const { return m_ownFoodsProblem; }

    static std::unique_ptr<Item> CreateItem(ItemKind kind, TimeBase::Stamp day);

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
    // rewrites the file if any record changed since the last commit, and my_foods.pdb likewise.
    // False when the store is not writable or a write failed (the previous file is then left as
    // it was).
    bool Commit();

private:
    QString ShownFolder() const; // the user's folder as messages name it
    void OpenUserFile();
    void OpenCopy();
    // Sets the error for what opening an existing user.pdb gave.
    void Opened(DatabaseError result);
    bool ReadUserRecords();
    void KeepDamagedCopy();
    // A dated copy of the file as found, beside it. `text` tells the user where it went (and is
    // logged), or why none could be kept (false).
    bool KeepCopyOf(const QString& path, QString& text) const;
    void OpenOwnFoods();
    bool CommitOwnFoods();
    // Taken when my_foods.pdb is first opened or made; false (and not writable) when another
    // holds it.
    bool LockOwnFoods();
    void SetError(DatabaseError error, const QString& text);
    template <class Self> static auto& ListOf(Self& self, ItemKind kind);

    DatabaseFolders m_folders;
    OpenMode m_mode;
    DatabaseError m_error = DatabaseError::None;
    QString m_stateText;
    QString m_damageNotice;
    bool m_created = false;
    std::unique_ptr<FileLock> m_lock;
    PalmDatabaseFile m_file;
    UserProfile m_profile;
    UserSettings m_settings;
    ItemList m_fitnessLog{FitnessKind};
    ItemList m_foodLog{FoodKind};
    ItemList m_journal{JournalKind};
    ItemList m_favoriteExercises{FavoriteExerciseKind};
    ItemList m_favoriteFoods{FavoriteFoodKind};
    ItemList m_weights{WeightKind};
    QuickEntries m_quick;
    OwnCalories m_own;
    OwnFoods m_ownFoods;
    std::unique_ptr<FileLock> m_ownFoodsLock;
    PalmDatabaseFile m_ownFoodsFile;
    bool m_ownFoodsWritable = false;
    QString m_ownFoodsProblem;
    ReferenceDatabases m_references;
};
