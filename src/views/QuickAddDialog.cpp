#include "views/QuickAddDialog.h"

#include "controls/NumberField.h"
#include "skin/DeviceScreen.h"
#include "skin/SmallDialog.h"
#include "views/MeasureValidator.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include <algorithm>

namespace {

const char* const kNames[] = {"Name", "Calories", "Fat (g)", "Carbohydrates (g)", "Protein (g)"};

} // namespace

QuickAddDialog::QuickAddDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("QuickAddDialog"));
    setWindowTitle(QStringLiteral("Quick Add"));
    SmallDialog::AddCaption(this);
    for (int i = 0; i < 5; ++i) {
        const QString name = QString::fromLatin1(kNames[i]);
        m_labels[i] = new QLabel(name + u':', this);
        m_labels[i]->setTextFormat(Qt::PlainText);
        m_fields[i] = i == 0 ? new QLineEdit(this) : new NumberField(this);
        m_fields[i]->setAccessibleName(name);
        m_labels[i]->setBuddy(m_fields[i]);
    }
    m_fields[0]->setMaxLength(QuickEntries::kMaxNameLength);
    // Whole calories; grams to a tenth, with a point or a comma.
    m_fields[1]->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,5}")), this));
    for (int i = 2; i < 5; ++i)
        m_fields[i]->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("\\d{0,4}([.,]\\d?)?")), this));
    m_problem = new QLabel(this);
    m_problem->setTextFormat(Qt::PlainText);
    m_problem->setWordWrap(true);
    MeasureValidator::SetUpProblemLine(m_problem, QStringLiteral("Why the food cannot be logged"));
    m_ok = SmallDialog::Button(this, QStringLiteral("OK"), 1, QDialog::Accepted);
    m_cancel = SmallDialog::Button(this, QStringLiteral("Cancel"), 2, QDialog::Rejected);
    DeviceScreen::Instance().Apply(this);
    m_fields[0]->setFocus();
}

QString QuickAddDialog::Problem() const
{
    return m_problem->text();
}

bool QuickAddDialog::Read(QuickEntries::Entry& entry, int& badField, QString& why) const
{
    entry.name = m_fields[0]->text().simplified();
    if (entry.name.isEmpty()) {
        badField = 0;
        why = QStringLiteral("Enter a name for the food.");
        return false;
    }
    double* const figures[] = {nullptr, &entry.calories, &entry.fat, &entry.carbs, &entry.protein};
    for (int i = 1; i < 5; ++i) {
        QString text = m_fields[i]->text().trimmed();
        text.replace(u',', u'.');
        const double maximum = i == 1 ? QuickEntries::kMaxCalories : QuickEntries::kMaxGrams;
        bool ok = true;
        const double value = text.isEmpty() ? Food::kNoValue : text.toDouble(&ok);
        if (i == 1 && text.isEmpty()) {
            badField = i;
            why = QStringLiteral("Enter the calories of one serving.");
            return false;
        }
        if (!ok || value > maximum) {
            badField = i;
            why = QStringLiteral("%1 must be at most %2.")
                      .arg(QString::fromLatin1(kNames[i]).section(u' ', 0, 0))
                      .arg(maximum);
            return false;
        }
        *figures[i] = value;
    }
    return true;
}

void QuickAddDialog::accept()
{
    int bad = 0;
    QString why;
    QuickEntries::Entry entry;
    if (!Read(entry, bad, why)) {
        MeasureValidator::ShowProblem(m_problem, why);
        m_fields[bad]->setFocus();
        m_fields[bad]->selectAll();
        return;
    }
    m_entry = entry;
    QDialog::accept();
}

void QuickAddDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    const QRect r = SmallDialog::CaptionedClient(this);
    const int margin = 5;
    const int row = m_fields[0]->sizeHint().height();
    int labelWidth = 0;
    for (QLabel* label : m_labels)
        labelWidth = std::max(labelWidth, label->sizeHint().width());
    // Labels above their fields where beside them would leave the fields too narrow.
    const bool stacked = r.width() - 3 * margin - labelWidth < r.width() / 2;
    int y = r.top() + margin;
    for (int i = 0; i < 5; ++i) {
        if (stacked) {
            m_labels[i]->setGeometry(r.left() + margin, y, r.width() - 2 * margin,
                                     m_labels[i]->sizeHint().height());
            y += m_labels[i]->sizeHint().height();
            m_fields[i]->setGeometry(r.left() + margin, y, r.width() - 2 * margin, row);
        } else {
            m_labels[i]->setGeometry(r.left() + margin, y, labelWidth, row);
            const int left = r.left() + 2 * margin + labelWidth;
            m_fields[i]->setGeometry(left, y, r.right() + 1 - margin - left, row);
        }
        y += row + margin;
    }
    const int buttons = SmallDialog::PlaceOkCancel(m_ok, m_cancel, r);
    m_problem->setGeometry(r.left() + margin, y, r.width() - 2 * margin,
                           std::max(0, buttons - margin - y));
    m_problem->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}
