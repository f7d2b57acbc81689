#pragma once

#include "data/Item.h"

class WeightItem final : public Item
{
public:
    explicit WeightItem(TimeBase::Stamp day) : Item(WeightKind, day) {}

    float Kilograms() const { return m_kilograms; }
    void SetKilograms(float kilograms) { m_kilograms = kilograms; }

protected:
    void LoadFields(RecordStream& stream) override;
    void SaveFields(RecordStream& stream) const override;

private:
    float m_kilograms = 0;
};
