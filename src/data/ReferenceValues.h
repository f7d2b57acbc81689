#pragma once

#include "data/DayValueSource.h"

#include <QHash>

#include <array>

class ExerciseDatabase;
class FoodDatabase;
class UserProfile;

// The day summaries' values taken from the reference databases. A food's numbers are read
// from the stream once per position and kept, so that years of logs sum without rereading it.
class ReferenceValues final : public DayValueSource
{
public:
    ReferenceValues(const ExerciseDatabase* exercises, FoodDatabase* foods,
                    const UserProfile& profile)
        : m_exercises(exercises), m_foods(foods), m_profile(profile)
    {
    }

    std::int32_t ExerciseCalories(const FitnessItem& item) const override;
    std::int32_t FoodValue(const FoodItem& item, int field) const override;

private:
    struct FoodNumbers
    {
        std::array<double, 6> values{}; // in food value order
        std::array<double, 2> unitGrams{};
    };
    const FoodNumbers& NumbersAt(std::uint32_t position) const;

    const ExerciseDatabase* m_exercises;
    FoodDatabase* m_foods;
    const UserProfile& m_profile;
    mutable QHash<std::uint32_t, FoodNumbers> m_numbers;
    // The summaries ask for all six values of an item in a row.
    mutable std::uint32_t m_lastPosition = 0;
    mutable const FoodNumbers* m_last = nullptr;
};
