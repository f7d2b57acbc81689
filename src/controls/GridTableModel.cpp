#include "controls/GridTableModel.h"

#include "controls/GridModel.h"

#include <algorithm>

GridTableModel::GridTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void GridTableModel::SetColumns(const QStringList& titles)
{
    beginResetModel();
    m_titles = titles.mid(0, kMaxColumns);
    m_rows = 0;
    endResetModel();
}

void GridTableModel::SetRowCount(int rows)
{
    rows = std::clamp(rows, 0, kMaxRows);
    if (rows > m_rows) {
        beginInsertRows({}, m_rows, rows - 1);
        m_rows = rows;
        endInsertRows();
    } else if (rows < m_rows) {
        beginRemoveRows({}, rows, m_rows - 1);
        m_rows = rows;
        endRemoveRows();
    }
}

void GridTableModel::RedrawRow(int row)
{
    if (row < 0 || row >= m_rows)
        return;
    // Cell by cell: a view repaints a single cell's rectangle exactly, while a range's update
    // spills into the next row.
    for (int column = 0; column < m_titles.size(); ++column)
        emit dataChanged(index(row, column), index(row, column), {Qt::DisplayRole});
}

void GridTableModel::RedrawAll()
{
    if (m_rows > 0 && !m_titles.isEmpty())
        emit dataChanged(index(0, 0), index(m_rows - 1, int(m_titles.size()) - 1),
                         {Qt::DisplayRole});
}

int GridTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int GridTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_titles.size());
}

QVariant GridTableModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !m_source || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    return m_source->GetCellText({index.row(), index.column()});
}

QVariant GridTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && section >= 0 && section < m_titles.size()) {
        if (role == Qt::DisplayRole)
            return m_titles[section];
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    }
    return {};
}

Qt::ItemFlags GridTableModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
