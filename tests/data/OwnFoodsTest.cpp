// The user's own foods and recipes: my_foods.pdb beside user.pdb, read and written like it, and
// the figures the log, the day sums and a recipe take from them.
#include "ReferenceTestSupport.h"

#include "data/DayValueSource.h"
#include "data/FoodItem.h"
#include "data/FoodValue.h"
#include "data/UserDatabase.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace ReferenceTest;

namespace {

constexpr TimeBase::Stamp kDay = 3'900'000'000u;

OwnFoods::Entry Bread()
{
    OwnFoods::Entry bread;
    bread.name = QStringLiteral("Grandma's rye bread");
    bread.units = {QStringLiteral("slice"), QString()};
    bread.unitGrams = {40, Food::kNoValue};
    bread.figures[Food::Calories] = 250;
    bread.figures[Food::Carbs] = 48;
    bread.figures[Food::Protein] = 8.5;
    return bread;
}

class OwnFoodsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char* file : {"food_data.pdb", "fitness_data.pdb"})
            QFile::copy(GeneratedFile(file), m_dir.filePath(QString::fromLatin1(file)));
    }
    DatabaseFolders Folders() const { return {m_dir.path(), {m_dir.path()}}; }
    QString OwnFile() const { return m_dir.filePath(QStringLiteral("my_foods.pdb")); }
    QStringList Files() const
    {
        return QDir(m_dir.path()).entryList({QStringLiteral("my_foods*")}, QDir::Files);
    }
    // A food of the reference file, with its position.
    static std::uint32_t ReferenceFood(UserDatabase& store)
    {
        return store.References().FoodListAt(1, 0)->RecordAt(0);
    }
    static std::int32_t Logged(UserDatabase& store, std::uint32_t id, int portions, int value)
    {
        FoodItem item(kDay);
        item.SetFoodId(id);
        item.SetQuantityIndex(portions - 1);
        return store.References().Values()->FoodValue(item, value);
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(OwnFoodsTest, LiveInAFileOfTheirOwnThatOnlyAnOwnFoodMakes)
{
    std::uint32_t bread = 0;
    QByteArray userFile;
    {
        UserDatabase store(Folders());
        // Choosing "My Foods" in the lookup is not a food: no file, not even a lock.
        store.MyFoods().SetLookupShowsMine(true);
        EXPECT_TRUE(store.Commit());
        EXPECT_EQ(Files(), QStringList());

        bread = store.MyFoods().NextId();
        EXPECT_TRUE(OwnFoods::IsOwnId(bread));
        EXPECT_FALSE(OwnFoods::IsOwnId(0x3FFFFFFFu)) << "past the last position of any foods file";
        store.MyFoods().Set(bread, Bread());
        TestSupport::Add<FoodItem>(store.FoodLog(), kDay)->SetFoodId(bread);
        store.SaveFoodLog();
        EXPECT_TRUE(store.Commit());
        EXPECT_EQ(Files(), QStringList({"my_foods.pdb", "my_foods.pdb.lock"}));
        userFile = TestSupport::ReadFile(m_dir.filePath(QStringLiteral("user.pdb")));
    }
    UserDatabase store(Folders());
    ASSERT_NE(store.MyFoods().Find(bread), nullptr);
    EXPECT_EQ(*store.MyFoods().Find(bread), Bread());
    EXPECT_TRUE(store.MyFoods().LookupShowsMine());
    // One unit given: the second is the same, so either unit of the log reads it.
    const Food food = store.References().FoodAt(bread);
    EXPECT_EQ(std::tuple(food.name, food.units[1], food.UnitGrams(1)),
              std::tuple(Bread().name, QString("slice"), 40.0));
    EXPECT_EQ(Logged(store, bread, 2, 0), 200); // 2 x 250 x 40 x 0.01
    EXPECT_EQ(Logged(store, bread, 1, 1), 19);  // carbs 48 x 0.4, truncated
    // The foods file and the user's own are read with the same lookup: the favorites name it.
    EXPECT_EQ(store.References().FavoriteFoodGroup().Count(), 0);
    // user.pdb keeps only the item: the food is not written into it.
    EXPECT_FALSE(userFile.contains("rye bread"));
}

TEST_F(OwnFoodsTest, RecipesSumTheirIngredientsPerServingWhateverTheirDepth)
{
    UserDatabase store(Folders());
    OwnFoods& mine = store.MyFoods();
    const std::uint32_t bread = mine.NextId();
    mine.Set(bread, Bread());
    const std::uint32_t reference = ReferenceFood(store);
    const Food cheese = store.References().FoodAt(reference);
    ASSERT_GT(cheese.numbers[Food::Calories], 0);

    OwnFoods::Entry sandwich;
    sandwich.name = QStringLiteral("Sandwich");
    sandwich.servings = 2;
    sandwich.ingredients = {{bread, 0, 4}, {reference, 1, 1.5}};
    const std::uint32_t sandwiches = mine.NextId();
    mine.Set(sandwiches, sandwich);

    const double calories =
        (4 * 250 * 40 * 0.01 + 1.5 * cheese.numbers[Food::Calories] * cheese.UnitGrams(1) * 0.01) /
        2;
    Food food = store.References().FoodAt(sandwiches);
    EXPECT_EQ(food.units[0], QStringLiteral("serving"));
    EXPECT_NEAR(food.numbers[Food::Calories], calories, 1e-9);
    EXPECT_EQ(Logged(store, sandwiches, 3, 0), std::int32_t(3 * calories));

    // A figure no ingredient knows stays unknown.
    EXPECT_EQ(food.numbers[Food::Sodium] < 0, cheese.numbers[Food::Sodium] < 0);

    // A recipe within a recipe counts; one within itself counts nothing of itself and ends.
    OwnFoods::Entry lunch;
    lunch.name = QStringLiteral("Lunch");
    lunch.servings = 1;
    const std::uint32_t lunches = mine.NextId();
    lunch.ingredients = {{sandwiches, 0, 2}, {lunches, 0, 1}};
    mine.Set(lunches, lunch);
    EXPECT_NEAR(store.References().FoodAt(lunches).numbers[Food::Calories], 2 * calories, 1e-9);

    // An edited ingredient changes the recipe and the day sums read it again.
    const std::int32_t before = Logged(store, sandwiches, 1, 0);
    OwnFoods::Entry lighter = Bread();
    lighter.figures[Food::Calories] = 200;
    mine.Set(bread, lighter);
    EXPECT_EQ(Logged(store, sandwiches, 1, 0), before - 2 * 50 * 40 / 100);
}

TEST_F(OwnFoodsTest, ADamagedFileLosesNothingAndAMissingOneShowsPlaceholders)
{
    std::uint32_t bread = 0;
    std::uint32_t second = 0;
    {
        UserDatabase store(Folders());
        bread = store.MyFoods().NextId();
        store.MyFoods().Set(bread, Bread());
        second = store.MyFoods().NextId();
        OwnFoods::Entry other = Bread();
        other.name = QStringLiteral("Oat cake");
        store.MyFoods().Set(second, other);
        for (std::uint32_t id : {bread, second})
            TestSupport::Add<FoodItem>(store.FoodLog(), kDay)->SetFoodId(id);
        store.SaveFoodLog();
        store.Commit();
    }
    const QByteArray whole = TestSupport::ReadFile(OwnFile());

    // Missing: the log keeps its items and shows the placeholder.
    QFile::rename(OwnFile(), OwnFile() + QStringLiteral(".away"));
    {
        UserDatabase store(Folders());
        EXPECT_EQ(store.FoodLog().Count(), 2);
        EXPECT_EQ(store.References().FoodAt(bread).name, QStringLiteral("Unknown food"));
        EXPECT_EQ(Logged(store, bread, 1, 0), 0);
        EXPECT_TRUE(store.OwnFoodsProblem().isEmpty()) << "a new file can be made";
    }
    QFile::remove(OwnFile() + QStringLiteral(".lock"));
    QFile::rename(OwnFile() + QStringLiteral(".away"), OwnFile());

    // Cut inside the second food: the first is kept, the file as found is copied aside.
    ASSERT_TRUE(TestSupport::WriteFile(OwnFile(), whole.left(whole.size() - 30)));
    {
        UserDatabase store(Folders());
        EXPECT_NE(store.MyFoods().Find(bread), nullptr);
        EXPECT_EQ(store.MyFoods().Find(second), nullptr);
        EXPECT_EQ(store.FoodLog().Count(), 2);
        EXPECT_TRUE(store.DamageNotice().contains(QStringLiteral("my_foods.pdb")));
    }
    const QStringList copies =
        QDir(m_dir.path()).entryList({QStringLiteral("my_foods.pdb.damaged-*")}, QDir::Files);
    ASSERT_EQ(copies.size(), 1);
    EXPECT_EQ(TestSupport::ReadFile(m_dir.filePath(copies[0])), whole.left(whole.size() - 30));

    // Not a database at all: shown without own foods, never written over, and saying why.
    ASSERT_TRUE(TestSupport::WriteFile(OwnFile(), "not a database"));
    {
        UserDatabase store(Folders());
        EXPECT_EQ(store.References().FoodAt(bread).name, QStringLiteral("Unknown food"));
        EXPECT_TRUE(store.OwnFoodsProblem().contains(QStringLiteral("cannot be read")));
        store.MyFoods().Set(store.MyFoods().NextId(), Bread());
        store.Commit();
    }
    EXPECT_EQ(TestSupport::ReadFile(OwnFile()), QByteArray("not a database"));
}

TEST_F(OwnFoodsTest, ADeletedFoodStaysWhileAnythingRefersToIt)
{
    std::uint32_t logged = 0;
    std::uint32_t unused = 0;
    std::uint32_t ingredient = 0;
    {
        UserDatabase store(Folders());
        OwnFoods& mine = store.MyFoods();
        OwnFoods::Entry gone = Bread();
        gone.deleted = true;
        for (std::uint32_t* id : {&logged, &unused, &ingredient}) {
            *id = mine.NextId();
            mine.Set(*id, gone);
        }
        OwnFoods::Entry recipe;
        recipe.name = QStringLiteral("Toast");
        recipe.servings = 1;
        recipe.ingredients = {{ingredient, 0, 1}};
        mine.Set(mine.NextId(), recipe);
        TestSupport::Add<FoodItem>(store.FoodLog(), kDay)->SetFoodId(logged);
        store.SaveFoodLog();
        store.Commit();
        EXPECT_EQ(mine.Shown().size(), 1u) << "the lookup shows only the recipe";
    }
    UserDatabase store(Folders());
    EXPECT_NE(store.MyFoods().Find(logged), nullptr);
    EXPECT_NE(store.MyFoods().Find(ingredient), nullptr);
    EXPECT_EQ(store.MyFoods().Find(unused), nullptr);
}
