#include "CommitState.h"

#include "commands/AddItemCommand.h"
#include "commands/ChangeProfileCommand.h"
#include "commands/RemoveItemsCommand.h"
#include "commands/UserEdits.h"
#include "data/DatabaseFolders.h"
#include "data/FoodItem.h"
#include "data/JournalItem.h"
#include "data/PalmDatabaseFile.h"
#include "data/UserDatabase.h"
#include "data/WeightItem.h"

#include <QTemporaryDir>

namespace CommitState {

namespace {

const QString kNamePrefix = QStringLiteral("commit ");
constexpr TimeBase::Stamp kFirstDay = 3'900'000'000u;
constexpr TimeBase::Stamp kDay = 86400;

int SequenceOfName(const QString& name)
{
    if (name.isEmpty())
        return 0;
    bool ok = false;
    const int sequence =
        name.startsWith(kNamePrefix) ? name.mid(kNamePrefix.size()).toInt(&ok) : -1;
    return ok ? sequence : -1;
}

constexpr ItemKind kLists[] = {FitnessKind,          FoodKind,         JournalKind,
                               FavoriteExerciseKind, FavoriteFoodKind, WeightKind};

template <class T>
T* Add(std::vector<std::unique_ptr<Item>>& items, ItemKind kind, TimeBase::Stamp day)
{
    items.push_back(UserDatabase::CreateItem(kind, day));
    return static_cast<T*>(items.back().get());
}

UserProfile ProfileOf(int sequence, UserProfile profile)
{
    profile.SetUserName(kNamePrefix + QString::number(sequence));
    profile.SetAge(20 + sequence % 60);
    profile.SetHeightFromDisplay(150.0f + float(sequence % 50), true);
    profile.SetStartWeight(90.0f, true);
    profile.SetGoalWeight(70.0f + float(sequence % 10), true);
    profile.SetStartDate(kFirstDay);
    profile.SetGoalDate(kFirstDay + 60 * kDay);
    profile.SetActivityLevel(sequence % 4);
    profile.SetFoodTracking(0);
    profile.SetLaunchCount(sequence % 30000);
    profile.SetFlags(0);
    profile.SetBlogName(QStringLiteral("blog"));
    profile.SetBlogEmail(QStringLiteral("someone@example.org"));
    profile.SetBlogPassword(QStringLiteral("secret %1").arg(sequence));
    return profile;
}

// Lists that grow and shrink, so that the file changes its length from commit to commit.
std::vector<std::unique_ptr<Item>> ItemsOf(int sequence)
{
    std::vector<std::unique_ptr<Item>> items;
    for (int i = 0; i < sequence % 13; ++i)
        Add<WeightItem>(items, WeightKind, kFirstDay + TimeBase::Stamp(i) * kDay)
            ->SetKilograms(80.0f - float(i) / 4);
    for (int i = 0; i < sequence % 7; ++i) {
        auto* food = Add<FoodItem>(items, FoodKind, kFirstDay + TimeBase::Stamp(sequence) * kDay);
        food->SetFoodId(std::uint32_t(sequence * 31 + i));
        food->SetQuantityIndex(i);
    }
    auto* entry = Add<JournalItem>(items, JournalKind, kFirstDay);
    entry->SetSubject(QStringLiteral("Day %1").arg(sequence));
    entry->SetBody(QString(sequence * 37 % 3000, QLatin1Char('x')));
    return items;
}

} // namespace

void Apply(UserDatabase& store, int sequence)
{
    store.Profile() = ProfileOf(sequence, store.Profile());
    store.SaveProfile();
    store.Settings().SetTipCounter(sequence % 1000);
    store.SaveSettings();
    for (ItemKind kind : kLists)
        store.List(kind).Clear();
    for (std::unique_ptr<Item>& item : ItemsOf(sequence))
        store.List(item->Kind()).Append(std::move(item));
    for (ItemKind kind : kLists)
        store.SaveList(store.List(kind));
}

void ApplyByEdits(UserEdits& edits, int sequence)
{
    UserDatabase& store = edits.Store();
    // The bookkeeping as the program keeps it, off the stack; the rest as the user's edits.
    store.Profile().SetLaunchCount(sequence % 30000);
    store.Settings().SetTipCounter(sequence % 1000);
    edits.Stack().beginMacro(QStringLiteral("Commit %1").arg(sequence));
    edits.Push(new ChangeProfileCommand(edits, ProfileOf(sequence, store.Profile()),
                                        QStringLiteral("Change Profile")));
    for (ItemKind kind : kLists) {
        const ItemList& list = store.List(kind);
        std::vector<std::int32_t> uids;
        for (int i = 0; i < list.Count(); ++i)
            uids.push_back(list.At(i)->Uid());
        if (!uids.empty())
            edits.Push(new RemoveItemsCommand(edits, kind, uids, QStringLiteral("Delete")));
    }
    for (std::unique_ptr<Item>& item : ItemsOf(sequence))
        edits.Push(new AddItemCommand(edits, std::move(item), QStringLiteral("Add")));
    edits.Stack().endMacro();
}

int SequenceOf(const UserDatabase& store)
{
    return SequenceOfName(store.Profile().GetUserName());
}

std::vector<QByteArray> RecordsOf(const QString& path)
{
    PalmDatabaseFile file;
    if (file.Open(path, false) != DatabaseError::None)
        return {};
    std::vector<QByteArray> records;
    for (int i = 0; i <= UserDatabase::kSettingsRecord; ++i) {
        std::optional<QByteArray> record = file.ReadRecord(i);
        if (!record)
            return {};
        records.push_back(*record);
    }
    return records;
}

std::vector<QByteArray> Expected(int sequence)
{
    QTemporaryDir folder;
    {
        UserDatabase store(DatabaseFolders{folder.path(), {folder.path()}});
        Apply(store, sequence);
        store.Commit();
    }
    return RecordsOf(folder.filePath(QStringLiteral("user.pdb")));
}

int SequenceOf(const std::vector<QByteArray>& records)
{
    // Record 0 starts with the 16-bit version, then the name, NUL-terminated; ours is ASCII.
    if (records.empty() || records.front().size() < 3)
        return -1;
    const QByteArray& profile = records.front();
    const qsizetype end = profile.indexOf('\0', 2);
    return end < 0 ? -1 : SequenceOfName(QString::fromLatin1(profile.mid(2, end - 2)));
}

} // namespace CommitState
