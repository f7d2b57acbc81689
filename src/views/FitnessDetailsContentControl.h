#pragma once

#include "controls/RowLayoutContainer.h"
#include "views/FitnessDetails.h"
#include "vocabulary/ContentControl.h"

// An exercise's category, name and calories of a quarter hour, read only
// ("FitnessDetailsControl").
class FitnessDetailsContentControl final : public RowLayoutContainer,
                                           public ContentControl,
                                           public FitnessDetails
{
    Q_OBJECT

public:
    static const QString kName;

    explicit FitnessDetailsContentControl(QWidget* parent = nullptr);

    // ContentControl
    EventListener* GetListener() const override { return m_listener; }
    void SetListener(EventListener* listener) override { m_listener = listener; }
    QWidget* GetWindow() override { return this; }

    // FitnessDetails
    QString GetName() const override { return kName; }
    void SetExerciseName(const QString& name) override;
    void SetCategory(const QString& category) override;
    void SetCalories(int calories) override;

    QLabel* CategoryLabel() const { return m_category; }
    QLabel* NameLabel() const { return m_name; }
    QLabel* CaloriesLabel() const { return m_calories; }

private:
    EventListener* m_listener = nullptr;
    QLabel* m_category = nullptr;
    QLabel* m_name = nullptr;
    QLabel* m_calories = nullptr;
};
