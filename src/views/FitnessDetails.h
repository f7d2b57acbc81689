#pragma once

#include <QString>

// What the exercise details page gets back from SetContent("FitnessDetailsControl").
class FitnessDetails
{
public:
    virtual QString GetName() const = 0;
    virtual void SetExerciseName(const QString& name) = 0;
    virtual void SetCategory(const QString& category) = 0;
    // Calories of a quarter hour.
    virtual void SetCalories(int calories) = 0;

protected:
    ~FitnessDetails() = default;
};
