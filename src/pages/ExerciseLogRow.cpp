#include "pages/ExerciseLogRow.h"

#include "data/ExerciseDatabase.h"
#include "data/FitnessItem.h"
#include "data/OwnCalories.h"
#include "data/UserProfile.h"

#include <algorithm>

void ExerciseLogRow::Attach(Item& item)
{
    LogRow::Attach(item);
    const auto record = std::int32_t(Entry().ExerciseId());
    m_exercise = m_exercises ? m_exercises->ReadExercise(record) : Exercise();
    if (m_exercise.name.isEmpty()) // no such record: no name and no calories
        m_exercise.name = QString::fromLatin1(kUnknownExerciseName);
}

FitnessItem& ExerciseLogRow::Entry() const
{
    return *static_cast<FitnessItem*>(RowItem());
}

int ExerciseLogRow::GetField(int) const
{
    return std::clamp(Entry().DurationIndex(), 0, UserProfile::kDurationCount - 1);
}

int ExerciseLogRow::Calories() const
{
    if (m_own) {
        if (const std::optional<std::int32_t> own = m_own->Of(Entry().Uid()))
            return *own;
    }
    const std::int32_t figure = m_exercise.CaloriesFor(m_profile.ExerciseWeightClass());
    return std::max(0, UserProfile::ExerciseCalories(figure, GetField(0)));
}

std::uint32_t ExerciseLogRow::ExerciseId() const
{
    return Entry().ExerciseId();
}
