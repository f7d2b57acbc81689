#pragma once

#include "data/DayValueSource.h"

#include <QHash>

#include <array>

class ExerciseDatabase;
class ReferenceDatabases;
class UserProfile;

// The day summaries' values taken from the reference databases and the quick entries. A food's
// numbers are read once per id and kept, so that years of logs sum without rereading the stream.
class ReferenceValues final : public DayValueSource
{
public:
    ReferenceValues(ReferenceDatabases& references, const ExerciseDatabase* exercises,
                    const UserProfile& profile)
        : m_references(references), m_exercises(exercises), m_profile(profile)
    {
    }

    std::int32_t ExerciseCalories(const FitnessItem& item) const override;
    std::int32_t FoodValue(const FoodItem& item, int field) const override;
    FoodFields FoodValues(const FoodItem& item) const override;

private:
    struct FoodNumbers
    {
        std::array<double, 6> values{}; // in food value order
        std::array<double, 2> unitGrams{};
    };
    const FoodNumbers& NumbersAt(std::uint32_t position) const;

    ReferenceDatabases& m_references;
    const ExerciseDatabase* m_exercises;
    const UserProfile& m_profile;
    mutable QHash<std::uint32_t, FoodNumbers> m_numbers;
    mutable std::uint64_t m_ownFoodsRevision = 0; // of the own foods m_numbers was read with
    // The summaries ask for all six values of an item in a row.
    mutable std::uint32_t m_lastPosition = 0;
    mutable const FoodNumbers* m_last = nullptr;
};
