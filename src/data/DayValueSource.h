#pragma once

#include <array>
#include <cstddef>
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

    static constexpr int kFoodFields = 6;
    using FoodFields = std::array<std::int32_t, kFoodFields>;
    // All of a food entry's values at once; a source that looks its food up once overrides it.
    virtual FoodFields FoodValues(const FoodItem& item) const
    {
        FoodFields values{};
        for (int field = 0; field < kFoodFields; ++field)
            values[std::size_t(field)] = FoodValue(item, field);
        return values;
    }
};
