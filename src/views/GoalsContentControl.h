#pragma once

#include "controls/RowLayoutContainer.h"
#include "fitness/GoalFigures.h"
#include "vocabulary/ContentControl.h"

#include <array>

class QLineEdit;

// The figures derived from the profile, read only ("GoalsControl"): BMI, BMR, weight status and
// the calories per day that keep the weight or reach the goal.
class GoalsContentControl final : public RowLayoutContainer,
                                  public ContentControl,
                                  public GoalFigures
{
    Q_OBJECT

public:
    static const QString kName;
    enum Field
    {
        Bmi,
        Bmr,
        Status,
        Maintenance,
        DailyGoal,
        FieldCount
    };

    explicit GoalsContentControl(QWidget* parent = nullptr);

    // ContentControl
    EventListener* GetListener() const override { return m_listener; }
    void SetListener(EventListener* listener) override { m_listener = listener; }
    QWidget* GetWindow() override { return this; }

    // GoalFigures
    QString GetName() const override { return kName; }
    void SetBmi(float bmi) override;
    void SetBmr(int bmr) override;
    void SetWeightStatus(int status) override;
    void SetMaintenanceCalories(int calories) override;
    void SetDailyCalorieGoal(int calories) override;
    void ClearFigures() override;

    QLineEdit* FieldAt(int field) const { return m_fields[size_t(field)]; }

private:
    EventListener* m_listener = nullptr;
    std::array<QLineEdit*, FieldCount> m_fields{};
};
