#include "controls/NumberField.h"

#include <QFocusEvent>

void NumberField::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    // A tap places the cursor after the focus came: select once the tap is over.
    m_tapFocused = event->reason() == Qt::MouseFocusReason;
    if (!m_tapFocused)
        SelectLoneZero();
}

void NumberField::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (m_tapFocused && !hasSelectedText())
        SelectLoneZero();
    m_tapFocused = false;
}

void NumberField::SelectLoneZero()
{
    if (text() == QStringLiteral("0"))
        selectAll();
}
