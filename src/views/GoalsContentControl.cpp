#include "views/GoalsContentControl.h"

#include "data/UserProfile.h"

#include <QLabel>
#include <QLineEdit>

const QString GoalsContentControl::kName = QStringLiteral("GoalsControl");

GoalsContentControl::GoalsContentControl(QWidget* parent) : RowLayoutContainer(parent)
{
    setObjectName(kName);
    // Fields first: creation order is the tab order, and labels take no focus.
    const char* const names[FieldCount] = {"BMI", "BMR", "Weight Status",
                                           "Calories Per Day To Maintain Weight",
                                           "Calories Per Day To Reach Goal Weight"};
    for (int f = 0; f < FieldCount; ++f) {
        auto* field = new QLineEdit(this);
        field->setObjectName(QString::number(200 + f));
        field->setGeometry(0, 0, 10, 10);
        field->setReadOnly(true);
        field->setAccessibleName(QString::fromLatin1(names[f]));
        m_fields[size_t(f)] = field;
    }
    const auto label = [this](int id, const char* text, QLineEdit* field = nullptr) {
        QLabel* made = MakeStatic(id, QString::fromLatin1(text));
        made->setFocusPolicy(Qt::NoFocus);
        if (field)
            made->setBuddy(field);
        return made;
    };
    SetRowLayout(std::make_unique<RowLayout>(
        QStringLiteral("layout/goals"),
        std::vector<RowLayout::Row>{
            {label(151, "BMI:", m_fields[Bmi]), m_fields[Bmi]},
            {label(152, "BMR:", m_fields[Bmr]), m_fields[Bmr]},
            {label(153, "Weight Status:", m_fields[Status]), m_fields[Status]},
            {label(154, "Calories Per Day To"), nullptr},
            {label(155, "Maintain Weight:", m_fields[Maintenance]), m_fields[Maintenance]},
            {label(156, "Calories Per Day To"), nullptr},
            {label(157, "Reach Goal Weight:", m_fields[DailyGoal]), m_fields[DailyGoal]}}));
}

void GoalsContentControl::SetBmi(float bmi)
{
    m_fields[Bmi]->setText(QString::asprintf("%.2f", double(bmi)));
}

void GoalsContentControl::SetBmr(int bmr)
{
    m_fields[Bmr]->setText(QString::asprintf("%d", bmr));
}

void GoalsContentControl::SetWeightStatus(int status)
{
    m_fields[Status]->setText(UserProfile::WeightStatusText(status));
}

void GoalsContentControl::SetMaintenanceCalories(int calories)
{
    m_fields[Maintenance]->setText(QString::asprintf("%d", calories));
}

void GoalsContentControl::SetDailyCalorieGoal(int calories)
{
    m_fields[DailyGoal]->setText(QString::asprintf("%d", calories));
}

void GoalsContentControl::ClearFigures()
{
    for (QLineEdit* field : m_fields)
        field->clear();
}
