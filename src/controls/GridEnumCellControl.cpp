#include "controls/GridEnumCellControl.h"

#include "controls/GridCellEditor.h"
#include "skin/DropDownName.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QKeyEvent>

#include <algorithm>
#include <utility>

GridEnumCellControl::GridEnumCellControl(QWidget* parent) : QComboBox(parent)
{
    setObjectName(QStringLiteral("101"));
    setEditable(false);
    // Reached only by a tap on a cell, never by tabbing: it is hidden the rest of the time.
    setFocusPolicy(Qt::NoFocus);
    hide();
    SetDropDownName(this, QStringLiteral("Choices"));
    connect(this, qOverload<int>(&QComboBox::activated), this, &GridEnumCellControl::OnActivated);
    view()->installEventFilter(this); // after the drop-down's own filter, so heard before it
}

bool GridEnumCellControl::eventFilter(QObject* watched, QEvent* event)
{
    const auto type = event->type();
    if (watched == view() && (type == QEvent::ShortcutOverride || type == QEvent::KeyPress)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // The drop-down would confirm at the shortcut check and close, and the key press
            // itself would then reach the grid, which opens the row's details. Claimed at the
            // check, the press comes here.
            event->accept();
            if (type == QEvent::KeyPress)
                Confirm();
            return true;
        }
    }
    return QComboBox::eventFilter(watched, event);
}

void GridEnumCellControl::Confirm()
{
    const QModelIndex current = view()->currentIndex();
    if (current.isValid())
        setCurrentIndex(current.row());
    hidePopup();
    if (current.isValid())
        OnActivated(current.row());
}

void GridEnumCellControl::Edit(GridCellEditor* editor, const GridCell& cell, const QRect& cellRect)
{
    m_editor = editor;
    m_cell = cell;
    clear();
    const int count = std::clamp(editor->GetChoiceCount(cell), 0, kMaxChoices);
    for (int i = 0; i < count; ++i)
        addItem(editor->GetChoiceText(cell, i));
    const int current = editor->GetCurrentChoice(cell);
    setCurrentIndex(current >= 0 && current < count ? current : -1);

    setGeometry(cellRect);
    show();
    raise();
    setFocus(Qt::OtherFocusReason);
    showPopup();
}

void GridEnumCellControl::OnActivated(int index)
{
    // Only a confirmed choice gets here; the list is hidden and unreachable otherwise.
    GridCellEditor* editor = std::exchange(m_editor, nullptr);
    Close();
    if (editor && index >= 0 && index < count())
        editor->SetChoice(m_cell, index);
}

void GridEnumCellControl::hidePopup()
{
    QComboBox::hidePopup();
    // activated() follows for a confirmed choice; m_editor is still set until then.
    if (isVisible())
        hide();
    emit closed();
}

void GridEnumCellControl::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason && !view()->isVisible())
        Close();
}

void GridEnumCellControl::Close()
{
    if (isVisible())
        hide();
}
