#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class UserProfile;
class UserSettings;

// The tracked nutrient and the metric units, shown as the profile and settings hold them. The
// dialog changes neither: its caller makes the choices, once accepted, an edit.
class PreferencesDialog final : public QDialog
{
    Q_OBJECT

public:
    PreferencesDialog(const UserProfile& profile, const UserSettings& settings, QWidget* parent);

    QComboBox* NutrientList() const { return m_nutrients; }
    QCheckBox* MetricBox() const { return m_metric; }
    int ChosenNutrient() const;
    bool ChosenMetric() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QLabel* m_track = nullptr;
    QComboBox* m_nutrients = nullptr;
    QCheckBox* m_metric = nullptr;
};
