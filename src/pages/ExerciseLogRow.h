#pragma once

#include "data/Exercise.h"
#include "pages/LogRow.h"

#include <cstdint>

class ExerciseDatabase;
class OwnCalories;
class FitnessItem;
class UserProfile;

// A fitness log item with a copy of its exercise record; its one field is the duration and
// every nutrient it is asked for is the calories it burned.
class ExerciseLogRow final : public LogRow
{
public:
    static constexpr const char* kUnknownExerciseName = "Unknown exercise";

    // `own`: the calories the user gave, which count instead of the worked-out figure.
    ExerciseLogRow(const ExerciseDatabase* exercises, const UserProfile& profile,
                   const OwnCalories* own = nullptr)
        : m_exercises(exercises), m_profile(profile), m_own(own)
    {
    }

    void Attach(Item& item) override;
    QString Name() const override { return m_exercise.name; }
    // The field number is ignored: the duration index, 0..6.
    int GetField(int field) const override;
    // The profile's weight class figure for the duration.
    int Calories() const override;
    int NutrientAmount(int) const override { return Calories(); }

    std::uint32_t ExerciseId() const;

private:
    FitnessItem& Entry() const;

    const ExerciseDatabase* m_exercises;
    const UserProfile& m_profile;
    const OwnCalories* m_own;
    Exercise m_exercise;
};
