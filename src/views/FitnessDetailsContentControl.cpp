#include "views/FitnessDetailsContentControl.h"

#include <QLabel>

const QString FitnessDetailsContentControl::kName = QStringLiteral("FitnessDetailsControl");

FitnessDetailsContentControl::FitnessDetailsContentControl(QWidget* parent)
    : RowLayoutContainer(parent)
{
    setObjectName(kName);
    QLabel* categoryTitle = MakeStatic(150, QStringLiteral("Category:"));
    m_category = MakeStatic(151);
    m_category->setWordWrap(true); // the rows are two lines high
    QLabel* nameTitle = MakeStatic(152, QStringLiteral("Name:"));
    m_name = MakeStatic(153);
    m_name->setWordWrap(true);
    QLabel* caloriesTitle = MakeStatic(154, QStringLiteral("Calories (15 min):"));
    m_calories = MakeStatic(155);
    SetRowLayout(std::make_unique<RowLayout>(
        QStringLiteral("layout/fitnessDetails"),
        std::vector<RowLayout::Row>{
            {categoryTitle, m_category}, {nameTitle, m_name}, {caloriesTitle, m_calories}}));
}

void FitnessDetailsContentControl::SetExerciseName(const QString& name)
{
    m_name->setText(name);
}

void FitnessDetailsContentControl::SetCategory(const QString& category)
{
    m_category->setText(category);
}

void FitnessDetailsContentControl::SetCalories(int calories)
{
    m_calories->setText(QString::asprintf("%d", calories));
}
