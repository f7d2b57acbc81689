#include "views/OwnCaloriesDialog.h"

#include "controls/NumberField.h"
#include "data/OwnCalories.h"
#include "skin/DeviceScreen.h"
#include "skin/SmallDialog.h"
#include "views/MeasureValidator.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

OwnCaloriesDialog::OwnCaloriesDialog(const QString& exercise, std::optional<std::int32_t> calories,
                                     QWidget* parent)
    : QDialog(parent), m_calories(calories)
{
    setObjectName(QStringLiteral("OwnCaloriesDialog"));
    setWindowTitle(QStringLiteral("My Calories"));
    SmallDialog::AddCaption(this);
    m_text = new QLabel(exercise + QStringLiteral("\n\nThe calories it burned, as your watch or "
                                                  "the machine showed them. Leave the field "
                                                  "empty to count Nutrava's figure."),
                        this);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_label = new QLabel(QStringLiteral("Calories:"), this);
    m_field = new NumberField(this);
    m_field->setAccessibleName(QStringLiteral("Calories"));
    m_field->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,5}")), this));
    if (calories)
        m_field->setText(QString::number(*calories));
    m_label->setBuddy(m_field);
    m_problem = new QLabel(this);
    m_problem->setTextFormat(Qt::PlainText);
    m_problem->setWordWrap(true);
    MeasureValidator::SetUpProblemLine(m_problem,
                                       QStringLiteral("Why the calories cannot be stored"));
    m_ok = SmallDialog::Button(this, QStringLiteral("OK"), 1, QDialog::Accepted);
    m_cancel = SmallDialog::Button(this, QStringLiteral("Cancel"), 2, QDialog::Rejected);
    DeviceScreen::Instance().Apply(this);
    m_field->setFocus();
    m_field->selectAll();
}

QString OwnCaloriesDialog::Problem() const
{
    return m_problem->text();
}

void OwnCaloriesDialog::accept()
{
    const QString text = m_field->text().trimmed();
    const int calories = text.toInt();
    if (!text.isEmpty() && calories > OwnCalories::kMaxCalories) {
        MeasureValidator::ShowProblem(
            m_problem,
            QStringLiteral("Calories must be at most %1.").arg(OwnCalories::kMaxCalories));
        m_field->setFocus();
        m_field->selectAll();
        return;
    }
    m_calories = text.isEmpty() ? std::nullopt : std::optional<std::int32_t>(calories);
    QDialog::accept();
}

void OwnCaloriesDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    const QRect r = SmallDialog::CaptionedClient(this);
    const int margin = 5;
    const int width = r.width() - 2 * margin;
    int y = r.top() + margin;
    const int textHeight = m_text->heightForWidth(width);
    m_text->setGeometry(r.left() + margin, y, width, textHeight);
    y += textHeight + margin;
    const int row = m_field->sizeHint().height();
    const int labelWidth = m_label->sizeHint().width();
    m_label->setGeometry(r.left() + margin, y, labelWidth, row);
    const int left = r.left() + 2 * margin + labelWidth;
    m_field->setGeometry(left, y, r.right() + 1 - margin - left, row);
    y += row + margin;
    const int buttons = SmallDialog::PlaceOkCancel(m_ok, m_cancel, r);
    m_problem->setGeometry(r.left() + margin, y, width, std::max(0, buttons - margin - y));
    m_problem->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}
