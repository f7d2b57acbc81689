// The user database opened from any file, saved and opened again: the first open invents no
// items the file cannot hold, the second reads back exactly what the first saved, and saving it
// again changes no record.
#include "FuzzSupport.h"

#include "data/DatabaseFolders.h"
#include "data/PalmDatabaseFile.h"
#include "data/UserDatabase.h"

#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kLastRecord = UserDatabase::kSettingsRecord;
constexpr ItemKind kListKinds[] = {FitnessKind,          FoodKind,         JournalKind,
                                   FavoriteExerciseKind, FavoriteFoodKind, WeightKind};

// The fewest bytes an item of a kind is stored in (texts take at least their terminator).
int SmallestItem(ItemKind kind)
{
    switch (kind) {
    case FitnessKind:
        return 10;
    case FoodKind:
        return 12;
    case JournalKind:
        return 11;
    case WeightKind:
        return 12;
    default:
        return 8;
    }
}

// What each list record of the input can hold at most.
std::vector<int> Capacities(const QString& path)
{
    std::vector<int> capacities(kLastRecord + 1, 0);
    PalmDatabaseFile file;
    if (file.OpenCopy(path) == DatabaseError::None) {
        for (ItemKind kind : kListKinds)
            capacities[size_t(kind)] =
                std::max(0, file.RecordLength(kind) - 2) / SmallestItem(kind);
    }
    return capacities;
}

// Opens the store, saves everything it holds and closes it; false when it would not write.
bool OpenAndSave(const DatabaseFolders& folders, const std::vector<int>* capacities = nullptr)
{
    UserDatabase store(folders);
    if (capacities) {
        for (ItemKind kind : kListKinds)
            Fuzz::Require(store.List(kind).Count() <= (*capacities)[size_t(kind)],
                          "no more items than the record holds");
    }
    if (!store.IsWritable())
        return false;
    store.Profile().SetChanged();
    for (ItemKind kind : kListKinds)
        store.SaveList(store.List(kind));
    Fuzz::Require(store.Commit(), "a writable store commits");
    return true;
}

std::vector<QByteArray> Records(const QString& path)
{
    PalmDatabaseFile file; // read whole, in one call
    Fuzz::Require(file.OpenCopy(path) == DatabaseError::None, "a saved user.pdb opens");
    std::vector<QByteArray> records;
    for (int i = 0; i <= kLastRecord; ++i)
        records.push_back(file.ReadRecord(i).value_or(QByteArray("missing")));
    return records;
}

// What the last run left (the file, its backup, kept copies, the lock) goes. The store makes no
// folders here; plain calls, since QDir's walk was a tenth of the run.
void EmptyFolder(const QDir& folder)
{
    const QByteArray path = QFile::encodeName(folder.path());
    DIR* dir = opendir(path.constData());
    Fuzz::Require(dir != nullptr, "the store's folder can be listed");
    while (const dirent* entry = readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
            Fuzz::Require(unlinkat(dirfd(dir), entry->d_name, 0) == 0, "a file left is removed");
    }
    closedir(dir);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QDir folder = [] {
        QDir made(Fuzz::Folder().filePath(QStringLiteral("store")));
        made.mkpath(QStringLiteral("."));
        return made;
    }();
    EmptyFolder(folder);
    // No reference databases: the user's file is what is read here.
    const DatabaseFolders folders{folder.path(), {folder.path()}};
    const QString path = folder.filePath(QStringLiteral("user.pdb"));
    Fuzz::WriteInput(data, size, QStringLiteral("store/user.pdb"));

    const std::vector<int> capacities = Capacities(path);
    if (!OpenAndSave(folders, &capacities))
        return 0;
    const std::vector<QByteArray> first = Records(path);
    Fuzz::Require(OpenAndSave(folders), "a saved user.pdb opens for change");
    Fuzz::Require(Records(path) == first, "a saved user.pdb reads back as saved");
    return 0;
}
