#include "data/FoodValue.h"

#include "data/Food.h"
#include "data/FoodItem.h"
#include "data/Log.h"

#include <cmath>
#include <limits>

namespace FoodValue {

std::int32_t Compute(int quantityIndex, double number, double unitGrams)
{
    const double portions = double(quantityIndex) + 1;
    const double value = portions * number * unitGrams * 0.01;
    // An unknown number or unit weight (-1) is no amount at all, never a negative one.
    if (!(value > 0))
        return 0;
    // Damaged figures must not turn into undefined conversions.
    if (!(std::fabs(value) < 2147483648.0))
        return std::numeric_limits<std::int32_t>::max();
    return std::int32_t(value);
}

std::int32_t Of(const Food& food, const FoodItem& item, int valueNumber)
{
    const int number = Food::NumberOfValue(valueNumber);
    if (number < 0) {
        Store::Log(Store::Info, "Unknown field: %d", valueNumber);
        return 0;
    }
    return Compute(item.QuantityIndex(), food.numbers[size_t(number)],
                   food.UnitGrams(item.UnitIndex()));
}

} // namespace FoodValue
