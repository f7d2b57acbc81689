#pragma once

#include "controls/GridCell.h"

#include <QString>

class GridCellEditor;

// The data behind a grid, implemented by the page. The grid stores no rows: it asks for every
// text when it draws it.
class GridModel
{
public:
    virtual int GetColumnCount() = 0;
    virtual QString GetColumnTitle(int column) = 0;
    // Pixels; only the low 16 bits count.
    virtual int GetColumnWidth(int column) = 0;
    virtual int GetRowCount() = 0;
    virtual QString GetCellText(const GridCell& cell) = 0;
    // Negative for none.
    virtual int GetSelectedRow() = 0;
    // The row the user selected, -1 for none.
    virtual void SetCurrentRow(int row) = 0;
    virtual GridCellEditor* GetCellEditor(const GridCell& cell) = 0;

protected:
    ~GridModel() = default;
};
