#include "pages/FoodLogRow.h"

#include "data/FoodItem.h"
#include "data/FoodValue.h"
#include "data/ReferenceDatabases.h"

#include <algorithm>

void FoodLogRow::Attach(Item& item)
{
    LogRow::Attach(item);
    m_food = m_references.FoodAt(Entry().FoodId());
}

FoodItem& FoodLogRow::Entry() const
{
    return *static_cast<FoodItem*>(RowItem());
}

int FoodLogRow::GetField(int field) const
{
    // A damaged record may hold anything; the choice lists only know these.
    if (field == Quantity)
        return std::clamp(Entry().QuantityIndex(), 0, kQuantities - 1);
    return Entry().UnitIndex() == 0 ? 0 : 1;
}

int FoodLogRow::NutrientAmount(int nutrient) const
{
    return FoodValue::Of(m_food, Entry(), nutrient);
}

QString FoodLogRow::UnitName(int unit) const
{
    return m_food.units[unit == 0 ? 0 : 1];
}

std::uint32_t FoodLogRow::FoodId() const
{
    return Entry().FoodId();
}
