#pragma once

#include <QString>

#include <array>
#include <cstdint>

// Whether a food is read with its names. Sums over years of logs need only the figures, and
// decoding the names of thousands of foods is most of reading them; without, the food's and its
// units' names are left empty.
enum class FoodNames
{
    Read,
    Skip
};

// One record of the foods stream. Numbers are per 100 g; -1.0 means the value is unknown.
struct Food
{
    enum Number
    {
        Calories,
        Fat,
        SaturatedFat,
        Cholesterol, // mg; read, not shown
        Sodium,      // mg; read, not shown
        Carbs,
        Fiber,
        Sugars, // g; read, not shown
        Protein,
        FirstUnitGrams,
        SecondUnitGrams,
        NumberCount
    };

    static constexpr double kNoValue = -1.0;

    std::uint32_t position = 0;
    std::uint8_t header1 = 0;
    std::uint8_t header2 = 0;
    std::int16_t header3 = 0;
    QString name;
    std::array<double, NumberCount> numbers{};
    std::array<QString, 2> units;

    // The number behind a food value (0 calories, 1 carbs, 2 fiber, 3 protein, 4 fat,
    // 5 saturated fat); -1 outside 0..5.
    static int NumberOfValue(int valueNumber);
    double UnitGrams(int unitIndex) const
    {
        return numbers[unitIndex == 0 ? FirstUnitGrams : SecondUnitGrams];
    }
};
