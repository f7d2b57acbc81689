#pragma once

#include <QString>

// What the goals page gets back from SetContent("GoalsControl").
class GoalFigures
{
public:
    virtual QString GetName() const = 0;
    virtual void SetBmi(float bmi) = 0; // "%.2f"
    virtual void SetBmr(int bmr) = 0;
    virtual void SetWeightStatus(int status) = 0; // 0 "Underweight" .. 3 "Obese"
    virtual void SetMaintenanceCalories(int calories) = 0;
    virtual void SetDailyCalorieGoal(int calories) = 0;
    // Empties every field: there are no figures to show.
    virtual void ClearFigures() = 0;

protected:
    ~GoalFigures() = default;
};
