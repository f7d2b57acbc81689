#include "ReferenceTestSupport.h"
#include "ReferenceWriter.h"

#include "data/ExerciseDatabase.h"
#include "data/FoodDatabase.h"
#include "data/FoodIndex.h"
#include "data/NameFinder.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace ReferenceTest;

namespace {

ReferenceSources::FoodRow Food(int group, const char* groupName, const char* name)
{
    ReferenceSources::FoodRow row;
    row.groupCode = group;
    row.groupName = QString::fromLatin1(groupName);
    row.name = QString::fromUtf8(name);
    row.subgroup = row.name.section(u',', 0, 0);
    row.unitNames = {QStringLiteral("1 cup"), QStringLiteral("100 g")};
    row.unitGrams = {240, 100};
    return row;
}

const char* const kLongName = "Beverages, carbonated, low calorie, other than cola or pepper, with "
                              "aspartame, contains caffeine";

// A small foods database in three groups, and its finder.
class FoodFinderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString path = m_dir.filePath(QStringLiteral("food_data.pdb"));
        ASSERT_TRUE(ReferenceWriter::WriteFoods(
            {Food(1, "Dairy", "Cheese, cheddar"),
             Food(1, "Dairy", "Cheese, cheddar, sharp, sliced"), Food(1, "Dairy", "Cheese, blue"),
             Food(1, "Dairy", "Cream cheese"), Food(1, "Dairy", "Crème fraîche"),
             Food(1, "Dairy", "Egg, whole, raw"), Food(1, "Dairy", "Eggs, scrambled"),
             Food(1, "Dairy", "Eggnog"), Food(11, "Vegetables", "Eggplant, raw"),
             Food(20, "Grains", "Noodles, egg, dry"), Food(15, "Fish", "Shellfish, prawn"),
             Food(15, "Fish", "Shellfish, raw"), Food(9, "Fruits", "Apple, raw"),
             Food(9, "Fruits", "Apples, dried"), Food(9, "Fruits", "Applesauce, canned"),
             Food(9, "Fruits", "Pineapple, raw"), Food(11, "Vegetables", "Jalapeño peppers, raw"),
             Food(14, "Beverages", kLongName)},
            path, nullptr));
        ASSERT_EQ(m_database.Open(path), DatabaseError::None);
        ASSERT_EQ(m_index.Build(m_database), DatabaseError::None);
        m_finder = NameFinder::ForFoods(m_database, m_index);
    }

    QStringList Names(const std::vector<NameFinder::Match>& matches)
    {
        QStringList names;
        for (const NameFinder::Match& match : matches) {
            names.append(match.name.toString());
            // What a lookup adds: the food at that position, listed in that group and subgroup.
            EXPECT_EQ(m_database.ReadFoodName(match.record), match.name);
            EXPECT_EQ(match.groupName, m_index.GroupNames().value(match.group));
            const FoodList* list = m_index.Foods(match.group, match.subgroup);
            bool listed = false;
            for (int i = 0; list && i < list->Count(); ++i)
                listed = listed || list->RecordAt(i) == match.record;
            EXPECT_TRUE(listed) << qPrintable(match.name.toString());
        }
        return names;
    }

    QTemporaryDir m_dir;
    FoodDatabase m_database;
    FoodIndex m_index;
    NameFinder m_finder;
};

struct FindCase
{
    const char* what;
    const char* typed;
    std::vector<const char*> found; // best first
};

void PrintTo(const FindCase& find, std::ostream* out)
{
    *out << '"' << find.typed << '"';
}

class FoodFinderRulesTest : public FoodFinderTest, public ::testing::WithParamInterface<FindCase>
{
};

TEST_P(FoodFinderRulesTest, FindsTheseNamesInThisOrder)
{
    QStringList expected;
    for (const char* name : GetParam().found)
        expected.append(QString::fromUtf8(name));
    EXPECT_EQ(Names(m_finder.Find(QString::fromUtf8(GetParam().typed))), expected);
}

const FindCase kFindCases[] = {
    {"WordsInAnyOrder", "chedd chees", {"Cheese, cheddar", "Cheese, cheddar, sharp, sliced"}},
    {"FirstWordThenFewerWordsThenAlphabetical",
     "CHEESE",
     {"Cheese, blue", "Cheese, cheddar", "Cheese, cheddar, sharp, sliced", "Cream cheese"}},
    {"PunctuationParts", "cheddar,sharp", {"Cheese, cheddar, sharp, sliced"}},
    {"AccentsIgnoredInTheName", "creme fraiche", {"Crème fraîche"}},
    {"AccentsIgnoredWhenTyped", "JALAPEÑO", {"Jalapeño peppers, raw"}},
    {"PluralTypedFindsSingular",
     "eggs",
     {"Eggs, scrambled", "Egg, whole, raw", "Noodles, egg, dry"}},
    {"WholeWordsBeforeWordStarts",
     "egg",
     {"Eggs, scrambled", "Egg, whole, raw", "Noodles, egg, dry", "Eggnog", "Eggplant, raw"}},
    {"TheWholeNameFirst", "shellfish raw", {"Shellfish, raw", "Shellfish, prawn"}},
    {"PluralOfAPrefixIsNoWord", "apps", {}},
    {"PluralWithItsStem", "apples raw", {"Apple, raw"}},
    {"InsideAWordLast",
     "apple",
     {"Apple, raw", "Apples, dried", "Applesauce, canned", "Pineapple, raw"}},
    {"ShortWordsOnlyBeginWords", "ap", {"Apple, raw", "Apples, dried", "Applesauce, canned"}},
    {"EveryWordMustMatch", "cheddar blue", {}},
    {"NoMatch", "banana", {}},
    {"NoWords", " ,-% ", {}},
    {"OneLetter",
     "c",
     {"Cheese, blue", "Cheese, cheddar", "Cream cheese", "Crème fraîche",
      "Cheese, cheddar, sharp, sliced", "Applesauce, canned", kLongName}},
    {"FortyLetters", "beverages carbonated calorie aspartame caffe", {kLongName}}};

INSTANTIATE_TEST_SUITE_P(Rules, FoodFinderRulesTest, ::testing::ValuesIn(kFindCases),
                         [](const ::testing::TestParamInfo<FindCase>& info) {
                             return std::string(info.param.what);
                         });

TEST_F(FoodFinderTest, FavoritesComeFirstWhenTheyMatch)
{
    const auto position = [this](const char* name) {
        const std::vector<NameFinder::Match> found = m_finder.Find(QString::fromUtf8(name));
        return found.empty() ? 0u : found.front().record;
    };
    // Any item group can name the favorites; only its records count.
    const FoodList favorites(QString(), {{position("applesauce"), QStringLiteral("x")},
                                         {position("cheese blue"), QStringLiteral("y")}});
    const std::vector<NameFinder::Match> found = m_finder.Find(u"apple", &favorites);
    ASSERT_EQ(Names(found),
              QStringList({"Applesauce, canned", "Apple, raw", "Apples, dried", "Pineapple, raw"}));
    EXPECT_EQ(std::pair(found[0].favorite, found[1].favorite), std::pair(true, false));

    // A limit keeps the best.
    EXPECT_EQ(Names(m_finder.Find(u"c", &favorites, 2)),
              QStringList({"Cheese, blue", "Applesauce, canned"}));
}

TEST(ExerciseFinderTest, FindsExercisesUnderTheFirstGroupThatHoldsThem)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fitness_data.pdb"));
    // Records 3 and 4 lie in both groups; record 5 in none.
    WriteDatabase(path, QStringLiteral("- KLV Exercises Database"),
                  {Word(2) + GroupEntry(1, "Running", 1, 4) + GroupEntry(2, "Sports", 3, 4),
                   ExerciseRecord("Running, 5 mph", 9, 9, 9),
                   ExerciseRecord("Running, cross country", 9, 9, 9),
                   ExerciseRecord("Basketball, game", 9, 9, 9),
                   ExerciseRecord("Soccer, casual", 9, 9, 9),
                   ExerciseRecord("Running, stairs", 9, 9, 9)});
    ExerciseDatabase database;
    ASSERT_EQ(database.Open(path), DatabaseError::None);
    ASSERT_EQ(database.ReadGroups(), DatabaseError::None);
    const NameFinder finder = NameFinder::ForExercises(database);
    EXPECT_EQ(finder.Count(), 4);

    const std::vector<NameFinder::Match> soccer = finder.Find(u"soccer");
    ASSERT_EQ(soccer.size(), 1u);
    EXPECT_EQ(
        std::tuple(soccer[0].record, soccer[0].name.toString(), soccer[0].groupName.toString()),
        std::tuple(4u, QStringLiteral("Soccer, casual"), QStringLiteral("Running")));
    EXPECT_EQ(finder.Find(u"run").size(), 2u);
}

} // namespace
