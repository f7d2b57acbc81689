#pragma once

#include "controls/RowLayoutContainer.h"
#include "views/DailyChartView.h"
#include "vocabulary/ContentControl.h"

#include <array>

class MeasureValidator;
class QLineEdit;

// One day's figures as a form ("DailyChartControl"): the weight the user may type, then the
// calorie goal, the net calories, the calories consumed and burned, read only. A line below says
// why a typed weight cannot be stored.
class DailyChartContentControl final : public RowLayoutContainer,
                                       public ContentControl,
                                       public DailyChartView
{
    Q_OBJECT

public:
    static const QString kName;

    explicit DailyChartContentControl(QWidget* parent = nullptr);

    // ContentControl
    EventListener* GetListener() const override { return m_listener; }
    void SetListener(EventListener* listener) override { m_listener = listener; }
    QWidget* GetWindow() override { return this; }

    // DailyChartView
    QString GetName() const override { return kName; }
    void ShowFillProfile() override;
    float GetCurrentWeight() const override;
    void SetCurrentWeight(float weight) override;
    void SetWeightMetric(bool metric) override;
    bool IsWeightEdited() const override;
    void SetDailyCaloricGoal(int calories) override;
    void SetTodaysCalories(int calories) override;
    void SetCaloriesConsumed(int calories) override;
    void SetCaloriesBurned(int calories) override;
    int GetDailyCaloricGoal() const override;
    int GetTodaysCalories() const override;
    int GetCaloriesConsumed() const override;
    int GetCaloriesBurned() const override;

    enum Field
    {
        Weight = 0,
        Goal,
        Todays,
        Consumed,
        Burned,
        FieldCount
    };
    QLineEdit* FieldAt(int field) const { return m_fields[size_t(field)]; }
    QLabel* ProblemLabel() const { return m_problem; }

protected:
    // In the "Fill Profile" state a tap, Enter or Space on the weight field raises "profile".
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetFigure(int field, int value);
    int Figure(int field) const;

    void CheckWeight();

    EventListener* m_listener = nullptr;
    std::array<QLineEdit*, FieldCount> m_fields{};
    MeasureValidator* m_weightValidator = nullptr;
    QLabel* m_problem = nullptr;
    QString m_shownWeight; // as last set
    bool m_fillProfile = false;
};
