#include "controls/GridListView.h"

#include "skin/ScreenStyle.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

GridListView::GridListView(QWidget* parent) : QTableView(parent)
{
    setObjectName(QStringLiteral("100"));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setShowGrid(false);
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->hide();
    // Fixed row heights keep a view over a hundred thousand rows from measuring any of them.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setStretchLastSection(false);
    // Columns are as wide as the page says, however narrow: the header's own minimum (the width
    // of "..." and its margins) would widen a narrow last column past the list's edge.
    horizontalHeader()->setMinimumSectionSize(0);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    FitRowHeight();
}

void GridListView::FitRowHeight()
{
    // A line of text and a little air, as the handheld's report list.
    const int height = fontMetrics().height() + 4;
    verticalHeader()->setMinimumSectionSize(height);
    verticalHeader()->setDefaultSectionSize(height);
}

void GridListView::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        FitRowHeight();
}

int GridListView::SelectedRow() const
{
    if (!selectionModel())
        return -1;
    const QModelIndexList rows = selectionModel()->selectedRows();
    int first = -1;
    for (const QModelIndex& index : rows) {
        if (first < 0 || index.row() < first)
            first = index.row();
    }
    return first;
}

void GridListView::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (plain && (key == Qt::Key_Return || key == Qt::Key_Enter) && SelectedRow() >= 0) {
        event->accept();
        emit doubleTapped();
        return;
    }
    if (plain && (key == Qt::Key_Space || key == Qt::Key_F2) && currentIndex().isValid()) {
        event->accept();
        emit editRequested(currentIndex());
        return;
    }
    bool leave = false;
    bool forward = false;
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
        const int selected = SelectedRow();
        const int last = model() ? model()->rowCount() - 1 : -1;
        forward = key == Qt::Key_Down;
        leave = selected < 0 || selected == (forward ? last : 0);
    }
    // The list still sees the key, as the handheld's list did after the focus moved on.
    QTableView::keyPressEvent(event);
    if (leave)
        QWidget::focusNextPrevChild(forward);
}

void GridListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTableView::mouseDoubleClickEvent(event);
    emit doubleTapped();
}

void GridListView::focusInEvent(QFocusEvent* event)
{
    QTableView::focusInEvent(event);
    viewport()->update(); // the ring
}

void GridListView::focusOutEvent(QFocusEvent* event)
{
    QTableView::focusOutEvent(event);
    viewport()->update();
    emit focusLost();
}

bool GridListView::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QTableView::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = indexAt(help->pos());
    const QString text = index.data().toString();
    const QRect cell = visualRect(index);
    // The delegate keeps this margin on either side of the text.
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    if (index.isValid() && fontMetrics().horizontalAdvance(text) > cell.width() - 2 * margin)
        QToolTip::showText(help->globalPos(), text, viewport(), cell);
    else
        QToolTip::hideText();
    return true;
}

void GridListView::paintEvent(QPaintEvent* event)
{
    QTableView::paintEvent(event);
    // A frame would narrow the client width the columns are measured in.
    if (hasFocus()) {
        QPainter painter(viewport());
        ScreenStyle::DrawFocusRing(painter, viewport()->rect(), palette());
    }
}
