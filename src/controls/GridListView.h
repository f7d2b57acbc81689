#pragma once

#include <QTableView>

// The grid's report list: single selection of whole rows, no row headers. Up on the first row
// and Down on the last hand the focus to the neighbouring control of the page. Enter activates
// the row as a double tap does; Space or F2 asks to edit the current cell. Frameless, it draws
// the focus ring over its rows' edge.
class GridListView final : public QTableView
{
    Q_OBJECT

public:
    explicit GridListView(QWidget* parent = nullptr);

    // The first selected row, -1 for none.
    int SelectedRow() const;

signals:
    void doubleTapped();
    void editRequested(const QModelIndex& index);
    void focusLost();

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    // A cell cut short shows its whole text as a tooltip.
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void FitRowHeight();
};
