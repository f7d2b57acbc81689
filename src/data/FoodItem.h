#pragma once

#include "data/Item.h"

// A food log entry: a food (its position in the foods stream), a number of portions and which
// of the food's two units a portion is.
class FoodItem final : public Item
{
public:
    explicit FoodItem(TimeBase::Stamp day) : Item(FoodKind, day) {}

    std::uint32_t FoodId() const { return Reference(); }
    void SetFoodId(std::uint32_t id) { SetReference(id); }
    int QuantityIndex() const { return m_quantity; } // portions - 1
    void SetQuantityIndex(int index) { m_quantity = index; }
    int UnitIndex() const { return m_unit; } // 0: first unit, anything else: second
    void SetUnitIndex(int index) { m_unit = index; }

protected:
    void LoadFields(RecordStream& stream) override;
    void SaveFields(RecordStream& stream) const override;

private:
    int m_quantity = 0;
    int m_unit = 0;
};
