#pragma once

#include "controls/GridCell.h"

#include <QComboBox>

class GridCellEditor;

// The drop-down list a grid shows over a cell to edit it in place. A confirmed choice goes to
// the cell's editor once; cancelling or leaving only hides the list. The Enter that confirms
// goes no further.
class GridEnumCellControl final : public QComboBox
{
    Q_OBJECT

public:
    // More choices than any page offers; bounds a model answering nonsense.
    static constexpr int kMaxChoices = 1000;

    explicit GridEnumCellControl(QWidget* parent = nullptr);

    // Fills the list from the editor and opens it over `cellRect`.
    void Edit(GridCellEditor* editor, const GridCell& cell, const QRect& cellRect);
    GridCell EditedCell() const { return m_cell; }

    void hidePopup() override;

signals:
    void closed();

protected:
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnActivated(int index);
    void Confirm();
    void Close();

    GridCellEditor* m_editor = nullptr;
    GridCell m_cell;
};
