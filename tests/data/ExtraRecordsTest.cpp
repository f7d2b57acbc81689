// Quick entries and own exercise calories in user.pdb: records of their own after the
// handheld's, round-tripped with their logs, read whole or not at all per entry, and invisible to
// the records a handheld reads.
#include "TestSupport.h"
#include "data/FitnessItem.h"
#include "data/FoodItem.h"
#include "data/PalmDatabaseFile.h"
#include "data/RecordStream.h"
#include "data/UserDatabase.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr TimeBase::Stamp kDay = 3'900'000'000u;

class ExtraRecordsTest : public ::testing::Test
{
protected:
    DatabaseFolders Folders() const { return {m_dir.path(), {m_dir.path()}}; }
    // The records a reader of the handheld's format reads: 0 to 8.
    std::vector<QByteArray> HandheldRecords() const
    {
        PalmDatabaseFile file;
        EXPECT_EQ(file.Open(m_dir.filePath("user.pdb"), false), DatabaseError::None);
        std::vector<QByteArray> records;
        for (int i = 0; i <= UserDatabase::kSettingsRecord; ++i)
            records.push_back(file.ReadRecord(i).value_or(QByteArray()));
        return records;
    }
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(ExtraRecordsTest, RoundTripWithTheFoodLogAndLeaveTheHandheldsRecordsAsTheyWere)
{
    const QuickEntries::Entry toast{"Toast", 120, 2.5, 20, Food::kNoValue};
    std::vector<QByteArray> before;
    std::uint32_t id = 0;
    {
        UserDatabase store(Folders());
        TestSupport::Add<FoodItem>(store.FoodLog(), kDay)->SetFoodId(7);
        store.SaveFoodLog();
        store.Commit();
        before = HandheldRecords();
        id = store.Quick().NextId();
        EXPECT_TRUE(QuickEntries::IsQuickId(id));
        store.Quick().Put(id, toast);
        TestSupport::Add<FoodItem>(store.FoodLog(), kDay)->SetFoodId(id);
        // An entry no item refers to is not kept past the next start.
        store.Quick().Put(store.Quick().NextId(), {"Gone", 1});
        store.SaveFoodLog();
        store.Commit();
    }
    UserDatabase store(Folders());
    EXPECT_EQ(store.Quick().Count(), 1);
    ASSERT_NE(store.Quick().Find(id), nullptr);
    EXPECT_EQ(*store.Quick().Find(id), toast);
    const Food food = store.References().FoodAt(id);
    EXPECT_EQ(std::tuple(food.name, food.units[0], food.numbers[Food::Calories],
                         food.numbers[Food::Protein]),
              std::tuple(QString("Toast"), QString("serving"), 120.0, Food::kNoValue));
    // The handheld's records differ only by the food log's new item, whose reference no foods
    // file position can be: such a reader shows its unknown food.
    const std::vector<QByteArray> after = HandheldRecords();
    for (int i = 0; i < int(after.size()); ++i)
        EXPECT_EQ(after[size_t(i)] == before[size_t(i)], i != FoodKind) << i;
    EXPECT_EQ(after[FoodKind].left(before[FoodKind].size()).mid(2), before[FoodKind].mid(2));
    // Ids are not given twice in a run, so figures kept by id never meet another entry.
    store.Quick().Remove(id);
    EXPECT_GT(store.Quick().NextId(), id);
}

TEST_F(ExtraRecordsTest, ADamagedRecordKeepsTheWholeEntriesAndTheLogAndUnknownIdsReadAsUnknown)
{
    std::uint32_t first = 0;
    {
        UserDatabase store(Folders());
        for (const char* name : {"Soup", "Bread"}) {
            const std::uint32_t id = store.Quick().NextId();
            first = first ? first : id;
            store.Quick().Put(id, {name, 80});
            TestSupport::Add<FoodItem>(store.FoodLog(), kDay)->SetFoodId(id);
        }
        store.SaveFoodLog();
        store.Commit();
    }
    {
        // Cut inside the second entry.
        PalmDatabaseFile file;
        ASSERT_EQ(file.Open(m_dir.filePath("user.pdb")), DatabaseError::None);
        ASSERT_TRUE(file.LoadAll());
        file.SetExactRecordLengths(true);
        const QByteArray record = *file.ReadRecord(UserDatabase::kQuickEntriesRecord);
        file.WriteRecord(UserDatabase::kQuickEntriesRecord, record.constData(),
                         int(record.size()) - 3);
        ASSERT_EQ(file.Close(), DatabaseError::None);
    }
    UserDatabase store(Folders());
    EXPECT_FALSE(store.DamageNotice().isEmpty());
    EXPECT_EQ(store.FoodLog().Count(), 2);
    EXPECT_EQ(store.Quick().Count(), 1);
    EXPECT_EQ(store.References().FoodAt(first).name, QStringLiteral("Soup"));
    EXPECT_EQ(store.References().FoodAt(first + 1).name, QStringLiteral("Unknown food"));
}

TEST_F(ExtraRecordsTest, OwnCaloriesFollowTheirItemAmongLikeOnesAndLeaveTheFitnessRecordAlone)
{
    std::vector<QByteArray> before;
    {
        UserDatabase store(Folders());
        for (int i = 0; i < 3; ++i) // the same exercise, duration and day three times
            TestSupport::Add<FitnessItem>(store.FitnessLog(), kDay)->SetExerciseId(12);
        store.SaveFitnessLog();
        store.Commit();
        before = HandheldRecords();
        store.Own().Set(store.FitnessLog().At(1)->Uid(), 321);
        store.SaveFitnessLog();
        store.Commit();
        EXPECT_EQ(HandheldRecords(), before);
    }
    UserDatabase store(Folders());
    std::vector<std::optional<std::int32_t>> own;
    for (int i = 0; i < 3; ++i)
        own.push_back(store.Own().Of(store.FitnessLog().At(i)->Uid()));
    EXPECT_EQ(own, (std::vector<std::optional<std::int32_t>>{std::nullopt, 321, std::nullopt}));
    EXPECT_TRUE(store.DamageNotice().isEmpty());
}
