#include "controls/DayPicker.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>

#include <limits>

DayPicker::DayPicker(QWidget* parent) : QDateEdit(parent)
{
    setCalendarPopup(true);
    setDisplayFormat(QStringLiteral("MM/dd/yyyy"));
    // The days a day stamp can hold: 1904-01-01 to 2040-02-06.
    setDateRange(TimeBase::ToDate(0),
                 TimeBase::ToDate(std::numeric_limits<TimeBase::Stamp>::max()));
    setFocusPolicy(Qt::StrongFocus);
}

void DayPicker::SetDay(TimeBase::Stamp stamp)
{
    const QDateTime dateTime = TimeBase::ToDateTime(stamp);
    m_time = dateTime.time();
    const QSignalBlocker quiet(this);
    setDate(dateTime.date());
}

TimeBase::Stamp DayPicker::GetDay() const
{
    return TimeBase::FromDateTime(QDateTime(date(), m_time));
}

bool DayPicker::focusNextPrevChild(bool next)
{
    // The date edit would step through its sections, and Tab would never leave the field.
    return QWidget::focusNextPrevChild(next);
}

void DayPicker::keyPressEvent(QKeyEvent* event)
{
    // Qt opens the calendar only from its arrow: a press there is the one way in.
    const bool open = event->key() == Qt::Key_F4 ||
                      (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier));
    if (open && calendarPopup() && !isReadOnly()) {
        const QPointF arrow(width() - 4, height() / 2);
        QMouseEvent press(QEvent::MouseButtonPress, arrow, mapToGlobal(arrow), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QDateEdit::mousePressEvent(&press);
        QMouseEvent release(QEvent::MouseButtonRelease, arrow, mapToGlobal(arrow), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QDateEdit::mouseReleaseEvent(&release);
        return;
    }
    QDateEdit::keyPressEvent(event);
}
