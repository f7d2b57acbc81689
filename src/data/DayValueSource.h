#pragma once

#include <cstdint>

class FitnessItem;
class FoodItem;

// What the day summaries need to know of a log item: the calories an exercise burned and the
// nutrient values (0..5) of a food entry. The reference databases answer it.
class DayValueSource
{
public:
    virtual ~DayValueSource() = default;
    virtual std::int32_t ExerciseCalories(const FitnessItem& item) const = 0;
    virtual std::int32_t FoodValue(const FoodItem& item, int field) const = 0;
};
