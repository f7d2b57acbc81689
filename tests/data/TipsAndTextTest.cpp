#include "ReferenceTestSupport.h"

#include "data/TextIndex.h"
#include "data/TimeBase.h"
#include "data/TipsDatabase.h"
#include "data/UserSettings.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace ReferenceTest;

namespace {

const QDateTime kNoon(QDate(2026, 3, 7), QTime(12, 0), Qt::UTC);

class DailyTipTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_path = m_dir.filePath(QStringLiteral("tips.pdb"));
        WriteDatabase(m_path, QStringLiteral("- KLV Tips Database"),
                      {Text("Tip zero"), Text("Tip one"), Text("Tip two")});
    }

    QTemporaryDir m_dir;
    QString m_path;
    TimeBase::ScopedClock m_clock{kNoon};
};

TEST_F(DailyTipTest, TheCounterPicksOneTipADay)
{
    UserSettings settings; // a fresh store starts at the first tip
    EXPECT_EQ(TipsDatabase::DailyTip(m_path, settings), QStringLiteral("Tip zero"));
    EXPECT_EQ(settings.TipDay(), TimeBase::Today());
    settings.ClearChanged();
    EXPECT_EQ(TipsDatabase::DailyTip(m_path, settings), QString());
    EXPECT_EQ(settings.TipCounter(), 1);
    EXPECT_FALSE(settings.Changed());

    TimeBase::ScopedClock tomorrow(kNoon.addDays(1));
    EXPECT_EQ(TipsDatabase::DailyTip(m_path, settings), QStringLiteral("Tip one"));
    EXPECT_TRUE(settings.Changed());
    // The counter wraps over the records, even when the stored one is negative.
    for (auto [counter, tip] : {std::pair{5, "Tip two"}, {-1, "Tip two"}}) {
        TimeBase::ScopedClock later(kNoon.addDays(counter + 10));
        settings.SetTipCounter(counter);
        EXPECT_EQ(TipsDatabase::DailyTip(m_path, settings), QString::fromLatin1(tip)) << counter;
        EXPECT_EQ(settings.TipCounter(), 3);
    }
}

struct DamagedTips
{
    const char* file;
    const char* tip;
    bool advances;
};

class DamagedTipsTest : public ::testing::TestWithParam<DamagedTips>
{
};

TEST_P(DamagedTipsTest, GivesATextAndNeverDividesByZero)
{
    const DamagedTips& param = GetParam();
    UserSettings settings;
    settings.SetTipCounter(7);
    settings.ClearChanged();
    EXPECT_EQ(TipsDatabase::DailyTip(DamagedFile(param.file), settings),
              QString::fromLatin1(param.tip));
    EXPECT_EQ(settings.Changed(), param.advances);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedTipsTest,
    ::testing::Values(DamagedTips{"tips_missing.pdb", "Install tips database", false},
                      DamagedTips{"tips_no_records.pdb", "Install tips database", false},
                      DamagedTips{"tips_truncated_header.pdb", "Install tips database", false},
                      DamagedTips{"tips_empty_record.pdb", "", true},
                      DamagedTips{"tips_unterminated.pdb", "Drink water", true}),
    FileTestName<DamagedTips>);

TEST(TextIndexTest, TopicsByNumber)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("text.pdb"));
    WriteDatabase(path, QStringLiteral("- KLV Text Database"),
                  {Word(2) + Text("First") + Text("Second"), Text("one\ntwo"), Text("2")});
    TextIndex texts;
    ASSERT_EQ(texts.Open(path), DatabaseError::None);
    EXPECT_EQ(texts.TopicName(1), QStringLiteral("Second"));
    EXPECT_EQ(texts.TopicText(0), QStringLiteral("one\ntwo"));
    EXPECT_EQ(texts.TopicText(11), QString()); // the blog page asks for a topic past the index
    EXPECT_EQ(TextIndex().Open(dir.filePath(QStringLiteral("none.pdb"))),
              DatabaseError::CannotOpen);
}

struct DamagedText
{
    const char* file;
    int topics;
    const char* lastName;
    const char* lastText;
};

class DamagedTextTest : public ::testing::TestWithParam<DamagedText>
{
};

TEST_P(DamagedTextTest, KeepsTheIndexWithinItsRoom)
{
    const DamagedText& param = GetParam();
    TextIndex texts;
    ASSERT_EQ(texts.Open(DamagedFile(param.file)), DatabaseError::None);
    ASSERT_EQ(texts.TopicCount(), param.topics);
    if (param.topics > 0) {
        EXPECT_EQ(texts.TopicName(param.topics - 1), QString::fromLatin1(param.lastName));
        EXPECT_EQ(texts.TopicText(param.topics - 1), QString::fromLatin1(param.lastText));
    }
    EXPECT_EQ(texts.TopicText(param.topics), QString());
}

INSTANTIATE_TEST_SUITE_P(Files, DamagedTextTest,
                         ::testing::Values(DamagedText{"text_no_records.pdb", 0, "", ""},
                                           DamagedText{"text_too_many_topics.pdb", 100, "T99", ""},
                                           DamagedText{"text_negative_topic_count.pdb", 0, "", ""},
                                           DamagedText{"text_count_past_names.pdb", 2, "B", ""},
                                           DamagedText{"text_missing_topic_records.pdb", 3, "C",
                                                       ""}),
                         FileTestName<DamagedText>);

} // namespace
