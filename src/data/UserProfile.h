#pragma once

#include "data/TimeBase.h"

#include <QString>

#include <cstdint>

class RecordStream;

enum WeightStatus
{
    Underweight = 0,
    Normal = 1,
    Overweight = 2,
    Obese = 3
};

// The user's profile (record 0 of user.pdb) and every figure derived from it. Stored values are
// metric; the metric flag passed in only changes the unit shown. The arithmetic keeps its exact
// mix of single and double precision: figures must match the ones users have seen before.
class UserProfile final
{
public:
    static constexpr int kRecordVersion = 7;
    static constexpr int kNutrientCount = 6;
    static constexpr int kDurationCount = 7;

    // Flag bits kept in the stored flags.
    static constexpr int kBlogAccountSeen = 2;
    static constexpr int kJournalFlag = 8;

    // What the profile takes, in stored units: wide enough for any adult, narrow enough that a
    // slip of the pen (0, 9999) is caught. Outside it a measurement counts as missing.
    struct Range
    {
        float low;
        float high;
        bool Holds(float value) const { return value >= low && value <= high; } // NaN: no
    };
    static constexpr Range kAgeYears{1, 120};
    static constexpr Range kHeightCm{50, 250};
    static constexpr Range kWeightKg{20, 450};

    UserProfile(); // defaults: dates from today

    static QString NutrientName(int index);      // "Calories" .. "Saturated Fat"; empty outside
    static QString WeightStatusText(int status); // "Underweight" .. "Obese"
    static QString DurationText(int index);      // "15 min" .. "4 hours"
    static int QuarterHours(int durationIndex);
    static float ActivityFactor(int level);
    // The goal date a profile started on `today` gets: two calendar months later, clamped to
    // the last day of that month.
    static TimeBase::Stamp DefaultGoalDate(const QDate& today);

    static float WeightForDisplay(float kilograms, bool metric);
    static float WeightFromDisplay(float value, bool metric);
    // Shown values are whole numbers: + 0.5 in single precision, then truncated.
    static int RoundForDisplay(float value);
    // Typed values: the leading integer of the text (0 when it does not start with digits).
    static int ParseWholeNumber(const QString& text);
    // A typed weight: the leading number with at most its first decimal.
    static float ParseOneDecimal(const QString& text);
    // "178.5" for a value that has one decimal, to single precision (a weight typed so, also
    // after a round trip through the other unit); empty for a value shown as a whole number.
    static QString OneDecimalText(float value);

    bool Changed() const { return m_changed; }
    void SetChanged() { m_changed = true; }
    void ClearChanged() { m_changed = false; }

    QString GetUserName() const { return m_name; }
    void SetUserName(const QString& name) { Set(m_name, name); }
    int GetAge() const { return m_age; }
    void SetAge(int age) { Set(m_age, age); }
    bool IsMale() const { return m_male; }
    void SetMale(bool male) { m_male = male; }

    float HeightCm() const { return m_height; }
    float HeightForDisplay(bool metric) const { return HeightForDisplay(m_height, metric); }
    static float HeightForDisplay(float centimetres, bool metric);
    void SetHeightFromDisplay(float value, bool metric);

    float StartWeightKg() const { return m_startWeight; }
    float GoalWeightKg() const { return m_goalWeight; }
    float GetStartWeight(bool metric) const { return WeightForDisplay(m_startWeight, metric); }
    float GetGoalWeight(bool metric) const { return WeightForDisplay(m_goalWeight, metric); }
    // Store the converted value only when it differs; true when it did.
    bool SetStartWeight(float value, bool metric)
    {
        return Set(m_startWeight, WeightFromDisplay(value, metric));
    }
    bool SetGoalWeight(float value, bool metric)
    {
        return Set(m_goalWeight, WeightFromDisplay(value, metric));
    }

    TimeBase::Stamp GetStartDate() const { return m_startDate; }
    void SetStartDate(TimeBase::Stamp day) { Set(m_startDate, day); }
    TimeBase::Stamp GetGoalDate() const { return m_goalDate; }
    void SetGoalDate(TimeBase::Stamp day) { Set(m_goalDate, day); }

    int GetActivityLevel() const { return m_activityLevel; }
    void SetActivityLevel(int level) { Set(m_activityLevel, level); }
    int GetFoodTracking() const { return m_trackedNutrient; }
    void SetFoodTracking(int nutrient) { Set(m_trackedNutrient, nutrient); }
    int LaunchCount() const { return m_launchCount; }
    void SetLaunchCount(int count) { Set(m_launchCount, count); }
    int Flags() const { return m_flags; }
    void SetFlags(int flags) { Set(m_flags, flags); }

    QString BlogName() const { return m_blogName; }
    void SetBlogName(const QString& name) { Set(m_blogName, name); }
    QString BlogEmail() const { return m_blogEmail; }
    void SetBlogEmail(const QString& email) { Set(m_blogEmail, email); }
    QString BlogPassword() const { return m_blogPassword; }
    void SetBlogPassword(const QString& password) { Set(m_blogPassword, password); }

    // A name, and every measurement within its range.
    bool IsComplete() const;
    float ComputeBmi() const;
    int ComputeWeightStatus() const;
    std::int32_t ComputeBmr() const;
    std::int32_t MaintenanceCalories() const;
    std::int32_t CaloriesToLose() const;
    std::int32_t DailyCalorieGoal() const;
    int ExerciseWeightClass() const;
    // Calories of an exercise with the given 15-minute figure done for a duration index.
    static std::int32_t ExerciseCalories(std::int32_t figure, int durationIndex);

    // Record 0. Load returns false, leaving the profile untouched, when the record is of
    // another version or ends early (the stream's Ok() tells which).
    bool Load(RecordStream& stream);
    void Save(RecordStream& stream) const;

private:
    template <class T, class V> bool Set(T& field, const V& value)
    {
        if (field == value)
            return false;
        field = value;
        m_changed = true;
        return true;
    }

    bool m_changed = false;
    QString m_name;
    std::int32_t m_age = 0;
    bool m_male = true; // never stored nor edited; the female formula stays for completeness
    float m_height = 0;
    float m_startWeight = 0;
    TimeBase::Stamp m_startDate = 0;
    float m_goalWeight = 0;
    TimeBase::Stamp m_goalDate = 0;
    std::int32_t m_activityLevel = 0;
    std::int32_t m_trackedNutrient = 0;
    std::int32_t m_launchCount = 0;
    QString m_blogName;
    QString m_blogEmail;
    QString m_blogPassword;
    std::int32_t m_flags = 0;
};
