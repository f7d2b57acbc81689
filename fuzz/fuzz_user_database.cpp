// The user database opened from any file, saved and opened again: whatever the first open made
// of the file, the second open reads back exactly, and saving it again changes no record.
#include "FuzzSupport.h"

#include "data/DatabaseFolders.h"
#include "data/PalmDatabaseFile.h"
#include "data/UserDatabase.h"

#include <vector>

namespace {

constexpr int kLastRecord = UserDatabase::kSettingsRecord;

// Opens the store, saves everything it holds and closes it; false when it would not write.
bool OpenAndSave(const DatabaseFolders& folders)
{
    UserDatabase store(folders);
    if (!store.IsWritable())
        return false;
    store.Profile().SetChanged();
    for (int kind :
         {FitnessKind, FoodKind, JournalKind, FavoriteExerciseKind, FavoriteFoodKind, WeightKind})
        store.SaveList(store.List(kind));
    Fuzz::Require(store.Commit(), "a writable store commits");
    return true;
}

std::vector<QByteArray> Records(const QString& path)
{
    PalmDatabaseFile file;
    Fuzz::Require(file.Open(path, false) == PalmDatabaseFile::Ok, "a saved user.pdb opens");
    std::vector<QByteArray> records;
    for (int i = 0; i <= kLastRecord; ++i)
        records.push_back(file.ReadRecord(i).value_or(QByteArray("missing")));
    return records;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QDir folder(Fuzz::Folder().filePath(QStringLiteral("store")));
    folder.removeRecursively();
    folder.mkpath(QStringLiteral("."));
    // No reference databases: the user's file is what is read here.
    const DatabaseFolders folders{folder.path(), {folder.path()}};
    const QString path = folder.filePath(QStringLiteral("user.pdb"));
    Fuzz::WriteInput(data, size, QStringLiteral("store/user.pdb"));

    if (!OpenAndSave(folders))
        return 0;
    const std::vector<QByteArray> first = Records(path);
    Fuzz::Require(OpenAndSave(folders), "a saved user.pdb opens for change");
    Fuzz::Require(Records(path) == first, "a saved user.pdb reads back as saved");
    return 0;
}
