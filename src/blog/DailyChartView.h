#pragma once

#include <QString>

// What the daily chart page gets back from SetContent("DailyChartControl"). Figures are read
// back from the fields, so whatever is posted is what the page shows.
class DailyChartView
{
public:
    virtual QString GetName() const = 0;
    // The weight field becomes read-only text asking for the profile.
    virtual void ShowFillProfile() = 0;
    // The leading digits of the weight field; 0 when it does not start with one.
    virtual float GetCurrentWeight() const = 0;
    // Shown truncated toward zero.
    virtual void SetCurrentWeight(float weight) = 0;
    virtual void SetDailyCaloricGoal(int calories) = 0;
    virtual void SetTodaysCalories(int calories) = 0;
    virtual void SetCaloriesConsumed(int calories) = 0;
    virtual void SetCaloriesBurned(int calories) = 0;
    virtual int GetDailyCaloricGoal() const = 0;
    virtual int GetTodaysCalories() const = 0;
    virtual int GetCaloriesConsumed() const = 0;
    virtual int GetCaloriesBurned() const = 0;

protected:
    ~DailyChartView() = default;
};
