#pragma once

#include "data/OwnFoods.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollArea;

// One of the user's own foods ("My Foods") to make or change: a food's name, one or two units
// with their weights and its figures per 100 g, as the reference foods give them; or a recipe's
// name, servings and ingredients (foods of any kind, each an amount of one of its units). OK keeps
// the dialog open, saying why in plain words, until everything can be stored.
class OwnFoodDialog final : public QDialog
{
    Q_OBJECT

public:
    // What the dialog needs of the program: a food to add as an ingredient (none when the user
    // chose none), and any food by id, for its name and units.
    struct Foods
    {
        std::function<std::optional<std::uint32_t>()> choose;
        std::function<Food(std::uint32_t)> find;
    };

    // `entry` is shown; a recipe when its servings are above 0.
    OwnFoodDialog(const QString& title, const OwnFoods::Entry& entry, Foods foods,
                  QWidget* parent = nullptr);

    // Name; for a food then the units, their weights and the figures per 100 g (Food numbers up
    // to Protein); for a recipe then the servings.
    QLineEdit* NameField() const { return m_name; }
    QLineEdit* UnitField(int unit) const { return m_units[unit]; }
    QLineEdit* GramsField(int unit) const { return m_grams[unit]; }
    QLineEdit* FigureField(int number) const { return m_figures[number]; }
    QLineEdit* ServingsField() const { return m_servings; }
    QListWidget* Ingredients() const { return m_ingredients; }
    QLineEdit* AmountField() const { return m_amount; }
    QComboBox* UnitChoice() const { return m_unitChoice; }
    QPushButton* AddIngredientButton() const { return m_add; }
    QPushButton* RemoveIngredientButton() const { return m_remove; }
    QString Problem() const;
    // What OK accepted.
    const OwnFoods::Entry& Entry() const { return m_entry; }

    void accept() override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Layout();
    bool Read(OwnFoods::Entry& entry, QWidget*& bad, QString& why) const;
    void AddIngredient();
    void RemoveIngredient();
    void ShowIngredient(int row);
    void IngredientEdited();
    QString IngredientText(const OwnFoods::Ingredient& ingredient) const;

    bool m_recipe;
    Foods m_foods;
    QScrollArea* m_scroll = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_units[2] = {};
    QLineEdit* m_grams[2] = {};
    QLineEdit* m_figures[OwnFoods::kFigureCount] = {};
    QLineEdit* m_servings = nullptr;
    QListWidget* m_ingredients = nullptr;
    QLineEdit* m_amount = nullptr;
    QComboBox* m_unitChoice = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_remove = nullptr;
    std::vector<OwnFoods::Ingredient> m_parts;
    QLabel* m_problem = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    OwnFoods::Entry m_entry;
};
