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
    // The weight field's number, with its one decimal; 0 when it does not start with a digit.
    virtual float GetCurrentWeight() const = 0;
    // Shown with its decimal when it has one, else truncated toward zero.
    virtual void SetCurrentWeight(float weight) = 0;
    // The unit the weight is shown in, for the range the field takes.
    virtual void SetWeightMetric(bool metric) = 0;
    // The user typed in the weight field, or it shows another number than last set.
    virtual bool IsWeightEdited() const = 0;
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
