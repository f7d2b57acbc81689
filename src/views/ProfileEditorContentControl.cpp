#include "views/ProfileEditorContentControl.h"

#include "controls/DayPicker.h"
#include "controls/NumberField.h"
#include "data/UserProfile.h"
#include "skin/DropDownName.h"
#include "views/MeasureValidator.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

const QString ProfileEditorContentControl::kName = QStringLiteral("ProfileEditorControl");

namespace {

// A label's text as a field's accessible name: "Age (years):" names the field "Age (years)".
QString FieldName(const QString& label)
{
    QString name = label;
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    return name;
}

// As typed when it has a decimal, else a whole number (+ 0.5, truncated).
QString WeightText(float weight)
{
    const QString typed = UserProfile::OneDecimalText(weight);
    return typed.isEmpty() ? QString::asprintf("%d", UserProfile::RoundForDisplay(weight)) : typed;
}

} // namespace

ProfileEditorContentControl::ProfileEditorContentControl(QWidget* parent)
    : RowLayoutContainer(parent)
{
    setObjectName(kName);

    // Created in row order, which is also the tab order.
    m_tracking = new QComboBox(this);
    m_tracking->setObjectName(QStringLiteral("149"));
    m_tracking->setGeometry(0, 0, 10, 10);
    for (int n = 0; n < UserProfile::kNutrientCount; ++n)
        m_tracking->addItem(UserProfile::NutrientName(n));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("200"));
    m_name->setGeometry(0, 0, 10, 10);
    using Measure = ProfileCheck::Measure;
    m_age = MakeNumberField(201, Measure::Age, QStringLiteral("Age"));
    m_height = MakeNumberField(202, Measure::Height, QStringLiteral("Height"));
    m_startWeight = MakeNumberField(203, Measure::Weight, QStringLiteral("Start weight"));
    m_startDate = new DayPicker(this);
    m_startDate->setObjectName(QStringLiteral("250"));
    m_startDate->setGeometry(0, 0, 10, 10);
    m_goalWeight = MakeNumberField(204, Measure::Weight, QStringLiteral("Goal weight"));
    m_goalDate = new DayPicker(this);
    m_goalDate->setObjectName(QStringLiteral("251"));
    m_goalDate->setGeometry(0, 0, 10, 10);

    QLabel* tracking = MakeLabel(151, QStringLiteral("Food Tracking:"), m_tracking);
    QLabel* name = MakeLabel(150, QStringLiteral("Name:"), m_name);
    QLabel* age = MakeLabel(152, QStringLiteral("Age (years):"), m_age);
    m_heightLabel = MakeLabel(153, {}, m_height);
    m_startWeightLabel = MakeLabel(154, {}, m_startWeight);
    QLabel* startDate = MakeLabel(155, QStringLiteral("Start Date:"), m_startDate);
    m_goalWeightLabel = MakeLabel(156, {}, m_goalWeight);
    QLabel* goalDate = MakeLabel(157, QStringLiteral("Goal Date:"), m_goalDate);
    ShowUnits();

    m_problem = MakeStatic(158);
    MeasureValidator::SetUpProblemLine(m_problem, QStringLiteral("What to correct in the profile"));
    for (MeasureValidator* validator : m_validators)
        connect(validator, &MeasureValidator::Refused, this,
                [this](const QString& why) { MeasureValidator::ShowProblem(m_problem, why); });

    for (QLineEdit* field : {m_name, m_age, m_height, m_startWeight, m_goalWeight})
        connect(field, &QLineEdit::textChanged, this, &ProfileEditorContentControl::CheckFields);
    for (DayPicker* field : {m_startDate, m_goalDate})
        connect(field, &QDateEdit::dateChanged, this, &ProfileEditorContentControl::CheckFields);

    SetRowLayout(
        std::make_unique<RowLayout>(QStringLiteral("layout/profile"),
                                    std::vector<RowLayout::Row>{{tracking, m_tracking},
                                                                {name, m_name},
                                                                {age, m_age},
                                                                {m_heightLabel, m_height},
                                                                {m_startWeightLabel, m_startWeight},
                                                                {startDate, m_startDate},
                                                                {m_goalWeightLabel, m_goalWeight},
                                                                {goalDate, m_goalDate},
                                                                {m_problem, nullptr}}));
    CheckFields();
}

QLabel* ProfileEditorContentControl::MakeLabel(int id, const QString& text, QWidget* field)
{
    QLabel* label = MakeStatic(id, text);
    label->setFocusPolicy(Qt::NoFocus); // the field beside it takes the focus
    label->setBuddy(field);
    if (auto* box = qobject_cast<QComboBox*>(field))
        SetDropDownName(box, FieldName(text));
    else
        field->setAccessibleName(FieldName(text));
    return label;
}

QLineEdit* ProfileEditorContentControl::MakeNumberField(int id, ProfileCheck::Measure measure,
                                                        const QString& name)
{
    auto* field = new NumberField(this);
    field->setObjectName(QString::number(id));
    field->setGeometry(0, 0, 10, 10);
    auto* validator = new MeasureValidator(measure, name, field);
    validator->SetMetric(m_metric);
    m_validators.push_back(validator);
    return field;
}

void ProfileEditorContentControl::ShowUnits()
{
    const auto show = [](QLabel* label, QWidget* field, const QString& text) {
        label->setText(text);
        field->setAccessibleName(text);
        label->update();
    };
    if (m_metric) {
        show(m_heightLabel, m_height, QStringLiteral("Height (cm)"));
        show(m_startWeightLabel, m_startWeight, QStringLiteral("Start Weight (kg)"));
        show(m_goalWeightLabel, m_goalWeight, QStringLiteral("Goal Weight (kg)"));
    } else {
        show(m_heightLabel, m_height, QStringLiteral("Height (inches)"));
        show(m_startWeightLabel, m_startWeight, QStringLiteral("Start Weight (lbs)"));
        show(m_goalWeightLabel, m_goalWeight, QStringLiteral("Goal Weight (lbs)"));
    }
}

void ProfileEditorContentControl::SetMetric(bool metric)
{
    if (metric == m_metric)
        return;
    m_metric = metric;
    for (MeasureValidator* validator : m_validators)
        validator->SetMetric(metric);
    ShowUnits();
    CheckFields(); // the ranges are in the shown unit
}

int ProfileEditorContentControl::GetFoodTracking() const
{
    return m_tracking->currentIndex();
}

void ProfileEditorContentControl::SetFoodTracking(int index)
{
    m_tracking->setCurrentIndex(index >= 0 && index < m_tracking->count() ? index : -1);
}

QString ProfileEditorContentControl::GetUserName() const
{
    return m_name->text();
}

void ProfileEditorContentControl::SetUserName(const QString& name)
{
    m_name->setText(name);
}

int ProfileEditorContentControl::GetAge() const
{
    return UserProfile::ParseWholeNumber(m_age->text());
}

void ProfileEditorContentControl::SetAge(int age)
{
    m_age->setText(QString::asprintf("%d", age));
}

int ProfileEditorContentControl::GetHeight() const
{
    return UserProfile::ParseWholeNumber(m_height->text());
}

void ProfileEditorContentControl::SetHeight(int height)
{
    m_height->setText(QString::asprintf("%d", height));
}

float ProfileEditorContentControl::GetStartWeight() const
{
    return UserProfile::ParseOneDecimal(m_startWeight->text());
}

void ProfileEditorContentControl::SetStartWeight(float weight)
{
    m_startWeight->setText(WeightText(weight));
}

float ProfileEditorContentControl::GetGoalWeight() const
{
    return UserProfile::ParseOneDecimal(m_goalWeight->text());
}

void ProfileEditorContentControl::SetGoalWeight(float weight)
{
    m_goalWeight->setText(WeightText(weight));
}

TimeBase::Stamp ProfileEditorContentControl::GetStartDate() const
{
    return m_startDate->GetDay();
}

void ProfileEditorContentControl::SetStartDate(TimeBase::Stamp day)
{
    m_startDate->SetDay(day);
    CheckFields();
}

TimeBase::Stamp ProfileEditorContentControl::GetGoalDate() const
{
    return m_goalDate->GetDay();
}

void ProfileEditorContentControl::SetGoalDate(TimeBase::Stamp day)
{
    m_goalDate->SetDay(day);
    CheckFields();
}

QString ProfileEditorContentControl::Problem() const
{
    ProfileCheck::Entry entry;
    entry.name = GetUserName();
    entry.age = GetAge();
    entry.height = GetHeight();
    entry.startWeight = GetStartWeight();
    entry.goalWeight = GetGoalWeight();
    entry.startDate = GetStartDate();
    entry.goalDate = GetGoalDate();
    entry.metric = m_metric;
    return ProfileCheck::Problem(entry);
}

void ProfileEditorContentControl::CheckFields()
{
    if (!m_problem)
        return;
    MeasureValidator::ShowProblem(m_problem, Problem());
}
