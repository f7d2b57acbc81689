#include "ReferenceTestSupport.h"

#include "data/TextIndex.h"
#include "data/TimeBase.h"
#include "data/TipsDatabase.h"
#include "data/UserSettings.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace ReferenceTest;

namespace {

TEST(DailyTipTest, TheCounterPicksOneTipADay)
{
    const QDateTime noon(QDate(2026, 3, 7), QTime(12, 0), Qt::UTC);
    TimeBase::ScopedClock today(noon);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tips.pdb"));
    WriteDatabase(path, QStringLiteral("- KLV Tips Database"),
                  {Text("Tip zero"), Text("Tip one"), Text("Tip two")});
    UserSettings settings; // a fresh store starts at the first tip
    EXPECT_EQ(TipsDatabase::DailyTip(path, settings), QStringLiteral("Tip zero"));
    EXPECT_EQ(settings.TipDay(), TimeBase::Today());
    settings.ClearChanged();
    EXPECT_EQ(TipsDatabase::DailyTip(path, settings), QString());
    EXPECT_EQ(std::pair(settings.TipCounter(), settings.Changed()), std::pair(1, false));

    TimeBase::ScopedClock tomorrow(noon.addDays(1));
    EXPECT_EQ(TipsDatabase::DailyTip(path, settings), QStringLiteral("Tip one"));
    EXPECT_TRUE(settings.Changed());
    // The counter wraps over the records, even when the stored one is negative.
    for (auto [counter, tip] : {std::pair{5, "Tip two"}, {-1, "Tip two"}}) {
        TimeBase::ScopedClock later(noon.addDays(counter + 10));
        settings.SetTipCounter(counter);
        EXPECT_EQ(TipsDatabase::DailyTip(path, settings), QString::fromLatin1(tip)) << counter;
        EXPECT_EQ(settings.TipCounter(), 3);
    }
}

TEST(TextIndexTest, TopicsByNumber)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("text.pdb"));
    WriteDatabase(path, QStringLiteral("- KLV Text Database"),
                  {Word(2) + Text("First") + Text("Second"), Text("one\ntwo"), Text("2")});
    TextIndex texts;
    ASSERT_EQ(texts.Open(path), DatabaseError::None);
    // The blog page asks for a topic past the index.
    EXPECT_EQ(QStringList({texts.TopicName(1), texts.TopicText(0), texts.TopicText(11)}),
              QStringList({"Second", "one\ntwo", ""}));
    EXPECT_EQ(TextIndex().Open(dir.filePath(QStringLiteral("none.pdb"))),
              DatabaseError::CannotOpen);
}

} // namespace
