#include "controls/FindField.h"

#include "vocabulary/EventListener.h"
#include "vocabulary/Events.h"

#include <QChildEvent>
#include <QKeyEvent>
#include <QToolButton>

const QString FindField::kAccessibleName = QStringLiteral("Find by name");

FindField::FindField(QWidget* parent) : QLineEdit(parent)
{
    setObjectName(QStringLiteral("98"));
    setAccessibleName(kAccessibleName);
    setAccessibleDescription(QStringLiteral("Type the start of any words of the name"));
    setPlaceholderText(QStringLiteral("Find"));
    setClearButtonEnabled(true);
    // The clear button Qt adds is a picture with no name.
    for (QToolButton* button : findChildren<QToolButton*>()) {
        button->setAccessibleName(QStringLiteral("Clear"));
        button->setToolTip(QStringLiteral("Clear"));
    }
    setMaxLength(kMaxLength);
    connect(this, &QLineEdit::textChanged, this, &FindField::OnTextChanged);
}

void FindField::WatchTyping(QWidget* area)
{
    m_area = area;
    if (area)
        Watch(area);
}

void FindField::Watch(QWidget* widget)
{
    if (widget == this)
        return;
    widget->installEventFilter(this);
    for (QWidget* child : widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        Watch(child);
}

void FindField::keyPressEvent(QKeyEvent* event)
{
    // Escape in an empty field is the dialog's: it cancels the lookup.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier &&
        !text().isEmpty()) {
        clear();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

bool FindField::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ChildAdded) {
        QObject* child = static_cast<QChildEvent*>(event)->child();
        if (child->isWidgetType())
            Watch(static_cast<QWidget*>(child));
    } else if (event->type() == QEvent::KeyPress && isEnabled() && isVisible()) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QString typed = key->text();
        // Shortcuts and keys that steer the lists and buttons stay theirs.
        const bool plain = (key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier |
                                                 Qt::GroupSwitchModifier)) == 0;
        if (plain && typed.size() == 1 && typed.front().isLetterOrNumber()) {
            setFocus(Qt::OtherFocusReason);
            insert(typed);
            return true;
        }
    }
    return QLineEdit::eventFilter(watched, event);
}

void FindField::OnTextChanged(const QString& text)
{
    emit FindChanged(text);
    if (m_listener)
        m_listener->OnEvent(Events::kFindChanged, this);
}
