#include "views/DailyChartContentControl.h"

#include "controls/NumberField.h"
#include "data/UserProfile.h"
#include "views/MeasureValidator.h"
#include "vocabulary/EventListener.h"
#include "vocabulary/Events.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <cmath>

const QString DailyChartContentControl::kName = QStringLiteral("DailyChartControl");

DailyChartContentControl::DailyChartContentControl(QWidget* parent) : RowLayoutContainer(parent)
{
    setObjectName(kName);
    setAccessibleName(QStringLiteral("Daily chart"));
    static const char* const kTitles[FieldCount] = {"Current Weight", "Daily Caloric Goal",
                                                    "Today's Calories", "Calories Consumed",
                                                    "Calories Burned"};
    std::vector<RowLayout::Row> rows;
    rows.push_back({MakeStatic(150, QStringLiteral("Enter Your")), nullptr});
    for (int f = 0; f < FieldCount; ++f) {
        const QString title = QString::fromLatin1(kTitles[f]);
        QLabel* label = MakeStatic(151 + f, title);
        QLineEdit* field = f == Weight ? new NumberField(this) : new QLineEdit(this);
        field->setObjectName(QString::number(200 + f));
        field->setAccessibleName(title);
        field->setGeometry(0, 0, 10, 10);
        field->setReadOnly(f != Weight);
        label->setBuddy(field);
        m_fields[size_t(f)] = field;
        rows.push_back({label, field});
    }
    QLineEdit* weight = m_fields[Weight];
    m_weightValidator = new MeasureValidator(ProfileCheck::Measure::Weight,
                                             QStringLiteral("Current weight"), weight);
    m_problem = MakeStatic(156);
    MeasureValidator::SetUpProblemLine(m_problem, QStringLiteral("What to correct in the weight"));
    rows.push_back({m_problem, nullptr});
    connect(weight, &QLineEdit::textChanged, this, &DailyChartContentControl::CheckWeight);
    connect(m_weightValidator, &MeasureValidator::Refused, this,
            [this](const QString& why) { MeasureValidator::ShowProblem(m_problem, why); });
    SetRowLayout(std::make_unique<RowLayout>(QStringLiteral("layout/daily"), rows));
}

void DailyChartContentControl::ShowFillProfile()
{
    QLineEdit* weight = m_fields[Weight];
    weight->setReadOnly(true);
    weight->setValidator(nullptr);
    weight->setMaxLength(32767);
    weight->setText(QStringLiteral("Fill Profile"));
    MeasureValidator::ShowProblem(m_problem, {});
    weight->setAccessibleDescription(QStringLiteral("Press Enter to fill in the profile"));
    if (!m_fillProfile)
        weight->installEventFilter(this);
    m_fillProfile = true;
}

bool DailyChartContentControl::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_fields[Weight] && m_fillProfile && m_listener) {
        bool activate = event->type() == QEvent::MouseButtonRelease;
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            activate = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
        }
        if (activate) {
            m_listener->OnEvent(Events::kProfile, m_fields[Weight]);
            return true;
        }
    }
    return RowLayoutContainer::eventFilter(watched, event);
}

float DailyChartContentControl::GetCurrentWeight() const
{
    return UserProfile::ParseOneDecimal(m_fields[Weight]->text());
}

void DailyChartContentControl::SetCurrentWeight(float weight)
{
    const QString typed = UserProfile::OneDecimalText(weight);
    // Truncation toward zero, clamped so that a damaged weight cannot overflow the conversion.
    const double clamped = std::clamp(double(weight), -2147483648.0, 2147483647.0);
    m_shownWeight =
        !typed.isEmpty() ? typed : QString::asprintf("%d", std::isnan(weight) ? 0 : int(clamped));
    m_fields[Weight]->setText(m_shownWeight);
}

void DailyChartContentControl::SetWeightMetric(bool metric)
{
    m_weightValidator->SetMetric(metric);
    CheckWeight();
}

bool DailyChartContentControl::IsWeightEdited() const
{
    const QLineEdit* weight = m_fields[Weight];
    return !m_fillProfile && (weight->isModified() || weight->text() != m_shownWeight);
}

void DailyChartContentControl::CheckWeight()
{
    if (!m_fillProfile)
        MeasureValidator::ShowProblem(m_problem, m_weightValidator->Problem());
}

void DailyChartContentControl::SetDailyCaloricGoal(int calories)
{
    SetFigure(Goal, calories);
}

void DailyChartContentControl::SetTodaysCalories(int calories)
{
    SetFigure(Todays, calories);
}

void DailyChartContentControl::SetCaloriesConsumed(int calories)
{
    SetFigure(Consumed, calories);
}

void DailyChartContentControl::SetCaloriesBurned(int calories)
{
    SetFigure(Burned, calories);
}

int DailyChartContentControl::GetDailyCaloricGoal() const
{
    return Figure(Goal);
}

int DailyChartContentControl::GetTodaysCalories() const
{
    return Figure(Todays);
}

int DailyChartContentControl::GetCaloriesConsumed() const
{
    return Figure(Consumed);
}

int DailyChartContentControl::GetCaloriesBurned() const
{
    return Figure(Burned);
}

void DailyChartContentControl::SetFigure(int field, int value)
{
    m_fields[size_t(field)]->setText(QString::asprintf("%d", value));
}

int DailyChartContentControl::Figure(int field) const
{
    return UserProfile::ParseWholeNumber(m_fields[size_t(field)]->text());
}
