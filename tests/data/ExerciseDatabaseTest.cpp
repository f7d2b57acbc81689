#include "ReferenceTestSupport.h"

#include "data/ExerciseDatabase.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace ReferenceTest;

namespace {

// Records 1 to 11: "Exercise 1" .. "Exercise 11"; groups as given.
class ExerciseDatabaseTest : public ::testing::Test
{
protected:
    ExerciseDatabase& Open(const QByteArray& index, int exercises = 11)
    {
        std::vector<QByteArray> records{index};
        for (int i = 1; i <= exercises; ++i)
            records.push_back(ExerciseRecord(qPrintable(QStringLiteral("Exercise %1").arg(i)),
                                             100 + i, 200 + i, 300 + i));
        const QString path = m_dir.filePath(QStringLiteral("fitness_data.pdb"));
        WriteDatabase(path, QStringLiteral("- KLV Exercises Database"), records);
        EXPECT_EQ(m_db.Open(path), DatabaseError::None);
        EXPECT_EQ(m_db.ReadGroups(), DatabaseError::None);
        return m_db;
    }

    QTemporaryDir m_dir;
    ExerciseDatabase m_db;
};

TEST_F(ExerciseDatabaseTest, AGroupListsItsRunOfRecordsUnderItsTitle)
{
    ExerciseDatabase& db =
        Open(Word(2) + GroupEntry(1, "Warm-up", 1, 4) + GroupEntry(2, "Cardio", 5, 9));
    ASSERT_EQ(db.GroupNames(), QStringList({"Warm-up", "Cardio"}));
    const ExerciseGroup* cardio = db.GroupAt(1);
    ASSERT_NE(cardio, nullptr);
    ASSERT_EQ(cardio->Count(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(cardio->RecordAt(i), std::uint32_t(5 + i));
        EXPECT_EQ(cardio->NameAt(i), QStringLiteral("Exercise %1").arg(5 + i));
    }
    // Favorites mix groups, so they carry the title; no group covers record 10.
    EXPECT_EQ(QStringList({db.QualifiedName(5), db.QualifiedName(4), db.QualifiedName(10)}),
              QStringList({"Cardio: Exercise 5", "Warm-up: Exercise 4", "Unknown: Exercise 10"}));
}

TEST_F(ExerciseDatabaseTest, TheWeightClassPicksTheCalorieFigure)
{
    ExerciseDatabase& db = Open(Word(1) + GroupEntry(1, "All", 1, 11));
    // Outside 0..2 the first figure counts.
    for (auto [weightClass, calories] : {std::pair{0, 103}, {1, 203}, {2, 303}, {3, 103}})
        EXPECT_EQ(db.Calories(3, weightClass), calories) << weightClass;
    for (int record : {-1, 0, 12, 40000}) {
        const Exercise exercise = db.ReadExercise(record);
        EXPECT_TRUE(exercise.name.isEmpty()) << record;
        EXPECT_EQ(exercise.calories, (std::array<std::int32_t, 3>{0, 0, 0})) << record;
    }
}

} // namespace
