// The databases the build wrote, read back through the program's own readers and compared
// with the sources they were built from.
#include "ReferenceSources.h"
#include "ReferenceTestSupport.h"

#include "data/ExerciseDatabase.h"
#include "data/FoodDatabase.h"
#include "data/FoodIndex.h"
#include "data/NameFinder.h"
#include "data/RecordStream.h"
#include "data/TextIndex.h"

#include <QHash>

#include <gtest/gtest.h>

#include <algorithm>

using namespace ReferenceTest;

namespace {

class ReferenceDatabasesTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        QString error;
        ASSERT_TRUE(s_sources.Load(QStringLiteral(NUTRAVA_SOURCE_DATA), &error))
            << qPrintable(error);
    }

    static inline ReferenceSources s_sources;
};

// The source's nutrient columns in the order of the stored numbers.
constexpr Food::Number kNumbers[] = {Food::Calories,    Food::Fat,    Food::SaturatedFat,
                                     Food::Cholesterol, Food::Sodium, Food::Carbs,
                                     Food::Fiber,       Food::Sugars, Food::Protein};

// An unknown figure is stored as exactly -1.
void ExpectNumber(double stored, const std::optional<double>& source, const QString& what)
{
    EXPECT_NEAR(stored, source.value_or(-1.0), source ? 0.001 : 0.0) << qPrintable(what);
}

TEST_F(ReferenceDatabasesTest, EveryFoodIsReachableWithItsValues)
{
    using Row = ReferenceSources::FoodRow;
    ASSERT_FALSE(s_sources.foods.empty());
    QMultiHash<QString, const Row*> byPlace;
    for (const Row& row : s_sources.foods)
        byPlace.insert(row.groupName + u'/' + row.subgroup + u'/' + row.name, &row);

    FoodDatabase db;
    ASSERT_EQ(db.Open(GeneratedFile("food_data.pdb")), DatabaseError::None);
    FoodIndex index;
    ASSERT_EQ(index.Build(db), DatabaseError::None);
    EXPECT_EQ(index.GroupNames().first(), QStringLiteral("Dairy and Egg Products"));
    const NameFinder finder = NameFinder::ForFoods(db, index);

    QSet<const Row*> seen;
    for (int g = 0; g < index.GroupCount(); ++g) {
        const QStringList subgroupNames = index.SubgroupNames(g);
        for (int s = 0; s < subgroupNames.size(); ++s) {
            const FoodList* list = index.Foods(g, s);
            ASSERT_NE(list, nullptr);
            for (int i = 0; i < list->Count(); ++i) {
                const Food food = db.ReadFood(list->RecordAt(i));
                ASSERT_EQ(food.name, list->NameAt(i));
                const QString place =
                    index.GroupNames()[g] + u'/' + subgroupNames[s] + u'/' + food.name;
                const Row* row = nullptr;
                for (const Row* candidate : byPlace.values(place)) {
                    if (!seen.contains(candidate))
                        row = candidate;
                }
                ASSERT_NE(row, nullptr) << qPrintable(place);
                seen.insert(row);
                if (i % 5 == 0) { // found by its whole name; a sample keeps the test quick
                    const std::vector<NameFinder::Match> found = finder.Find(food.name);
                    EXPECT_TRUE(std::any_of(found.begin(), found.end(), [&](const auto& match) {
                        return match.record == list->RecordAt(i);
                    })) << qPrintable(place);
                }
                EXPECT_EQ(food.header1, row->groupCode);
                for (int n = 0; n < 9; ++n)
                    ExpectNumber(food.numbers[kNumbers[n]], row->nutrients[size_t(n)], place);
                for (int u = 0; u < 2; ++u) {
                    ExpectNumber(food.numbers[Food::FirstUnitGrams + u], row->unitGrams[u], place);
                    EXPECT_EQ(food.units[u], row->unitNames[u]);
                }
            }
        }
    }
    EXPECT_EQ(size_t(seen.size()), s_sources.foods.size()); // each row once
}

TEST_F(ReferenceDatabasesTest, EveryExerciseIsInItsGroup)
{
    ExerciseDatabase db;
    ASSERT_EQ(db.Open(GeneratedFile("fitness_data.pdb")), DatabaseError::None);
    ASSERT_EQ(db.ReadGroups(), DatabaseError::None);
    ASSERT_EQ(size_t(db.RecordCount()), s_sources.exercises.size() + 1); // and the index

    PalmDatabaseFile file; // for the leading value, which the reader skips
    ASSERT_EQ(file.Open(GeneratedFile("fitness_data.pdb"), false), DatabaseError::None);
    size_t next = 0;
    for (const ExerciseGroup& group : db.Groups()) {
        for (int i = 0; i < group.Count(); ++i, ++next) {
            ASSERT_LT(next, s_sources.exercises.size());
            const ReferenceSources::ExerciseRow& row = s_sources.exercises[next];
            EXPECT_EQ(group.Title(), row.group);
            EXPECT_EQ(group.NameAt(i), row.shortName);
            EXPECT_LE(row.shortName.size(), 32);
            const Exercise exercise = db.ReadExercise(int(group.RecordAt(i)));
            for (int c = 0; c < 3; ++c)
                EXPECT_EQ(exercise.calories[size_t(c)], 4 * row.kcal15[size_t(c)])
                    << qPrintable(row.shortName);
            RecordStream stream(file, int(group.RecordAt(i)));
            EXPECT_EQ(stream.ReadInt16(), row.code);
        }
    }
    EXPECT_EQ(next, s_sources.exercises.size());
}

// The eleven topics of the help index, then the blog account page's topic 11.
TEST_F(ReferenceDatabasesTest, HelpHasTheTopicsOfTheIndexAndOfTheBlogAccountPage)
{
    TextIndex texts;
    ASSERT_EQ(texts.Open(GeneratedFile("text.pdb")), DatabaseError::None);
    const QStringList titles = {"Getting Started",    "Main Interface Help", "Daily Chart Help",
                                "Profile Help",       "Results Help",        "Goals Help",
                                "Daily Journal Help", "Fitness Log Help",    "Food Log Help",
                                "Look-up Help",       "Disclaimer",          "Blog Account Help"};
    ASSERT_EQ(texts.TopicCount(), 12);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(std::pair(texts.TopicName(i), texts.TopicText(i)),
                  std::pair(titles[i], s_sources.help[size_t(i)].text));
    EXPECT_TRUE(texts.TopicText(10).contains(QStringLiteral("estimates")));
    EXPECT_TRUE(texts.TopicText(10).contains(QStringLiteral("no substitute for a physician")));
    EXPECT_TRUE(texts.TopicText(11).contains(QStringLiteral("user.pdb")));
}

TEST_F(ReferenceDatabasesTest, EveryTipIsARecord)
{
    ASSERT_FALSE(s_sources.tips.isEmpty());
    PalmDatabaseFile file;
    ASSERT_EQ(file.Open(GeneratedFile("tips.pdb"), false), DatabaseError::None);
    ASSERT_EQ(int(file.RecordCount()), s_sources.tips.size());
    for (int i = 0; i < s_sources.tips.size(); ++i) {
        RecordStream stream(file, i);
        EXPECT_EQ(stream.ReadText(), s_sources.tips[i]);
        EXPECT_TRUE(stream.AtEnd());
    }
}

} // namespace
