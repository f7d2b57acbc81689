#pragma once

#include "data/Item.h"

#include <array>

// One day's totals, computed from the logs for the trend chart; never stored.
class DaySummary final : public Item
{
public:
    enum Field
    {
        NetCalories = 0,
        Carbs,
        Fiber,
        Protein,
        Fat,
        SaturatedFat,
        FieldCount
    };

    explicit DaySummary(TimeBase::Stamp day) : Item(DaySummaryKind, day) {}

    // Fields 0..5 in the order above; any other number gives 0 and a diagnostic.
    std::int32_t Value(int field) const;
    void SetValue(int field, std::int32_t value);

private:
    std::array<std::int32_t, FieldCount> m_values{};
};
