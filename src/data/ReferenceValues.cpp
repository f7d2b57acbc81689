#include "data/ReferenceValues.h"

#include "data/ExerciseDatabase.h"
#include "data/FitnessItem.h"
#include "data/Food.h"
#include "data/FoodItem.h"
#include "data/FoodValue.h"
#include "data/Log.h"
#include "data/OwnCalories.h"
#include "data/OwnFoods.h"
#include "data/ReferenceDatabases.h"
#include "data/UserProfile.h"

std::int32_t ReferenceValues::ExerciseCalories(const FitnessItem& item) const
{
    if (const std::optional<std::int32_t> own = m_references.Own().Of(item.Uid()))
        return *own;
    if (!m_exercises)
        return 0;
    const std::int32_t figure =
        m_exercises->Calories(std::int32_t(item.ExerciseId()), m_profile.ExerciseWeightClass());
    return UserProfile::ExerciseCalories(figure, item.DurationIndex());
}

const ReferenceValues::FoodNumbers& ReferenceValues::NumbersAt(std::uint32_t position) const
{
    // An own food edited, or a recipe's ingredient: every figure is read again.
    if (const std::uint64_t revision = m_references.MyFoods().Revision();
        revision != m_ownFoodsRevision) {
        m_numbers.clear();
        m_last = nullptr;
        m_ownFoodsRevision = revision;
    }
    if (m_last && m_lastPosition == position)
        return *m_last;
    auto it = m_numbers.find(position);
    if (it == m_numbers.end()) {
        FoodNumbers numbers;
        const Food food = m_references.FoodAt(position, FoodNames::Skip);
        for (int v = 0; v < 6; ++v)
            numbers.values[size_t(v)] = food.numbers[size_t(Food::NumberOfValue(v))];
        numbers.unitGrams = {food.UnitGrams(0), food.UnitGrams(1)};
        it = m_numbers.insert(position, numbers);
    }
    m_lastPosition = position;
    m_last = &*it;
    return *it;
}

std::int32_t ReferenceValues::FoodValue(const FoodItem& item, int field) const
{
    if (field < 0 || field >= 6) {
        Store::Log(Store::Info, "Unknown field: %d", field);
        return 0;
    }
    const FoodNumbers& numbers = NumbersAt(item.FoodId());
    return FoodValue::Compute(item.QuantityIndex(), numbers.values[size_t(field)],
                              numbers.unitGrams[item.UnitIndex() == 0 ? 0 : 1]);
}

DayValueSource::FoodFields ReferenceValues::FoodValues(const FoodItem& item) const
{
    const FoodNumbers& numbers = NumbersAt(item.FoodId());
    const double unitGrams = numbers.unitGrams[item.UnitIndex() == 0 ? 0 : 1];
    FoodFields values{};
    for (size_t field = 0; field < values.size(); ++field)
        values[field] = FoodValue::Compute(item.QuantityIndex(), numbers.values[field], unitGrams);
    return values;
}
