// The store's opening of the reference databases: what start-up learns when one is missing or
// damaged, and the day summaries computed from them.
#include "ReferenceTestSupport.h"

#include "data/DaySummaries.h"
#include "data/DaySummary.h"
#include "data/ExerciseDatabase.h"
#include "data/FitnessItem.h"
#include "data/FoodIndex.h"
#include "data/FoodItem.h"
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
    static const ItemGroup* Butter(UserDatabase& store)
    {
        const int subgroup =
            int(store.References().Index()->SubgroupNames(0).indexOf(QStringLiteral("Butter")));
        return subgroup < 0 ? nullptr : store.References().FoodListAt(1, subgroup);
    }

    QTemporaryDir m_dir;
    DatabaseFolders m_folders;
    TimeBase::ScopedClock m_clock{QDateTime(QDate(2026, 3, 7), QTime(8, 0), Qt::UTC)};
};

TEST_F(ReferenceStoreTest, OpensAllFourReadOnlyAndNamesFavoritesFromThem)
{
    for (const char* file : kReferenceFiles) // the reader must not ask to write
        QFile::setPermissions(Path(file), QFile::ReadOwner);
    UserDatabase store(m_folders);
    EXPECT_TRUE(store.References().CanRun()) << qPrintable(store.References().StartupProblem());
    EXPECT_TRUE(store.References().StartupProblem().isEmpty());
    EXPECT_EQ(UserDatabase::Instance(), &store);
    EXPECT_NE(store.References().Texts(), nullptr);

    const QStringList exerciseGroups = store.References().ExerciseGroupNamesWithFavorites();
    ASSERT_EQ(exerciseGroups.size(), 15);
    EXPECT_EQ(exerciseGroups[0], QStringLiteral("Favorites"));
    EXPECT_EQ(exerciseGroups[1], QStringLiteral("Bicycling"));
    EXPECT_EQ(store.References().ExerciseGroupAt(0), &store.References().FavoriteExerciseGroup());
    EXPECT_EQ(store.References().FoodListAt(0, 3), &store.References().FavoriteFoodGroup());
    ASSERT_NE(store.References().FoodListAt(1, 0), nullptr);
    EXPECT_EQ(store.References().FoodListAt(1, 0)->Title(), QStringLiteral("Beverage"));

    EXPECT_FALSE(store.References().DailyTip().isEmpty());
    EXPECT_TRUE(store.References().DailyTip().isEmpty()); // once a day

    const ItemGroup* butter = Butter(store);
    ASSERT_NE(butter, nullptr);
    FavoritesGroup::Add(store.FavoriteFoods(), butter->RecordAt(0));
    FavoritesGroup::Add(store.FavoriteFoods(), 0x7FFFFFF0); // nothing there
    FavoritesGroup::Add(store.FavoriteExercises(), 1);
    EXPECT_EQ(store.References().FavoriteFoodGroup().NameAt(0), butter->NameAt(0));
    EXPECT_EQ(store.References().FavoriteFoodGroup().NameAt(1), QStringLiteral("Unknown food"));
    EXPECT_EQ(store.References().ExerciseNamesAt(0),
              QStringList({"Bicycling: Mountain bike, uphill"}));
}

struct MissingOrDamaged
{
    const char* file;
    const char* replacement; // damaged file to put in its place; null removes it
    const char* problem;
    const char* diagnostic;
};

class ReferenceStoreStartupTest : public ReferenceStoreTest,
                                  public ::testing::WithParamInterface<MissingOrDamaged>
{
};

TEST_P(ReferenceStoreStartupTest, StartUpLearnsItMustEnd)
{
    const MissingOrDamaged& param = GetParam();
    Replace(param.file, param.replacement ? DamagedFile(param.replacement) : QString());
    LogCapture log;
    {
        UserDatabase store(m_folders);
        EXPECT_FALSE(store.References().CanRun());
        EXPECT_TRUE(
            store.References().StartupProblem().contains(QString::fromLatin1(param.problem)))
            << qPrintable(store.References().StartupProblem());
        EXPECT_TRUE(store.References().StartupProblem().contains(Folder()));
        EXPECT_TRUE(log.Contains(QString::fromLatin1(param.diagnostic)));
        EXPECT_TRUE(log.Contains(store.References().StartupProblem()));
        // The store itself still works, and is reachable, so the profile can be written back.
        EXPECT_EQ(UserDatabase::Instance(), &store);
        EXPECT_TRUE(store.IsWritable());
        EXPECT_EQ(store.References().Texts(), nullptr);
        EXPECT_EQ(store.References().FoodListAt(1, 0), nullptr);
        EXPECT_EQ(store.References().FavoriteFoodGroup().Count(), 0);
        store.Profile().SetLaunchCount(1);
    }
    EXPECT_EQ(UserDatabase::Instance(), nullptr);
    UserDatabase again(m_folders);
    EXPECT_EQ(again.Profile().LaunchCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReferenceStoreStartupTest,
    ::testing::Values(MissingOrDamaged{"fitness_data.pdb", nullptr,
                                       "fitness_data.pdb was not found", "No exercises db found"},
                      MissingOrDamaged{"fitness_data.pdb", "exercises_no_records.pdb",
                                       "fitness_data.pdb in", "No records in database"},
                      MissingOrDamaged{"fitness_data.pdb", "tips_truncated_header.pdb",
                                       "fitness_data.pdb in", "No exercises db found"},
                      MissingOrDamaged{"food_data.pdb", nullptr, "food_data.pdb was not found",
                                       "No foods database found"},
                      MissingOrDamaged{"food_data.pdb", "foods_short_inner_record.pdb",
                                       "food_data.pdb in",
                                       "Record 0 of the foods database has 22 bytes"},
                      MissingOrDamaged{"food_data.pdb", "foods_group_count_past_end.pdb",
                                       "cannot be read", "lists more groups than the file holds"},
                      MissingOrDamaged{"food_data.pdb", "foods_records_missing.pdb",
                                       "food_data.pdb in", "record list is truncated"}),
    [](const ::testing::TestParamInfo<MissingOrDamaged>& info) {
        const std::string replacement = info.param.replacement ? info.param.replacement : "missing";
        return FileTestName(info) + "_" + replacement.substr(0, replacement.find('.'));
    });

TEST_F(ReferenceStoreTest, RunsWithoutHelpTexts)
{
    Replace("text.pdb", QString());
    LogCapture log;
    UserDatabase store(m_folders);
    EXPECT_TRUE(store.References().CanRun());
    EXPECT_EQ(store.References().Texts(), nullptr);
    EXPECT_TRUE(log.Contains(QStringLiteral("Install text database")));
}

TEST_F(ReferenceStoreTest, DaySummariesTakeTheirValuesFromTheReferenceDatabases)
{
    UserDatabase store(m_folders);
    ASSERT_TRUE(store.References().CanRun());
    const ItemGroup* butter = Butter(store);
    ASSERT_NE(butter, nullptr);
    ASSERT_EQ(butter->NameAt(0), QStringLiteral("Butter, salted"));
    const int runningGroup = int(
        store.References().ExerciseGroupNamesWithFavorites().indexOf(QStringLiteral("Running")));
    const int running = int(store.References()
                                .ExerciseNamesAt(runningGroup)
                                .indexOf(QStringLiteral("Running, 6 mph (10 min/mile)")));
    ASSERT_GE(running, 0);

    const TimeBase::Stamp day = TimeBase::Today();
    for (std::uint32_t food : {butter->RecordAt(0), 99999999u}) { // 1 cup (227 g), and nothing
        auto item = std::make_unique<FoodItem>(day);
        item->SetFoodId(food);
        store.FoodLog().Append(std::move(item));
    }
    auto exercise = std::make_unique<FitnessItem>(day);
    exercise->SetExerciseId(store.References().ExerciseGroupAt(runningGroup)->RecordAt(running));
    exercise->SetDurationIndex(3); // one hour
    store.FitnessLog().Append(std::move(exercise));

    ItemList summaries(DaySummaryKind);
    BuildDaySummaries(store, summaries, store.References().Values());
    ASSERT_EQ(summaries.Count(), 1);
    const auto* summary = summaries.ItemAt<DaySummary>(0);
    EXPECT_EQ(summary->Value(DaySummary::NetCalories), 1627 - 4 * 144);
    EXPECT_EQ(summary->Value(4), 184); // fat: 81.11 x 2.27
    EXPECT_EQ(summary->Value(5), 116); // saturated fat
    EXPECT_EQ(summary->Value(3), 1);   // protein

    // A goal weight of 90 kg is weight class 2.
    store.Profile().SetGoalWeight(90, true);
    summaries.Clear();
    BuildDaySummaries(store, summaries, store.References().Values());
    EXPECT_EQ(summaries.ItemAt<DaySummary>(0)->Value(DaySummary::NetCalories), 1627 - 4 * 239);
}

} // namespace
