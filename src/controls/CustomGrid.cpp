#include "controls/CustomGrid.h"

#include "controls/GridCellEditor.h"
#include "controls/GridEnumCellControl.h"
#include "controls/GridListView.h"
#include "controls/GridModel.h"
#include "controls/GridTableModel.h"
#include "skin/DropDownName.h"
#include "vocabulary/EventListener.h"
#include "vocabulary/Events.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>

#include <algorithm>

const QString CustomGrid::kName = QStringLiteral("GridContentControl");

CustomGrid::CustomGrid(QWidget* parent) : QWidget(parent)
{
    setObjectName(kName);
    m_editor = new GridEnumCellControl(this);
    m_adapter = new GridTableModel(this);
    m_list = new GridListView(this);
    m_list->setModel(m_adapter);
    m_list->setAccessibleName(QStringLiteral("Entries"));
    m_list->setGeometry(rect());
    m_list->viewport()->installEventFilter(this);
    m_editor->raise();
    setFocusProxy(m_list);

    connect(m_list, &QAbstractItemView::clicked, this, &CustomGrid::OnClicked);
    connect(m_list, &GridListView::doubleTapped, this, &CustomGrid::OnDoubleTap);
    connect(m_list, &GridListView::editRequested, this, &CustomGrid::OnEditKey);
    connect(m_list, &GridListView::focusLost, this, &CustomGrid::ReportCurrentRow);
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!m_refreshing)
            ReportCurrentRow();
    });
    connect(m_editor, &GridEnumCellControl::closed, this, [this] {
        if (!m_editor->isVisible())
            m_list->setFocus(Qt::OtherFocusReason);
    });
}

CustomGrid::~CustomGrid()
{
    // The children outlive this part of the object; nothing they signal may reach it now.
    m_model = nullptr;
    m_adapter->SetSource(nullptr);
    m_list->disconnect(this);
    m_list->selectionModel()->disconnect(this);
    m_editor->disconnect(this);
}

void CustomGrid::SetModel(GridModel* model)
{
    m_model = model;
    m_adapter->SetSource(model);
    RebuildColumns();
}

void CustomGrid::RebuildColumns()
{
    QStringList titles;
    if (m_model) {
        const int columns = std::clamp(m_model->GetColumnCount(), 0, GridTableModel::kMaxColumns);
        for (int c = 0; c < columns; ++c)
            titles << m_model->GetColumnTitle(c);
    }
    m_adapter->SetColumns(titles);
    ApplyColumnWidths();
    Refresh(-1);
}

void CustomGrid::ApplyColumnWidths()
{
    if (!m_model)
        return;
    QHeaderView* header = m_list->horizontalHeader();
    for (int c = 0; c < m_adapter->columnCount(); ++c) {
        // Only the low 16 bits count; a negative width leaves the column closed.
        const auto width = static_cast<std::int16_t>(m_model->GetColumnWidth(c) & 0xFFFF);
        header->resizeSection(c, std::max<int>(0, width));
    }
}

void CustomGrid::Refresh(int row)
{
    if (!m_model)
        return;
    m_refreshing = true;
    m_adapter->SetRowCount(m_model->GetRowCount());
    const int rows = m_adapter->rowCount();
    if (row > 0)
        m_adapter->RedrawRow(row);
    else
        m_adapter->RedrawAll();

    const int selected = m_model->GetSelectedRow();
    QItemSelectionModel* selection = m_list->selectionModel();
    if (selected >= 0 && selected < rows) {
        // The keys' current cell stays in its column: the next edit needs no walking back.
        const int column = std::max(0, m_list->currentIndex().column());
        selection->setCurrentIndex(m_adapter->index(selected, column),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    } else {
        selection->clearSelection();
    }
    m_refreshing = false;
}

int CustomGrid::GetClientWidth() const
{
    if (m_list->isVisible())
        return m_list->viewport()->width();
    // Not laid out yet: the list will fill the whole grid.
    return width() - 2 * m_list->frameWidth();
}

void CustomGrid::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_list->setGeometry(rect());
    ApplyColumnWidths();
}

bool CustomGrid::eventFilter(QObject* watched, QEvent* event)
{
    // The columns follow the list's client width, which also changes when its scroll bar comes
    // or goes.
    if (watched == m_list->viewport() && event->type() == QEvent::Resize)
        ApplyColumnWidths();
    return QWidget::eventFilter(watched, event);
}

void CustomGrid::ReportCurrentRow()
{
    if (m_model)
        m_model->SetCurrentRow(m_list->SelectedRow());
}

void CustomGrid::OnClicked(const QModelIndex& index)
{
    ReportCurrentRow();
    if (index.isValid())
        StartEditing(index.row(), index.column());
}

void CustomGrid::OnEditKey(const QModelIndex& index)
{
    ReportCurrentRow();
    if (!m_model || !index.isValid())
        return;
    // Rows are selected whole, so the current cell is easily a name: the key then edits the
    // row's first cell that has choices (a food's portions).
    const int row = index.row();
    int column = index.column();
    if (!m_model->GetCellEditor({row, column})) {
        column = 0;
        while (column < m_adapter->columnCount() && !m_model->GetCellEditor({row, column}))
            ++column;
    }
    if (column < m_adapter->columnCount())
        StartEditing(row, column);
}

void CustomGrid::OnDoubleTap()
{
    ReportCurrentRow();
    if (m_listener)
        m_listener->OnEvent(Events::kGridActivate, nullptr);
}

void CustomGrid::StartEditing(int row, int column)
{
    if (!m_model || row < 0 || column < 0)
        return;
    const GridCell cell{row, column};
    GridCellEditor* editor = m_model->GetCellEditor(cell);
    if (!editor)
        return;
    const QModelIndex index = m_adapter->index(row, column);
    const QRect cellRect(m_list->viewport()->mapTo(this, m_list->visualRect(index).topLeft()),
                         m_list->visualRect(index).size());
    if (editor->Activate(cell))
        return;
    // Read out as the column it changes ("Units").
    SetDropDownName(m_editor,
                    m_adapter->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString());
    m_editor->Edit(editor, cell, cellRect);
}
