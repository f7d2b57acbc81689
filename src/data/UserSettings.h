#pragma once

#include "data/TimeBase.h"

#include <cstdint>

class RecordStream;

// The user's preferences and remembered choices (record 8 of user.pdb).
class UserSettings final
{
public:
    int LastExerciseGroup() const { return m_lastExerciseGroup; }
    void SetLastExerciseGroup(int group) { Set(m_lastExerciseGroup, group); }
    int LastFoodGroup() const { return m_lastFoodGroup; }
    void SetLastFoodGroup(int group) { Set(m_lastFoodGroup, group); }
    int TipCounter() const { return m_tipCounter; }
    void SetTipCounter(int counter) { Set(m_tipCounter, counter); }
    TimeBase::Stamp TipDay() const { return m_tipDay; }
    void SetTipDay(TimeBase::Stamp day) { Set(m_tipDay, day); }
    // Non-zero shows kilograms and centimetres. Kept as stored: a flag of 2 stays 2.
    std::uint32_t Metric() const { return m_metric; }
    void SetMetric(std::uint32_t metric) { Set(m_metric, metric); }

    bool Changed() const { return m_changed; }
    void ClearChanged() { m_changed = false; }

    // False, leaving the settings as they were, when the record ends early.
    bool Load(RecordStream& stream);
    void Save(RecordStream& stream) const;

private:
    // Every set marks the record for writing, as callers that change nothing do not call.
    template <class T, class V> void Set(T& field, V value)
    {
        field = T(value);
        m_changed = true;
    }

    int m_lastExerciseGroup = 1;
    int m_lastFoodGroup = 1;
    int m_tipCounter = 0;
    TimeBase::Stamp m_tipDay = 0;
    std::uint32_t m_metric = 0;
    bool m_changed = false;
};
