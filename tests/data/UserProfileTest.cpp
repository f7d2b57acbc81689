#include "data/UserProfile.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

UserProfile Profile(float heightCm, float startKg, float goalKg = 70, int age = 30)
{
    UserProfile p;
    p.SetUserName(QStringLiteral("Ann"));
    p.SetAge(age);
    p.SetHeightFromDisplay(heightCm, true);
    p.SetStartWeight(startKg, true);
    p.SetGoalWeight(goalKg, true);
    return p;
}

} // namespace

TEST(UserProfile, BmiAndWeightStatusBorders)
{
    const UserProfile p = Profile(175, 70);
    EXPECT_EQ(QString::asprintf("%.2f", p.ComputeBmi()), QStringLiteral("22.86"));
    EXPECT_EQ(p.ComputeWeightStatus(), Normal);

    // Heights of 100 cm make the BMI the weight itself.
    const std::pair<float, int> borders[] = {{18.4f, Underweight}, {18.5f, Normal},
                                             {24.9f, Normal},      {25.0f, Overweight},
                                             {29.9f, Overweight},  {30.0f, Obese}};
    for (auto [kg, status] : borders)
        EXPECT_EQ(Profile(100, kg).ComputeWeightStatus(), status) << kg;
    EXPECT_EQ(Profile(0, 70).ComputeWeightStatus(), Obese); // no height: not a number
    EXPECT_EQ(UserProfile::WeightStatusText(Obese), QStringLiteral("Obese"));
}

TEST(UserProfile, BmrTruncatesItsInputsAndGoalFollowsTheSpan)
{
    const UserProfile whole = Profile(175, 70, 65, 40);
    const UserProfile fractional = Profile(175.9f, 70.9f, 65, 40);
    // 5 x 175 + 13.7 x 70 + 66 - 6.8 x 40 = 1628
    EXPECT_EQ(std::pair(whole.ComputeBmr(), fractional.ComputeBmr()), std::pair(1628, 1628));
    EXPECT_EQ(whole.MaintenanceCalories(), 1953); // 1628 x 1.2 in single precision
    // 5 kg = 11.023 lb x 3500
    EXPECT_EQ(whole.CaloriesToLose(), 38580);

    for (auto [days, goal] : {std::pair{0, 1953 - 38580}, {70, 1953 - 38580 / 70}}) {
        UserProfile p = whole;
        p.SetGoalDate(p.GetStartDate() + days * 86400);
        EXPECT_EQ(p.DailyCalorieGoal(), goal) << days;
    }

    UserProfile gaining = Profile(175, 70, 75, 40);
    gaining.SetGoalDate(gaining.GetStartDate() + 70 * 86400);
    EXPECT_GT(gaining.DailyCalorieGoal(), gaining.MaintenanceCalories());

    UserProfile female = whole;
    female.SetMale(false);
    EXPECT_EQ(female.ComputeBmr(), 1464); // 1.8 x 175 + 9.6 x 70 + 665 - 4.7 x 40
}

TEST(UserProfile, CompletenessNeedsEveryMeasurement)
{
    UserProfile noName = Profile(175, 70);
    EXPECT_TRUE(noName.IsComplete());
    noName.SetUserName(QString());
    // Out of the ranges the profile page takes, a measurement counts as missing: 40000 years
    // come back from an older version's file as -25536.
    for (const UserProfile& p :
         {UserProfile(), noName, Profile(175, 70, 0), Profile(175, 70, 70, 0),
          Profile(175, 70, 70, -25536), Profile(175, 70, 70, 121), Profile(49.9f, 70),
          Profile(251, 70), Profile(175, 19.9f), Profile(175, 70, 450.1f)})
        EXPECT_FALSE(p.IsComplete());
    EXPECT_TRUE(Profile(50, 20, 450, 120).IsComplete());
}

TEST(UserProfile, WeightClassesAndExerciseCalories)
{
    for (auto [goalKg, weightClass] :
         {std::pair{70.0f, 0}, {70.9f, 0}, {71.0f, 1}, {86.0f, 1}, {87.0f, 2}})
        EXPECT_EQ(Profile(175, 80, goalKg).ExerciseWeightClass(), weightClass) << goalKg;
    for (auto [duration, calories] : {std::pair{0, 62}, {3, 250}, {6, 1000}})
        EXPECT_EQ(UserProfile::ExerciseCalories(250, duration), calories) << duration;
    const int quarters[] = {1, 2, 3, 4, 8, 12, 16};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(UserProfile::QuarterHours(i), quarters[i]);
    EXPECT_EQ(UserProfile::DurationText(4), QStringLiteral("2 hours"));
}

TEST(UserProfile, DefaultGoalDateIsTwoMonthsLaterClampedToTheMonth)
{
    for (auto [start, goal] : {std::pair{QDate(2026, 12, 30), QDate(2027, 2, 28)},
                               {QDate(2027, 12, 30), QDate(2028, 2, 29)},
                               {QDate(2026, 6, 30), QDate(2026, 8, 30)},
                               {QDate(2026, 7, 31), QDate(2026, 9, 30)}})
        EXPECT_EQ(TimeBase::ToDate(UserProfile::DefaultGoalDate(start)), goal)
            << qPrintable(start.toString());
    EXPECT_EQ(TimeBase::DaysInMonth(2100, 2), 28); // past the stamps' range, but the rule holds
    EXPECT_EQ(TimeBase::DaysInMonth(2000, 2), 29);
    // A day step past either end of the stamps' range stays where it is.
    const TimeBase::Stamp last = std::numeric_limits<TimeBase::Stamp>::max();
    EXPECT_EQ(std::pair(TimeBase::AddDays(0, -1), TimeBase::AddDays(last, 1)), std::pair(0u, last));
    EXPECT_EQ(TimeBase::AddDays(86400, -1), 0u);

    TimeBase::ScopedClock clock(QDateTime(QDate(2026, 1, 31), QTime(23, 59)));
    const UserProfile fresh;
    EXPECT_EQ(fresh.GetStartDate(), TimeBase::FromDate(QDate(2026, 1, 31)));
    EXPECT_EQ(fresh.GetGoalDate(), TimeBase::FromDate(QDate(2026, 3, 31)));
}

TEST(UserProfile, UnitsChangeOnlyWhatIsShown)
{
    UserProfile p = Profile(180, 80);
    EXPECT_FLOAT_EQ(p.GetStartWeight(false), 176.36981f);
    EXPECT_EQ(std::tuple(UserProfile::RoundForDisplay(p.GetStartWeight(false)),
                         UserProfile::RoundForDisplay(p.HeightForDisplay(false)),
                         p.StartWeightKg()),
              std::tuple(176, 71, 80.0f));

    // Typing "150.7" pounds stores 150 pounds in kilograms.
    p.ClearChanged();
    EXPECT_TRUE(
        p.SetStartWeight(float(UserProfile::ParseWholeNumber(QStringLiteral("150.7"))), false));
    EXPECT_EQ(p.StartWeightKg(), float(150.0 * 0.45359237));
    EXPECT_TRUE(p.Changed());
    p.ClearChanged();
    EXPECT_FALSE(p.SetStartWeight(150, false)); // same value: nothing changes
    EXPECT_FALSE(p.Changed());

    p.SetHeightFromDisplay(70, false);
    EXPECT_EQ(p.HeightCm(), 70 * 2.54f);

    for (auto [typed, number] : {std::pair{"abc", 0}, {"12kg", 12}, {"99999999999", 2147483647}})
        EXPECT_EQ(UserProfile::ParseWholeNumber(QString::fromLatin1(typed)), number) << typed;
    // Weights take one decimal, and are shown with it, also back from the other unit.
    for (auto [typed, number] : {std::pair{"70.9", 70.9f},
                                 {"178.55", 178.5f},
                                 {"-0.5", -0.5f},
                                 {"12.", 12.0f},
                                 {"12kg.5", 12.0f}})
        EXPECT_EQ(UserProfile::ParseOneDecimal(QString::fromLatin1(typed)), number) << typed;
    const float backFromPounds =
        UserProfile::WeightForDisplay(UserProfile::WeightFromDisplay(992.9f, false), false);
    for (auto [value, shown] : {std::pair{70.9f, "70.9"},
                                {backFromPounds, "992.9"},
                                {70.0f, ""},
                                {p.GetStartWeight(false), ""},
                                {70.95f, ""}})
        EXPECT_EQ(UserProfile::OneDecimalText(value), QString::fromLatin1(shown)) << value;
}
