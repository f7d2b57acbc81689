#include "views/MeasureValidator.h"

#include "data/UserProfile.h"

#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>

namespace {
// Room for a number past the range, so that the line can say what is wrong with it.
constexpr int kMaxLength = 7;
} // namespace

MeasureValidator::MeasureValidator(ProfileCheck::Measure measure, const QString& name,
                                   QLineEdit* field)
    : QValidator(field), m_measure(measure), m_name(name), m_field(field)
{
    field->setValidator(this);
    field->setMaxLength(kMaxLength);
    field->setInputMethodHints(ProfileCheck::LimitsOf(measure, true).decimals > 0
                                   ? Qt::ImhFormattedNumbersOnly
                                   : Qt::ImhDigitsOnly);
    connect(field, &QLineEdit::inputRejected, this,
            [this] { emit Refused(ProfileCheck::FormOf(m_name, m_measure)); });
}

void MeasureValidator::SetMetric(bool metric)
{
    m_metric = metric;
}

QValidator::State MeasureValidator::validate(QString& input, int&) const
{
    static const QRegularExpression whole(QStringLiteral("\\A[0-9]*\\z"));
    static const QRegularExpression oneDecimal(QStringLiteral("\\A[0-9]*(\\.[0-9]?)?\\z"));
    const ProfileCheck::Limits limits = ProfileCheck::LimitsOf(m_measure, m_metric);
    if (!(limits.decimals > 0 ? oneDecimal : whole).match(input).hasMatch())
        return Invalid;
    // Out of range is only not acceptable: the number stays for the line to name it.
    const bool holds = !input.isEmpty() && limits.Holds(UserProfile::ParseOneDecimal(input));
    return holds ? Acceptable : Intermediate;
}

QString MeasureValidator::Problem() const
{
    if (m_field->text().isEmpty() || m_field->hasAcceptableInput())
        return {};
    return ProfileCheck::OutOfRange(m_name, m_measure, m_metric);
}

void MeasureValidator::SetUpProblemLine(QLabel* line, const QString& description)
{
    line->setFocusPolicy(Qt::NoFocus);
    line->setAccessibleDescription(description);
    QPalette warning = line->palette();
    warning.setColor(QPalette::WindowText, QColor(0xB0, 0, 0));
    line->setPalette(warning);
}

void MeasureValidator::ShowProblem(QLabel* line, const QString& problem)
{
    line->setText(problem);
    line->setAccessibleName(problem);
}
