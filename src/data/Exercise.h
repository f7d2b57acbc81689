#pragma once

#include <QString>

#include <array>
#include <cstdint>

// One record of the exercise database: its name and calories per 15 minutes for the three
// weight classes.
struct Exercise
{
    QString name;
    std::array<std::int32_t, 3> calories{};

    // A class outside 0..2 takes the class-0 figure.
    std::int32_t CaloriesFor(int weightClass) const
    {
        return calories[weightClass >= 0 && weightClass < 3 ? size_t(weightClass) : 0];
    }
};
