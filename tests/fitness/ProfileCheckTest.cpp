#include "fitness/ProfileCheck.h"
#include "data/UserProfile.h"

#include <gtest/gtest.h>

namespace {

ProfileCheck::Entry Good(bool metric)
{
    ProfileCheck::Entry e;
    e.name = QStringLiteral("Ann");
    e.age = 30;
    e.height = metric ? 170 : 67;
    e.startWeight = metric ? 80 : 176;
    e.goalWeight = metric ? 70 : 154;
    e.startDate = TimeBase::FromDate(QDate(2026, 1, 1));
    e.goalDate = TimeBase::FromDate(QDate(2026, 3, 1));
    e.metric = metric;
    return e;
}

TEST(ProfileCheckTest, NamesTheFirstFieldOutOfRangeInTheShownUnit)
{
    struct Case
    {
        bool metric;
        void (*spoil)(ProfileCheck::Entry&);
        const char* problem;
    };
    const Case cases[] = {
        {true, [](ProfileCheck::Entry&) {}, ""},
        {false, [](ProfileCheck::Entry& e) { e.goalDate = e.startDate; }, ""},
        {true, [](ProfileCheck::Entry& e) { e.name = QStringLiteral("  "); }, "Enter your name."},
        {true, [](ProfileCheck::Entry& e) { e.age = 0; }, "Age must be 1 to 120 years."},
        {true, [](ProfileCheck::Entry& e) { e.height = 0; }, "Height must be 50 to 250 cm."},
        {false, [](ProfileCheck::Entry& e) { e.height = 9999; }, "Height must be 20 to 98 inches."},
        {false, [](ProfileCheck::Entry& e) { e.startWeight = 0; },
         "Start weight must be 45 to 990 lbs."},
        {true, [](ProfileCheck::Entry& e) { e.goalWeight = 9999; },
         "Goal weight must be 20 to 450 kg."},
        {true, [](ProfileCheck::Entry& e) { e.goalDate = e.startDate - 86400; },
         "The goal date is before the start date."},
        // Several at once: the one met first when reading the form.
        {true, [](ProfileCheck::Entry& e) { e.height = 0, e.goalWeight = 0; },
         "Height must be 50 to 250 cm."},
    };
    for (const Case& c : cases) {
        ProfileCheck::Entry e = Good(c.metric);
        c.spoil(e);
        EXPECT_EQ(ProfileCheck::Problem(e), QString::fromLatin1(c.problem));
    }
}

TEST(ProfileCheckTest, GoalFiguresNeedACompleteProfileAndAForwardSpan)
{
    UserProfile p;
    EXPECT_FALSE(ProfileCheck::HasGoalFigures(p)); // new: no height, an infinite BMI
    p.SetUserName(QStringLiteral("Ann"));
    p.SetAge(30);
    p.SetHeightFromDisplay(170, true);
    p.SetStartWeight(80, true);
    p.SetGoalWeight(70, true);
    EXPECT_TRUE(ProfileCheck::HasGoalFigures(p));
    p.SetGoalDate(p.GetStartDate() - 86400);
    EXPECT_FALSE(ProfileCheck::HasGoalFigures(p));
    p.SetGoalDate(p.GetStartDate());
    p.SetHeightFromDisplay(1e-30f, true); // from a damaged file: complete, yet no finite BMI
    EXPECT_FALSE(ProfileCheck::HasGoalFigures(p));
}

} // namespace
