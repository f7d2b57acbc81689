#pragma once

#include <QDialog>

#include <cstdint>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

// "My Calories": the calories a logged exercise burned as the user's watch or the machine showed
// them. An empty field lets the worked-out figure count again.
class OwnCaloriesDialog final : public QDialog
{
    Q_OBJECT

public:
    OwnCaloriesDialog(const QString& exercise, std::optional<std::int32_t> calories,
                      QWidget* parent = nullptr);

    QLineEdit* Field() const { return m_field; }
    QString Problem() const;
    // What OK accepted: none for the worked-out figure.
    std::optional<std::int32_t> Calories() const { return m_calories; }

    void accept() override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QLabel* m_text = nullptr;
    QLabel* m_label = nullptr;
    QLineEdit* m_field = nullptr;
    QLabel* m_problem = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    std::optional<std::int32_t> m_calories;
};
