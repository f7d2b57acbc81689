#pragma once

#include <cstdint>

struct Food;
class FoodItem;

// A logged food's amount of one value (0 calories, 1 carbs, 2 fiber, 3 protein, 4 fat,
// 5 saturated fat): portions x per-100-gram number x unit grams x 0.01, truncated toward zero.
// An unknown number or unit weight (-1) gives 0: no list, chart or sum shows a negative amount.
namespace FoodValue {

std::int32_t Compute(int quantityIndex, double number, double unitGrams);
// 0 and the diagnostic "Unknown field: %d" for a value number outside 0..5.
std::int32_t Of(const Food& food, const FoodItem& item, int valueNumber);

} // namespace FoodValue
