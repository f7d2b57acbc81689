#pragma once

#include "data/Food.h"
#include "pages/LogRow.h"

#include <cstdint>

class FoodItem;
class ReferenceDatabases;

// A food log item with its food record or quick entry. A food neither holds reads as the
// placeholder food: a clear name and no values.
class FoodLogRow final : public LogRow
{
public:
    enum Field
    {
        Quantity = 0, // portions - 1, 0..9
        Unit = 1,     // 0 first serving unit, 1 second
    };
    static constexpr int kQuantities = 10;
    static constexpr int kUnits = 2;

    explicit FoodLogRow(ReferenceDatabases& references) : m_references(references) {}

    void Attach(Item& item) override;
    QString Name() const override { return m_food.name; }
    int GetField(int field) const override;
    int Calories() const override { return NutrientAmount(0); }
    int NutrientAmount(int nutrient) const override;

    QString UnitName(int unit) const;
    std::uint32_t FoodId() const;

private:
    FoodItem& Entry() const;

    ReferenceDatabases& m_references;
    Food m_food;
};
