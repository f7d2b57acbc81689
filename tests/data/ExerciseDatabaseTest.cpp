#include "ReferenceTestSupport.h"

#include "data/ExerciseDatabase.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace ReferenceTest;

namespace {

QByteArray ExerciseRecord(const char* name, int class0, int class1, int class2)
{
    return Word(12020) + Text(name) + Word(class0) + Word(class1) + Word(class2);
}

QByteArray GroupEntry(int value, const char* name, int first, int last)
{
    return Word(value) + Text(name) + Word(first) + Word(last);
}

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
    EXPECT_EQ(db.QualifiedName(5), QStringLiteral("Cardio: Exercise 5"));
    EXPECT_EQ(db.QualifiedName(4), QStringLiteral("Warm-up: Exercise 4"));
    EXPECT_EQ(db.QualifiedName(10), QStringLiteral("Unknown: Exercise 10"));
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

// Damaged exercise databases: how many groups are read, how many entries the first lists, and
// the name of its first entry. None may crash, and every name must be readable.
struct DamagedExercises
{
    const char* file;
    bool hasRecords;
    int groups;
    int firstCount;
    const char* firstName;
};

class DamagedExercisesTest : public ::testing::TestWithParam<DamagedExercises>
{
};

TEST_P(DamagedExercisesTest, ReadsWhatIsThereAndNoMore)
{
    const DamagedExercises& param = GetParam();
    LogCapture log;
    ExerciseDatabase db;
    ASSERT_EQ(db.Open(DamagedFile(param.file)), DatabaseError::None);
    EXPECT_EQ(db.ReadGroups(), param.hasRecords ? DatabaseError::None : DatabaseError::NoRecords);
    EXPECT_EQ(log.Contains(QStringLiteral("No records in database")), !param.hasRecords);
    ASSERT_EQ(int(db.Groups().size()), param.groups);
    for (const ExerciseGroup& group : db.Groups()) {
        EXPECT_GE(group.First(), 1);
        EXPECT_LT(group.Last(), db.RecordCount());
        for (int i = 0; i < group.Count(); ++i)
            group.NameAt(i);
    }
    if (param.groups > 0) {
        EXPECT_EQ(db.Groups()[0].Count(), param.firstCount);
        if (param.firstCount > 0) {
            EXPECT_EQ(db.Groups()[0].NameAt(0), QString::fromLatin1(param.firstName));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedExercisesTest,
    ::testing::Values(DamagedExercises{"exercises_no_records.pdb", false, 0, 0, ""},
                      DamagedExercises{"exercises_empty_index.pdb", true, 0, 0, ""},
                      DamagedExercises{"exercises_group_count_past_end.pdb", true, 1, 1, "Running"},
                      DamagedExercises{"exercises_range_past_end.pdb", true, 1, 1, "Running"},
                      DamagedExercises{"exercises_range_from_index.pdb", true, 1, 1, "Running"},
                      DamagedExercises{"exercises_inverted_range.pdb", true, 1, 0, ""},
                      DamagedExercises{"exercises_truncated_record.pdb", true, 1, 1, "Runn"},
                      DamagedExercises{"exercises_unterminated_group_name.pdb", true, 0, 0, ""}),
    FileTestName<DamagedExercises>);

} // namespace
