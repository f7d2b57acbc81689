#pragma once

#include <QAbstractTableModel>
#include <QStringList>

class GridModel;

// Lets a QTableView show a GridModel without storing rows: the row count is set explicitly (the
// list's virtual item count) and every text is asked for when the view draws it.
class GridTableModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    // Far beyond any log; keeps a model answering nonsense from making the view allocate
    // per-row bookkeeping for billions of rows.
    static constexpr int kMaxRows = 1 << 20;
    static constexpr int kMaxColumns = 64;

    explicit GridTableModel(QObject* parent = nullptr);

    void SetSource(GridModel* model) { m_source = model; }
    void SetColumns(const QStringList& titles);
    void SetRowCount(int rows);
    void RedrawRow(int row);
    void RedrawAll();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    GridModel* m_source = nullptr;
    QStringList m_titles;
    int m_rows = 0;
};
