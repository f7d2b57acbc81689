// The edits of the user's data: each undone gives back user.pdb's records byte for byte, a long
// random run of edits, undos and redos ends where replaying only the remaining edits ends, and
// the names the menu shows.
#include "TestSupport.h"
#include "commands/AddItemCommand.h"
#include "commands/ChangeProfileCommand.h"
#include "commands/CommandText.h"
#include "commands/CopyItemsCommand.h"
#include "commands/EditJournalEntryCommand.h"
#include "commands/ImportWeightsCommand.h"
#include "commands/QuickAddCommand.h"
#include "commands/RemoveItemsCommand.h"
#include "commands/SaveOwnFoodCommand.h"
#include "commands/SetDayWeightCommand.h"
#include "commands/SetItemFieldCommand.h"
#include "commands/SetOwnCaloriesCommand.h"
#include "commands/SwitchUnitsCommand.h"
#include "commands/UserEdits.h"
#include "data/JournalItem.h"
#include "data/PalmDatabaseFile.h"
#include "data/WeightItem.h"

#include <QRandomGenerator>

#include <functional>

namespace {

using TestSupport::Add;

constexpr TimeBase::Stamp kDay = 3'900'000'000u;

// A store with a little of everything, saved, and its edits.
struct Diary
{
    Diary()
    {
        for (int i = 0; i < 4; ++i) {
            auto* food = Add<FoodItem>(store.FoodLog(), kDay + (i / 2) * 86400u);
            food->SetFoodId(100 + i);
            food->SetQuantityIndex(i);
            food->SetUnitIndex(i == 2 ? 1 : 0);
            Add<FitnessItem>(store.FitnessLog(), kDay)->SetExerciseId(10 + i);
            Add<WeightItem>(store.Weights(), kDay + i * 86400u)->SetKilograms(80.0f - i);
        }
        auto* entry = Add<JournalItem>(store.Journal(), kDay);
        entry->SetSubject(QStringLiteral("Run"));
        entry->SetBody(QStringLiteral("5 km"));
        Add(store.FavoriteFoods(), kDay)->SetReference(100);
        for (ItemKind kind : {FitnessKind, FoodKind, JournalKind, FavoriteFoodKind, WeightKind})
            store.SaveList(store.List(kind));
        store.Commit();
    }
    // user.pdb's records once the edits are saved; a record of quick entries or own calories
    // that holds none is as good as none.
    std::vector<QByteArray> Records()
    {
        EXPECT_TRUE(edits.Save());
        PalmDatabaseFile file;
        EXPECT_EQ(file.Open(store.UserFilePath(), false), DatabaseError::None);
        std::vector<QByteArray> records;
        for (int i = 0; i <= UserDatabase::kOwnCaloriesRecord; ++i) {
            const QByteArray record = file.ReadRecord(i).value_or(QByteArray());
            records.push_back(record == QByteArray("\0\1\0\0\0\0", 6) ? QByteArray() : record);
        }
        return records;
    }
    std::int32_t Uid(ItemKind kind, int index) { return store.List(kind).At(index)->Uid(); }

    QTemporaryDir dir;
    UserDatabase store{DatabaseFolders{dir.path(), {dir.path()}}};
    UserEdits edits{store};
};

std::unique_ptr<Item> NewItem(ItemKind kind, TimeBase::Stamp day, std::uint32_t reference)
{
    std::unique_ptr<Item> item = Item::Create(kind, day);
    item->SetReference(reference);
    return item;
}

} // namespace

TEST(CommandsTest, EachUndoneGivesBackTheRecordsByteForByteAndRedoneTheEdit)
{
    using Make = std::function<QUndoCommand*(Diary&)>;
    const std::pair<const char*, Make> cases[] = {
        {"Add Cheddar Cheese",
         [](Diary& d) {
             return new AddItemCommand(d.edits, NewItem(FoodKind, kDay, 7), "Add Cheddar Cheese");
         }},
        {"Add Swim",
         [](Diary& d) {
             auto entry = std::make_unique<JournalItem>(kDay + 86400);
             entry->SetSubject("Swim");
             return new AddItemCommand(d.edits, std::move(entry), "Add Swim");
         }},
        {"Add Favorite Butter",
         [](Diary& d) {
             return new AddItemCommand(d.edits, NewItem(FavoriteExerciseKind, kDay, 3),
                                       "Add Favorite Butter");
         }},
        {"Delete 2 Items",
         [](Diary& d) {
             return new RemoveItemsCommand(
                 d.edits, FoodKind, {d.Uid(FoodKind, 2), d.Uid(FoodKind, 0)}, "Delete 2 Items");
         }},
        {"Delete Favorite Butter",
         [](Diary& d) {
             return new RemoveItemsCommand(d.edits, FavoriteFoodKind, {d.Uid(FavoriteFoodKind, 0)},
                                           "Delete Favorite Butter");
         }},
        {"Change Portion",
         [](Diary& d) {
             return new SetItemFieldCommand(d.edits, FoodKind, d.Uid(FoodKind, 1), 0, 9);
         }},
        {"Change Unit",
         [](Diary& d) {
             return new SetItemFieldCommand(d.edits, FoodKind, d.Uid(FoodKind, 3), 1, 1);
         }},
        {"Change Duration",
         [](Diary& d) {
             return new SetItemFieldCommand(d.edits, FitnessKind, d.Uid(FitnessKind, 0), 0, 6);
         }},
        {"Edit Run",
         [](Diary& d) {
             return new EditJournalEntryCommand(d.edits, d.Uid(JournalKind, 0),
                                                {"Run", "10 km", true});
         }},
        {"Set Weight", [](Diary& d) { return new SetDayWeightCommand(d.edits, kDay + 86400, 77); }},
        {"Set Weight", [](Diary& d) { return new SetDayWeightCommand(d.edits, kDay - 86400, 90); }},
        {"Import 2 Weights",
         [](Diary& d) {
             return new ImportWeightsCommand(d.edits, {{kDay - 86400, 70}, {kDay - 172800, 71}});
         }},
        {"Change Profile",
         [](Diary& d) {
             UserProfile after = d.store.Profile();
             after.SetAge(40);
             after.SetBlogName("myblog");
             return new ChangeProfileCommand(d.edits, after, "Change Profile");
         }},
        {"Switch to Metric Units", [](Diary& d) { return new SwitchUnitsCommand(d.edits, true); }},
        {"Set My Calories",
         [](Diary& d) { return new SetOwnCaloriesCommand(d.edits, d.Uid(FitnessKind, 1), 321); }},
        {"Add Toast",
         [](Diary& d) {
             return new QuickAddCommand(d.edits, kDay, {"Toast", 120, 2, 20, Food::kNoValue});
         }},
    };
    for (const auto& [text, make] : cases) {
        SCOPED_TRACE(text);
        Diary diary;
        const std::vector<QByteArray> before = diary.Records();
        diary.edits.Push(make(diary));
        EXPECT_EQ(diary.edits.Stack().undoText(), text);
        EXPECT_TRUE(diary.edits.SaveOwed());
        const std::vector<QByteArray> edited = diary.Records();
        EXPECT_NE(edited, before);
        diary.edits.Stack().undo();
        EXPECT_EQ(diary.Records(), before);
        diary.edits.Stack().redo();
        EXPECT_EQ(diary.Records(), edited);
    }
}

TEST(CommandsTest, ChangesOfOneThingMergeAndAnEditThatChangesNothingIsNone)
{
    Diary d;
    const std::int32_t food = d.Uid(FoodKind, 1); // portion index 1
    for (int portions : {3, 5, 1})
        d.edits.Push(new SetItemFieldCommand(d.edits, FoodKind, food, 0, portions));
    EXPECT_EQ(d.edits.Stack().count(), 0); // back where it started
    d.edits.Push(new SetItemFieldCommand(d.edits, FoodKind, food, 0, 4));
    d.edits.Push(new SetItemFieldCommand(d.edits, FoodKind, food, 1, 1));
    d.edits.Push(new SetItemFieldCommand(d.edits, FoodKind, food, 0, 6));
    d.edits.Push(new SetDayWeightCommand(d.edits, kDay, 80)); // as it is
    d.edits.Push(new SwitchUnitsCommand(d.edits, false));
    d.edits.Push(new RemoveItemsCommand(d.edits, FoodKind, {12345}, "Delete"));
    EXPECT_EQ(d.edits.Stack().count(), 3);
    d.edits.Stack().undo();
    EXPECT_EQ(d.store.FoodLog().ItemAt<FoodItem>(1)->QuantityIndex(), 4);
    // Saving at a state and coming back to it owes nothing.
    d.edits.Save();
    d.edits.Stack().undo();
    EXPECT_TRUE(d.edits.SaveOwed());
    d.edits.Stack().redo();
    EXPECT_FALSE(d.edits.SaveOwed());
}

// A copy is stored as its original is, but for the day; it keeps its uid through undo and redo,
// and is made whole or not at all.
TEST(CommandsTest, CopiesAreStoredAsTheOriginalsOnTheirDayAndAllOrNone)
{
    Diary d;
    const std::vector<QByteArray> before = d.Records();
    const TimeBase::Stamp day = TimeBase::AddDays(kDay, 5);
    d.edits.Push(new CopyItemsCommand(d.edits, FoodKind, {d.Uid(FoodKind, 1), d.Uid(FoodKind, 2)},
                                      day, "Copy"));
    const std::vector<std::int32_t> uids = {d.Uid(FoodKind, 4), d.Uid(FoodKind, 5)};
    const QByteArray record = d.Records()[FoodKind];
    const qsizetype size = (record.size() - 2) / 6; // the count, then six items alike
    ASSERT_EQ((before[FoodKind].size() - 2) / 4, size);
    const QByteArray dayBytes =
        QByteArray::fromHex(QByteArray::number(day, 16).rightJustified(8, '0'));
    for (int n = 0; n < 2; ++n) {
        const QByteArray original = record.mid(2 + (1 + n) * size, size);
        const QByteArray copy = record.mid(2 + (4 + n) * size, size);
        EXPECT_EQ(std::pair(copy.left(4), copy.mid(4)), std::pair(dayBytes, original.mid(4))) << n;
    }
    d.edits.Stack().undo();
    EXPECT_EQ(d.Records(), before);
    d.edits.Stack().redo();
    EXPECT_EQ((std::vector{d.Uid(FoodKind, 4), d.Uid(FoodKind, 5)}), uids);
    // An exercise's own calories go with its copy, and leave with it.
    d.store.Own().Set(d.Uid(FitnessKind, 0), 250);
    d.edits.Push(new CopyItemsCommand(d.edits, FitnessKind, {d.Uid(FitnessKind, 0)}, day, "Copy"));
    EXPECT_EQ(d.store.Own().Of(d.Uid(FitnessKind, 4)), 250);
    d.edits.Stack().undo();
    EXPECT_EQ(d.store.Own().Count(), 1);

    // Nothing to copy, or no room for every copy: no edit.
    d.edits.Push(new CopyItemsCommand(d.edits, FitnessKind, {12345}, day, "Copy"));
    while (d.store.FoodLog().Count() < ItemList::kMaxItems - 1)
        Add(d.store.FoodLog(), kDay);
    d.edits.Push(new CopyItemsCommand(d.edits, FoodKind, {d.Uid(FoodKind, 0), d.Uid(FoodKind, 1)},
                                      day, "Copy"));
    EXPECT_EQ(std::pair(d.edits.Stack().count(), d.store.FoodLog().Count()),
              std::pair(1, ItemList::kMaxItems - 1));
}

TEST(CommandsTest, ProfileEditsLeaveTheBookkeepingAndPreferencesChangeOnlyWhatChanged)
{
    Diary d;
    UserProfile& profile = d.store.Profile();
    UserProfile after = profile;
    after.SetAge(33);
    after.SetFlags(UserProfile::kJournalFlag);
    d.edits.Push(new ChangeProfileCommand(d.edits, after, "Change Profile"));
    // Bookkeeping of later: not the user's edit, and not undone with it.
    profile.SetLaunchCount(9);
    profile.SetFlags(profile.Flags() | UserProfile::kBlogAccountSeen);
    d.edits.Stack().undo();
    EXPECT_EQ(std::tuple(profile.GetAge(), profile.LaunchCount(), profile.Flags()),
              std::tuple(0, 9, UserProfile::kBlogAccountSeen));

    d.store.Settings().SetMetric(2);
    const auto preferences = [&](int nutrient, bool metric) {
        const int before = d.edits.Stack().index();
        SwitchUnitsCommand::ChangePreferences(d.edits, nutrient, metric);
        return d.edits.Stack().index() > before ? d.edits.Stack().undoText() : QString();
    };
    EXPECT_EQ(preferences(0, true), QString()); // a stored 2 is ticked already
    EXPECT_EQ(preferences(3, true), "Change Tracked Nutrient");
    EXPECT_EQ(preferences(3, false), "Switch to US Units");
    EXPECT_EQ(preferences(5, true), "Change Preferences");
    d.edits.Stack().undo();
    d.edits.Stack().undo();
    EXPECT_EQ(std::pair(profile.GetFoodTracking(), d.store.Settings().Metric()), std::pair(3, 2u));
}

// Edits, undos and redos at random, each edit remembered by the positions it named; replaying
// only the edits left on the stack in a fresh copy of the diary ends with the same records.
TEST(CommandsTest, RandomEditsUndosAndRedosEndAsTheRemainingEditsReplayed)
{
    struct Edit
    {
        int kind; // 0 add, 1 remove, 2 set field, 3 journal, 4 weight, 5 units, 6 profile
        ItemKind list = FoodKind;
        std::vector<int> at;
        int field = 0;
        int value = 0;
    };
    const auto make = [](Diary& d, const Edit& e) -> QUndoCommand* {
        std::vector<std::int32_t> uids;
        for (int index : e.at)
            uids.push_back(d.Uid(e.list, index));
        switch (e.kind) {
        case 0:
            return new AddItemCommand(d.edits, NewItem(e.list, kDay + e.field * 86400u, e.value),
                                      "Add");
        case 1:
            return new RemoveItemsCommand(d.edits, e.list, uids, "Delete");
        case 2:
            return new SetItemFieldCommand(d.edits, e.list, uids[0], e.field, e.value);
        case 3:
            return new EditJournalEntryCommand(
                d.edits, uids[0], {QString::number(e.value), QString(e.value % 50, u'x'), true});
        case 4:
            return new SetDayWeightCommand(d.edits, kDay + e.field * 86400u, float(e.value));
        case 5:
            return new SwitchUnitsCommand(d.edits, e.value != 0);
        default: {
            UserProfile after = d.store.Profile();
            after.SetAge(e.value);
            return new ChangeProfileCommand(d.edits, after, "Change Profile");
        }
        }
    };

    QRandomGenerator random(20260);
    Diary diary;
    std::vector<Edit> remaining; // one per command on the stack, up to the redo tail
    for (int step = 0; step < 3000; ++step) {
        QUndoStack& stack = diary.edits.Stack();
        const int roll = random.bounded(12);
        if (roll >= 9) {
            roll == 11 ? stack.redo() : stack.undo();
            continue;
        }
        Edit edit;
        edit.kind = roll % 7;
        const ItemKind lists[] = {FoodKind, FitnessKind, JournalKind, FavoriteFoodKind};
        edit.list = edit.kind == 3 ? JournalKind : lists[random.bounded(edit.kind == 2 ? 2 : 4)];
        const int count = diary.store.List(edit.list).Count();
        if ((edit.kind == 1 || edit.kind == 2 || edit.kind == 3) && count == 0)
            continue;
        const bool names = edit.kind == 1 || edit.kind == 2 || edit.kind == 3;
        for (int n = !names ? 0 : edit.kind == 1 ? 1 + random.bounded(2) : 1; n > 0; --n)
            edit.at.push_back(random.bounded(count));
        edit.field = random.bounded(edit.kind == 2 && edit.list == FoodKind ? 2 : 4);
        edit.value = random.bounded(edit.kind == 2 ? 2 : 100);

        const int before = stack.index();
        diary.edits.Push(make(diary, edit));
        remaining.resize(size_t(before));
        if (stack.index() > before) {
            remaining.push_back(edit);
        } else if (stack.index() < before) {
            remaining.pop_back(); // merged back to nothing
        } else if (before > 0 && (edit.kind == 2 || edit.kind == 4)) {
            Edit& top = remaining.back(); // merged into the one below, if it was the same thing
            if (top.kind == edit.kind && top.list == edit.list && top.field == edit.field &&
                (edit.kind == 4 || top.at == edit.at))
                top.value = edit.value;
        }
    }
    remaining.resize(size_t(diary.edits.Stack().index()));
    ASSERT_GT(remaining.size(), 20u);

    Diary replay;
    for (const Edit& edit : remaining)
        replay.edits.Push(make(replay, edit));
    EXPECT_EQ(replay.Records(), diary.Records());
}

TEST(CommandsTest, NamesFitTheMenuCutAfterAWord)
{
    using CommandText::Named;
    const std::pair<QString, QString> cases[] = {
        {Named("Add", "Cheese, cheddar"), "Add Cheese, cheddar"},
        {Named("Add Favorite", "Running, 9 mph (6.5 min/mile)"), "Add Favorite Running..."},
        {Named("Add", "Supercalifragilisticexpialidocious"), "Add Supercalifragilisti..."},
        {Named("Edit", "  Run \n 5 km "), "Edit Run 5 km"},
        {Named("Add", ""), "Add"},
        {CommandText::Deleted(1, "Butter, salted"), "Delete Butter, salted"},
        {CommandText::Deleted(2, "Butter, salted"), "Delete 2 Items"},
        {CommandText::Copied(3, "Butter, salted"), "Copy 3 Items"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(text, expected);
}

TEST(CommandsTest, OwnFoodsAreMadeChangedAndDeletedAsOneEditEachAndTellTheDaysThatUseThem)
{
    Diary diary;
    OwnFoods& mine = diary.store.MyFoods();
    OwnFoods::Entry bread;
    bread.name = QStringLiteral("Rye bread");
    bread.units = {QStringLiteral("slice"), QString()};
    bread.unitGrams = {40, Food::kNoValue};
    bread.figures.fill(Food::kNoValue);
    bread.figures[Food::Calories] = 250;

    auto* made = SaveOwnFoodCommand::New(diary.edits, bread);
    const std::uint32_t id = made->Id();
    diary.edits.Push(made);
    EXPECT_EQ(diary.edits.Stack().undoText(), QStringLiteral("New Food Rye bread"));
    EXPECT_TRUE(diary.edits.Save());
    EXPECT_TRUE(QFile::exists(diary.dir.filePath(QStringLiteral("my_foods.pdb"))));
    diary.edits.Push(new AddItemCommand(diary.edits, NewItem(FoodKind, kDay + 86400, id), "Add"));
    diary.edits.Push(new AddItemCommand(diary.edits, NewItem(FavoriteFoodKind, kDay, id), "Fav"));
    const std::int32_t favorite = diary.Uid(FavoriteFoodKind, 1);
    const auto table = mine.Entries();

    // A change tells the day the food was logged on; its undo gives the food back as it was.
    std::vector<TimeBase::Stamp> told;
    QObject::connect(&diary.edits.Notifier(), &DataNotifier::dayChanged,
                     [&told](ItemKind kind, TimeBase::Stamp day) {
                         if (kind == FoodKind)
                             told.push_back(day);
                     });
    OwnFoods::Entry lighter = bread;
    lighter.figures[Food::Calories] = 200;
    diary.edits.Push(SaveOwnFoodCommand::Edit(diary.edits, id, lighter));
    EXPECT_EQ(told, std::vector<TimeBase::Stamp>{kDay + 86400});
    EXPECT_EQ(diary.store.References().FoodAt(id).numbers[Food::Calories], 200);
    diary.edits.Stack().undo();
    EXPECT_EQ(mine.Entries(), table);

    // Deleted: out of the lookup and the favorites, still read by the day it was logged on.
    diary.edits.Push(SaveOwnFoodCommand::Delete(diary.edits, id));
    EXPECT_EQ(diary.edits.Stack().undoText(), QStringLiteral("Delete Rye bread"));
    EXPECT_TRUE(mine.Shown().empty());
    EXPECT_EQ(diary.store.FavoriteFoods().Count(), 1);
    EXPECT_EQ(diary.store.References().FoodAt(id).name, QStringLiteral("Rye bread"));
    diary.edits.Stack().undo();
    EXPECT_EQ(mine.Entries(), table);
    EXPECT_EQ(diary.Uid(FavoriteFoodKind, 1), favorite);

    // Undone past its making, the food is gone; the saved file follows.
    for (int i = 0; i < 3; ++i)
        diary.edits.Stack().undo();
    EXPECT_EQ(mine.Count(), 0);
    EXPECT_TRUE(diary.edits.Save());
    EXPECT_EQ(UserDatabase(DatabaseFolders{diary.dir.path(), {}}, UserDatabase::OpenMode::ReadCopy)
                  .MyFoods()
                  .Count(),
              0);
}
