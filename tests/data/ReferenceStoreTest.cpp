// The store's opening of the reference databases: what start-up learns when one is missing or
// damaged, and the day summaries computed from them.
#include "ReferenceTestSupport.h"

#include "data/DayValueSource.h"
#include "data/FitnessItem.h"
#include "data/FoodIndex.h"
#include "data/TextIndex.h"
#include "data/UserDatabase.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace ReferenceTest;

namespace {

const char* const kReferenceFiles[] = {"food_data.pdb", "fitness_data.pdb", "tips.pdb", "text.pdb"};

class ReferenceStoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_folders.userFolder = m_dir.path();
        m_folders.referenceFolders = {m_dir.path()};
        for (const char* file : kReferenceFiles)
            QFile::copy(GeneratedFile(file), Path(file));
    }

    QString Path(const char* file) const { return m_dir.filePath(QString::fromLatin1(file)); }
    void Replace(const char* file, const QString& with)
    {
        QFile::remove(Path(file));
        if (!with.isEmpty()) {
            ASSERT_TRUE(QFile::copy(with, Path(file)));
        }
    }
    QString Folder() const { return QDir::toNativeSeparators(m_dir.path()); }

    QTemporaryDir m_dir;
    DatabaseFolders m_folders;
    TimeBase::ScopedClock m_clock{QDateTime(QDate(2026, 3, 7), QTime(8, 0), Qt::UTC)};
};

TEST_F(ReferenceStoreTest, OpensAllFourReadOnlyAndNamesFavoritesFromThem)
{
    for (const char* file : kReferenceFiles) // the reader must not ask to write
        QFile::setPermissions(Path(file), QFile::ReadOwner);
    UserDatabase store(m_folders);
    ReferenceDatabases& refs = store.References();
    EXPECT_TRUE(refs.CanRun()) << qPrintable(refs.StartupProblem());
    EXPECT_NE(refs.Texts(), nullptr);

    EXPECT_EQ(refs.ExerciseGroupNamesWithFavorites().mid(0, 2),
              QStringList({"Favorites", "Bicycling"}));
    EXPECT_EQ(refs.ExerciseGroupAt(0), &refs.FavoriteExerciseGroup());
    EXPECT_EQ(refs.FoodListAt(0, 3), &refs.FavoriteFoodGroup());
    ASSERT_NE(refs.FoodListAt(1, 0), nullptr);
    EXPECT_EQ(refs.FoodListAt(1, 0)->Title(), QStringLiteral("Beverage"));

    EXPECT_FALSE(refs.DailyTip().isEmpty());
    EXPECT_TRUE(refs.DailyTip().isEmpty()); // once a day

    const ItemGroup* butter =
        refs.FoodListAt(1, int(refs.Index()->SubgroupNames(0).indexOf(QStringLiteral("Butter"))));
    ASSERT_NE(butter, nullptr);
    FavoritesGroup::Add(store.FavoriteFoods(), butter->RecordAt(0));
    FavoritesGroup::Add(store.FavoriteFoods(), 0x7FFFFFF0); // nothing there
    FavoritesGroup::Add(store.FavoriteExercises(), 1);
    EXPECT_EQ(std::pair(refs.FavoriteFoodGroup().NameAt(0), refs.FavoriteFoodGroup().NameAt(1)),
              std::pair(butter->NameAt(0), QStringLiteral("Unknown food")));
    EXPECT_EQ(refs.ExerciseNamesAt(0), QStringList({"Bicycling: Mountain bike, uphill"}));
}

struct MissingOrDamaged
{
    const char* file;
    const char* replacement; // damaged file to put in its place; null removes it
    const char* problem;     // after "Nutrava cannot start: the "; %1 is the folder
};

class ReferenceStoreStartupTest : public ReferenceStoreTest,
                                  public ::testing::WithParamInterface<MissingOrDamaged>
{
};

TEST_P(ReferenceStoreStartupTest, StartUpLearnsItMustEnd)
{
    const MissingOrDamaged& param = GetParam();
    Replace(param.file, param.replacement ? DamagedFile(param.replacement) : QString());
    {
        UserDatabase store(m_folders);
        ReferenceDatabases& refs = store.References();
        EXPECT_EQ(refs.StartupProblem(),
                  "Nutrava cannot start: the " + QString::fromLatin1(param.problem).arg(Folder()));
        // The store itself still works, so the profile can be written back.
        EXPECT_TRUE(store.IsWritable());
        EXPECT_EQ(std::tuple(refs.Texts(), refs.FoodListAt(1, 0), refs.FavoriteFoodGroup().Count()),
                  std::tuple(nullptr, nullptr, 0));
        store.Profile().SetLaunchCount(1);
    }
    UserDatabase again(m_folders);
    EXPECT_EQ(again.Profile().LaunchCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReferenceStoreStartupTest,
    ::testing::Values(
        MissingOrDamaged{"fitness_data.pdb", nullptr,
                         "exercise database fitness_data.pdb was not found in %1."},
        MissingOrDamaged{"fitness_data.pdb", "exercises_no_records.pdb",
                         "exercise database fitness_data.pdb in %1 has no records."},
        MissingOrDamaged{"fitness_data.pdb", "tips_truncated_header.pdb",
                         "exercise database fitness_data.pdb in %1 cannot be read."},
        MissingOrDamaged{"food_data.pdb", nullptr,
                         "foods database food_data.pdb was not found in %1."},
        MissingOrDamaged{"food_data.pdb", "foods_group_count_past_end.pdb",
                         "foods database food_data.pdb in %1 cannot be read (The foods index "
                         "lists more groups than the file holds)."},
        MissingOrDamaged{"food_data.pdb", "foods_records_missing.pdb",
                         "foods database food_data.pdb in %1 cannot be read (The foods "
                         "database is damaged: record list is truncated)."}),
    [](const ::testing::TestParamInfo<MissingOrDamaged>& info) {
        const std::string replacement = info.param.replacement ? info.param.replacement : "missing";
        return FileTestName(info) + "_" + replacement.substr(0, replacement.find('.'));
    });

TEST_F(ReferenceStoreTest, RunsWithoutHelpTexts)
{
    Replace("text.pdb", QString());
    UserDatabase store(m_folders);
    EXPECT_TRUE(store.References().CanRun());
    EXPECT_EQ(store.References().Texts(), nullptr);
}

// The foods' values reach the exporter's files (tests/export); an exercise's calories follow the
// weight class of the profile as it is when they are asked for.
TEST_F(ReferenceStoreTest, ExerciseCaloriesFollowTheGoalWeight)
{
    UserDatabase store(m_folders);
    ReferenceDatabases& refs = store.References();
    ASSERT_TRUE(refs.CanRun());
    const int group =
        int(refs.ExerciseGroupNamesWithFavorites().indexOf(QStringLiteral("Running")));
    const int running =
        int(refs.ExerciseNamesAt(group).indexOf(QStringLiteral("Running, 6 mph (10 min/mile)")));
    ASSERT_GE(running, 0);
    FitnessItem hour(TimeBase::Today());
    hour.SetExerciseId(refs.ExerciseGroupAt(group)->RecordAt(running));
    hour.SetDurationIndex(3);

    store.Profile().SetGoalWeight(60, true);
    EXPECT_EQ(refs.Values()->ExerciseCalories(hour), 4 * 144);
    store.Profile().SetGoalWeight(90, true);
    EXPECT_EQ(refs.Values()->ExerciseCalories(hour), 4 * 239);
}

} // namespace
