#include "ReferenceTestSupport.h"
#include "ReferenceWriter.h"

#include "data/FoodDatabase.h"
#include "data/FoodIndex.h"
#include "data/FoodItem.h"
#include "data/FoodStreamError.h"
#include "data/FoodValue.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace ReferenceTest;

namespace {

class FoodStreamTest : public ::testing::Test
{
protected:
    // A foods database holding exactly these stream bytes, cut into 16384-byte records.
    FoodDatabase& Open(const QByteArray& stream)
    {
        const QString path = m_dir.filePath(QStringLiteral("food_data.pdb"));
        QFile::remove(path);
        std::vector<QByteArray> records;
        for (qsizetype at = 0; at < stream.size(); at += 16384)
            records.push_back(stream.mid(at, 16384));
        WriteDatabase(path, QStringLiteral("- KLV Foods Database"), records);
        m_database = std::make_unique<FoodDatabase>();
        EXPECT_EQ(m_database->Open(path), DatabaseError::None);
        return *m_database;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<FoodDatabase> m_database;
};

QString ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const FoodStreamError& error) {
        return error.Text();
    }
    return QString();
}

TEST_F(FoodStreamTest, NumbersDecodeTheirOneAndFourByteForms)
{
    FoodDatabase& db = Open(QByteArray::fromHex("f0ff000003e8810003e8010003e8"));
    for (auto [number, end] : {std::pair{0.0, 1}, {-1.0, 2}, {1.0, 6}}) {
        EXPECT_DOUBLE_EQ(db.ReadNumber(), number);
        EXPECT_EQ(db.Tell(), end);
    }
    // The top bit of the first byte is not part of the value.
    const double high = db.ReadNumber();
    EXPECT_DOUBLE_EQ(high, db.ReadNumber());
    EXPECT_DOUBLE_EQ(high, 16778.216);
    EXPECT_TRUE(db.AtEnd());
}

TEST_F(FoodStreamTest, ReadsContinueIntoTheNextRecordAndStopAtTheEnd)
{
    FoodDatabase& db = Open(QByteArray(16382, '\0') + QByteArray::fromHex("12345678"));
    ASSERT_EQ(db.RecordCount(), 2);
    db.Seek(16382);
    EXPECT_EQ(db.ReadLong(), 0x12345678u);
    EXPECT_EQ(std::pair(db.Tell(), db.AtEnd()), std::pair(qint64(16386), true));
    // A number, and bytes passed over unread, cross into the next record the same way.
    db.Seek(16381);
    EXPECT_DOUBLE_EQ(db.ReadNumber(), 0x123456 * 0.001);
    db.Seek(16380);
    db.Read(nullptr, 5);
    EXPECT_EQ(db.ReadByte(), 0x78);
    EXPECT_EQ(ErrorOf([&] { db.Read(nullptr, 3); }),
              QStringLiteral("Reading over EOF of foods db"));
    db.Seek(16384);
    EXPECT_EQ(ErrorOf([&] { db.ReadLong(); }), QStringLiteral("Reading over EOF of foods db"));
    EXPECT_EQ(ErrorOf([&] { db.Seek(-1); }), QStringLiteral("Negative position"));
    EXPECT_EQ(ErrorOf([&] { db.Seek(3 * 16384 + 5); }),
              QStringLiteral("No record 3 in food database"));

    // A full last record can be read to its very end.
    FoodDatabase& full = Open(QByteArray(16384, '\x7f'));
    full.Seek(16380);
    EXPECT_EQ(full.ReadLong(), 0x7f7f7f7fu);
    EXPECT_TRUE(full.AtEnd());
    EXPECT_EQ(ErrorOf([&] { full.ReadByte(); }), QStringLiteral("Reading over EOF of foods db"));
}

TEST_F(FoodStreamTest, DamagedFoodsReadAsPlaceholders)
{
    FoodDatabase& db = Open(QByteArray(20, '\0') + QByteArray(1, char(200)) + "Apple");
    EXPECT_EQ(db.SafeFoodName(20 - 4), QString::fromLatin1(FoodDatabase::kDamagedFoodName));
    const Food food = db.SafeReadFood(99999);
    EXPECT_EQ(food.name, QString::fromLatin1(FoodDatabase::kDamagedFoodName));
    EXPECT_EQ(food.numbers[Food::Calories], Food::kNoValue);
}

TEST(FoodValueTest, PortionsTimesNumberTimesUnitGrams)
{
    Food food;
    food.numbers.fill(0.0);
    food.numbers[Food::Calories] = 250;
    food.numbers[Food::Protein] = Food::kNoValue;
    food.numbers[Food::Fiber] = 2.5;
    food.numbers[Food::FirstUnitGrams] = 30;
    food.numbers[Food::SecondUnitGrams] = 227;
    FoodItem item(0);
    item.SetQuantityIndex(1);
    item.SetUnitIndex(0);
    EXPECT_EQ(FoodValue::Of(food, item, 0), 150);
    EXPECT_EQ(FoodValue::Of(food, item, 2), 1); // 1.5 truncated
    item.SetUnitIndex(7);                       // any non-zero unit is the second one
    EXPECT_EQ(FoodValue::Of(food, item, 0), 1135);
    EXPECT_EQ(FoodValue::Of(food, item, 3), 0); // unknown protein is none, never -4
    food.numbers[Food::SecondUnitGrams] = Food::kNoValue;
    EXPECT_EQ(FoodValue::Of(food, item, 0), 0); // nor does an unknown unit weight go negative
    food.numbers[Food::SecondUnitGrams] = 227;
    EXPECT_EQ(FoodValue::Of(food, item, 6), 0); // no such field
}

ReferenceSources::FoodRow Row(int group, const char* subgroup, const char* name, double kcal)
{
    ReferenceSources::FoodRow row;
    row.groupCode = group;
    row.groupName = QStringLiteral("Group %1").arg(group);
    row.subgroup = QString::fromLatin1(subgroup);
    row.name = QString::fromLatin1(name);
    row.nutrients[ReferenceSources::FoodRow::Kcal] = kcal;
    row.unitNames = {QStringLiteral("1 cup"), QStringLiteral("100 g")};
    row.unitGrams = {240, 100};
    return row;
}

TEST(ReferenceSourcesTest, FoodSampleKeepsTheFirstGroupsSubgroupsAndFoodsInFileOrder)
{
    ReferenceSources sources;
    sources.foods = {Row(9, "Pears", "p1", 1), Row(9, "Apples", "a1", 1), Row(9, "Pears", "p2", 1),
                     Row(9, "Pears", "p3", 1), Row(9, "Figs", "f1", 1),   Row(1, "Milk", "m1", 1),
                     Row(5, "Hens", "h1", 1),  Row(1, "Milk", "m2", 1)};
    sources.KeepFoodSample(2, 2, 2);
    QStringList names;
    for (const ReferenceSources::FoodRow& food : sources.foods)
        names.append(food.name);
    EXPECT_EQ(names, QStringList({"p1", "a1", "p2", "m1", "m2"}));
}

TEST_F(FoodStreamTest, IndexOrdersGroupsByCodeAndCachesSubgroupLists)
{
    QByteArray stream;
    ASSERT_TRUE(ReferenceWriter::FoodStream(
        {Row(9, "Pears", "Pear, raw", 57), Row(1, "Milk", "Milk, whole", 61),
         Row(9, "Apples", "apple, dried", 243), Row(9, "Apples", "Apple, baked", 80)},
        stream, nullptr));
    FoodDatabase& db = Open(stream);
    FoodIndex index;
    ASSERT_EQ(index.Build(db), DatabaseError::None);
    EXPECT_EQ(index.GroupNames(), QStringList({"Group 1", "Group 9"}));
    EXPECT_EQ(index.SubgroupNames(1), QStringList({"Apples", "Pears"}));
    EXPECT_TRUE(index.SubgroupNames(2).isEmpty());

    const FoodList* apples = index.Foods(1, 0);
    ASSERT_NE(apples, nullptr);
    ASSERT_EQ(apples->Count(), 2);
    EXPECT_EQ(QStringList({apples->Title(), apples->NameAt(0), apples->NameAt(1)}),
              QStringList({"Apples", "Apple, baked", "apple, dried"}));
    EXPECT_EQ(db.ReadFood(apples->RecordAt(1)).numbers[Food::Calories], 243);
    // Figures alone, for sums: the same numbers, no names, and the stream just as far on.
    const Food whole = db.ReadFood(apples->RecordAt(0));
    const qint64 after = db.Tell();
    const Food figures = db.ReadFood(apples->RecordAt(0), FoodNames::Skip);
    EXPECT_EQ(db.Tell(), after);
    EXPECT_EQ(figures.numbers, whole.numbers);
    EXPECT_FALSE(whole.name.isEmpty());
    EXPECT_TRUE(figures.name.isEmpty() && figures.units[0].isEmpty() && figures.units[1].isEmpty());

    db.Seek(0); // move the stream away; the cached list must not need it again
    const int before = db.RecordLoads();
    EXPECT_EQ(index.Foods(1, 0), apples);
    EXPECT_EQ(db.RecordLoads(), before);
    // Every record is read from the file once, however often the stream comes back to it.
    for (int i = 0; i < 3; ++i) {
        for (int r = 0; r < db.RecordCount(); ++r)
            db.Seek(r * FoodDatabase::kRecordSize);
    }
    EXPECT_EQ(db.RecordLoads(), db.RecordCount());
    EXPECT_EQ(index.Foods(1, 2), nullptr);
    EXPECT_EQ(index.Foods(-1, 0), nullptr);
}

} // namespace
