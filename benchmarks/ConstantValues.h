#pragma once

#include "data/DayValueSource.h"
#include "data/FitnessItem.h"
#include "data/FoodItem.h"

// Day values for the benchmarks without the reference databases: cheap, and varied by item.
class ConstantValues final : public DayValueSource
{
public:
    std::int32_t ExerciseCalories(const FitnessItem& item) const override
    {
        return std::int32_t(item.ExerciseId() % 300);
    }
    std::int32_t FoodValue(const FoodItem& item, int field) const override
    {
        return std::int32_t(item.FoodId() % 500) + field;
    }
};
