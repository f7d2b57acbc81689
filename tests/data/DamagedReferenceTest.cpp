// Every damaged reference database ends in a clear diagnostic or in only what is whole: never a
// crash, a hang or a huge allocation. One row per file under tests/data/reference; the prefix of
// its name picks the reader.
#include "ReferenceTestSupport.h"

#include "data/ExerciseDatabase.h"
#include "data/FoodDatabase.h"
#include "data/FoodIndex.h"
#include "data/TextIndex.h"
#include "data/TipsDatabase.h"
#include "data/UserSettings.h"

#include <gtest/gtest.h>

using namespace ReferenceTest;

namespace {

// A file that is there is damaged, not missing.
QString FoodsOutcome(const QString& path)
{
    FoodDatabase db;
    FoodIndex index;
    DatabaseError error = db.Open(path);
    QString text = db.ErrorText();
    if (error == DatabaseError::None) {
        error = index.Build(db);
        text = index.ErrorText();
    }
    return QString::fromLatin1(DatabaseErrorName(error)) + QStringLiteral(": ") + text;
}

// The groups read and the names each lists; every name must be readable.
QString ExercisesOutcome(const QString& path)
{
    ExerciseDatabase db;
    EXPECT_EQ(db.Open(path), DatabaseError::None);
    const DatabaseError error = db.ReadGroups();
    QString outcome = error == DatabaseError::None ? QStringLiteral("groups:")
                                                   : QString::fromLatin1(DatabaseErrorName(error));
    for (const ExerciseGroup& group : db.Groups()) {
        EXPECT_GE(group.First(), 1);
        EXPECT_LT(group.Last(), db.RecordCount());
        QStringList names;
        for (int i = 0; i < group.Count(); ++i)
            names.append(u'"' + group.NameAt(i) + u'"');
        outcome += QStringLiteral(" [%1]").arg(names.join(u", "));
    }
    return outcome;
}

// The tip shown, and whether the counter moved on; never a division by zero.
QString TipsOutcome(const QString& path)
{
    UserSettings settings;
    settings.SetTipCounter(7);
    settings.ClearChanged();
    const QString tip = TipsDatabase::DailyTip(path, settings);
    return QStringLiteral("\"%1\"%2").arg(tip, settings.Changed() ? " and the next" : "");
}

// The topics kept within the index's room, and the last of them.
QString TextOutcome(const QString& path)
{
    TextIndex texts;
    EXPECT_EQ(texts.Open(path), DatabaseError::None);
    const int last = texts.TopicCount() - 1;
    EXPECT_EQ(texts.TopicText(last + 1), QString());
    return QStringLiteral("%1 topics, last \"%2\": \"%3\"")
        .arg(last + 1)
        .arg(texts.TopicName(last), texts.TopicText(last));
}

struct Damaged
{
    const char* file;
    const char* outcome;
};

const Damaged kDamaged[] = {
    {"foods_missing.pdb", "cannot be opened: No foods database found"},
    {"foods_empty_file.pdb", "damaged: The foods database is damaged: header is truncated"},
    {"foods_truncated_header.pdb", "damaged: The foods database is damaged: header is truncated"},
    {"foods_records_missing.pdb",
     "damaged: The foods database is damaged: record list is truncated"},
    {"foods_no_records.pdb", "damaged: No record 0 in food database"},
    {"foods_short_inner_record.pdb", "damaged: Record 0 of the foods database has 22 bytes"},
    {"foods_oversized_record.pdb", "damaged: Record 0 of the foods database has 20057 bytes"},
    {"foods_negative_group_count.pdb", "damaged: Negative group count in the foods index"},
    {"foods_group_count_past_end.pdb",
     "damaged: The foods index lists more groups than the file holds"},
    {"foods_subgroup_past_end.pdb", "damaged: No record 54 in food database"},
    {"foods_name_past_end.pdb", "damaged: Reading over EOF of foods db"},
    {"foods_negative_food_count.pdb", "damaged: Negative food count in the foods index"},
    {"foods_shared_food_lists.pdb", "damaged: The foods index is larger than the file can hold"},
    {"foods_many_subgroups.pdb", "damaged: The foods index is larger than the file can hold"},
    {"exercises_no_records.pdb", "has no records"},
    {"exercises_empty_index.pdb", "groups:"},
    {"exercises_group_count_past_end.pdb", "groups: [\"Running\"]"},
    {"exercises_range_past_end.pdb", "groups: [\"Running\"]"},
    {"exercises_range_from_index.pdb", "groups: [\"Running\"]"},
    {"exercises_inverted_range.pdb", "groups: []"},
    {"exercises_truncated_record.pdb", "groups: [\"Runn\"]"},
    {"exercises_unterminated_group_name.pdb", "groups:"},
    {"tips_missing.pdb", "\"Install tips database\""},
    {"tips_no_records.pdb", "\"Install tips database\""},
    {"tips_truncated_header.pdb", "\"Install tips database\""},
    {"tips_empty_record.pdb", "\"\" and the next"},
    {"tips_unterminated.pdb", "\"Drink water\" and the next"},
    {"text_no_records.pdb", "0 topics, last \"\": \"\""},
    {"text_too_many_topics.pdb", "100 topics, last \"T99\": \"\""},
    {"text_negative_topic_count.pdb", "0 topics, last \"\": \"\""},
    {"text_count_past_names.pdb", "2 topics, last \"B\": \"\""},
    {"text_missing_topic_records.pdb", "3 topics, last \"C\": \"\""},
};

class DamagedReferenceTest : public ::testing::TestWithParam<Damaged>
{
};

TEST_P(DamagedReferenceTest, GivesWhatIsWholeOrADiagnostic)
{
    const QString file = QString::fromLatin1(GetParam().file);
    const QString path = DamagedFile(GetParam().file);
    const QString outcome = file.startsWith(u"foods_")       ? FoodsOutcome(path)
                            : file.startsWith(u"exercises_") ? ExercisesOutcome(path)
                            : file.startsWith(u"tips_")      ? TipsOutcome(path)
                                                             : TextOutcome(path);
    EXPECT_EQ(outcome.toStdString(), GetParam().outcome);
}

INSTANTIATE_TEST_SUITE_P(Files, DamagedReferenceTest, ::testing::ValuesIn(kDamaged),
                         FileTestName<Damaged>);

} // namespace
