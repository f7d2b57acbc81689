#pragma once

#include "controls/RowLayoutContainer.h"
#include "fitness/ProfileCheck.h"
#include "views/ProfileEditor.h"
#include "vocabulary/ContentControl.h"

#include <vector>

class DayPicker;
class MeasureValidator;
class QComboBox;
class QLineEdit;

// The profile form ("ProfileEditorControl"): tracked nutrient, name, age, height, start weight
// and date, goal weight and date, labels left and fields right. A line below the fields says
// which one is missing or out of range while there is one, or what a refused key would have
// broken.
class ProfileEditorContentControl final : public RowLayoutContainer,
                                          public ContentControl,
                                          public ProfileEditor
{
    Q_OBJECT

public:
    static const QString kName;

    explicit ProfileEditorContentControl(QWidget* parent = nullptr);

    // ContentControl
    EventListener* GetListener() const override { return m_listener; }
    void SetListener(EventListener* listener) override { m_listener = listener; }
    QWidget* GetWindow() override { return this; }

    // ProfileEditor
    QString GetName() const override { return kName; }
    void SetMetric(bool metric) override;
    bool GetMetric() const override { return m_metric; }
    int GetFoodTracking() const override;
    void SetFoodTracking(int index) override;
    QString GetUserName() const override;
    void SetUserName(const QString& name) override;
    int GetAge() const override;
    void SetAge(int age) override;
    int GetHeight() const override;
    void SetHeight(int height) override;
    float GetStartWeight() const override;
    void SetStartWeight(float weight) override;
    float GetGoalWeight() const override;
    void SetGoalWeight(float weight) override;
    TimeBase::Stamp GetStartDate() const override;
    void SetStartDate(TimeBase::Stamp day) override;
    TimeBase::Stamp GetGoalDate() const override;
    void SetGoalDate(TimeBase::Stamp day) override;
    QString Problem() const override;

    QComboBox* FoodTrackingField() const { return m_tracking; }
    QLineEdit* NameField() const { return m_name; }
    QLineEdit* AgeField() const { return m_age; }
    QLineEdit* HeightField() const { return m_height; }
    QLineEdit* StartWeightField() const { return m_startWeight; }
    QLineEdit* GoalWeightField() const { return m_goalWeight; }
    DayPicker* StartDateField() const { return m_startDate; }
    DayPicker* GoalDateField() const { return m_goalDate; }
    QLabel* ProblemLabel() const { return m_problem; }

private:
    QLabel* MakeLabel(int id, const QString& text, QWidget* field);
    QLineEdit* MakeNumberField(int id, ProfileCheck::Measure measure, const QString& name);
    void ShowUnits();
    void CheckFields();

    EventListener* m_listener = nullptr;
    bool m_metric = false;
    QComboBox* m_tracking = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_age = nullptr;
    QLineEdit* m_height = nullptr;
    QLineEdit* m_startWeight = nullptr;
    DayPicker* m_startDate = nullptr;
    QLineEdit* m_goalWeight = nullptr;
    DayPicker* m_goalDate = nullptr;
    QLabel* m_heightLabel = nullptr;
    QLabel* m_startWeightLabel = nullptr;
    QLabel* m_goalWeightLabel = nullptr;
    QLabel* m_problem = nullptr;
    std::vector<MeasureValidator*> m_validators;
};
