#pragma once

#include "data/Item.h"

// A fitness log entry: an exercise (its record number) done for one of the seven durations.
class FitnessItem final : public Item
{
public:
    explicit FitnessItem(TimeBase::Stamp day) : Item(FitnessKind, day) {}

    std::uint32_t ExerciseId() const { return Reference(); }
    void SetExerciseId(std::uint32_t id) { SetReference(id); }
    int DurationIndex() const { return m_duration; }
    void SetDurationIndex(int index) { m_duration = index; }

protected:
    void LoadFields(RecordStream& stream) override;
    void SaveFields(RecordStream& stream) const override;

private:
    int m_duration = 0;
};
