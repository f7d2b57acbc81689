#include "fitness/FoodDetailsContentControl.h"

#include "data/UserProfile.h"

#include <QLabel>

const QString FoodDetailsContentControl::kName = QStringLiteral("FoodDetailsControl");

FoodDetailsContentControl::FoodDetailsContentControl(QWidget* parent) : RowLayoutContainer(parent)
{
    setObjectName(kName);
    std::vector<RowLayout::Row> rows;
    m_name = MakeStatic(150);
    rows.push_back({m_name, nullptr});
    rows.push_back({}); // a blank row between the name and the values
    for (int n = 0; n < UserProfile::kNutrientCount; ++n) {
        QLabel* title = MakeStatic(151 + 2 * n, UserProfile::NutrientName(n) + QLatin1Char(':'));
        m_values[n] = MakeStatic(152 + 2 * n);
        rows.push_back({title, m_values[n]});
    }
    SetRowLayout(std::make_unique<RowLayout>(QStringLiteral("layout/foodDetails"), rows));
}

void FoodDetailsContentControl::SetFoodName(const QString& name)
{
    m_name->setText(name);
}

void FoodDetailsContentControl::SetValue(int nutrient, int value)
{
    if (nutrient >= 0 && nutrient < int(m_values.size()))
        m_values[nutrient]->setText(QString::asprintf("%d", value));
}
