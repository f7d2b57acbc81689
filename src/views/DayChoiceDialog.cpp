#include "views/DayChoiceDialog.h"

#include "controls/DayPicker.h"
#include "skin/DeviceScreen.h"
#include "skin/SmallDialog.h"

#include <QLabel>
#include <QPushButton>

#include <algorithm>

DayChoiceDialog::DayChoiceDialog(const QString& title, const QString& prompt, TimeBase::Stamp first,
                                 QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("DayChoiceDialog"));
    setWindowTitle(title);
    SmallDialog::AddCaption(this);
    // Made in the order Tab visits them: the day, OK, Cancel.
    m_prompt = new QLabel(prompt, this);
    m_prompt->setObjectName(QStringLiteral("prompt"));
    m_prompt->setTextFormat(Qt::PlainText);
    m_prompt->setWordWrap(true);
    m_day = new DayPicker(this);
    m_day->setObjectName(QStringLiteral("day"));
    m_day->setAccessibleName(QStringLiteral("Day"));
    m_day->setAccessibleDescription(prompt);
    m_day->SetDay(first);
    m_prompt->setBuddy(m_day);
    m_ok = SmallDialog::Button(this, QStringLiteral("OK"), 1, QDialog::Accepted);
    m_cancel = SmallDialog::Button(this, QStringLiteral("Cancel"), 2, QDialog::Rejected);
    DeviceScreen::Instance().Apply(this);
    m_day->setFocus();
}

TimeBase::Stamp DayChoiceDialog::ChosenDay() const
{
    return m_day->GetDay();
}

void DayChoiceDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    const QRect r = SmallDialog::CaptionedClient(this);
    SmallDialog::PlaceOkCancel(m_ok, m_cancel, r);

    const int width = std::max(0, r.width() - 10);
    const int promptHeight = m_prompt->heightForWidth(width);
    m_prompt->setGeometry(r.left() + 5, r.top() + 5, width,
                          promptHeight > 0 ? promptHeight : m_prompt->sizeHint().height());
    const QSize day = m_day->sizeHint();
    m_day->setGeometry(r.left() + 5, m_prompt->geometry().bottom() + 1 + 6,
                       std::min(day.width(), width), day.height());
}
