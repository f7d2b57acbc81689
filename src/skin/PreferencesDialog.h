#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class UserProfile;
class UserSettings;

// The tracked nutrient and the metric units. OK marks only what changed; Cancel touches nothing.
class PreferencesDialog final : public QDialog
{
    Q_OBJECT

public:
    PreferencesDialog(UserProfile& profile, UserSettings& settings, QWidget* parent);

    QComboBox* NutrientList() const { return m_nutrients; }
    QCheckBox* MetricBox() const { return m_metric; }

    void accept() override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    UserProfile& m_profile;
    UserSettings& m_settings;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QLabel* m_track = nullptr;
    QComboBox* m_nutrients = nullptr;
    QCheckBox* m_metric = nullptr;
};
