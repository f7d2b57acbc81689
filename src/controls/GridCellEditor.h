#pragma once

#include "controls/GridCell.h"

#include <QString>

// In-place editing of one grid cell, offered by the page's model per cell.
class GridCellEditor
{
public:
    // Non-zero when the tap was handled completely (a toggle, say): no choice list is shown.
    virtual int Activate(const GridCell& cell) = 0;
    virtual int GetChoiceCount(const GridCell& cell) = 0;
    virtual QString GetChoiceText(const GridCell& cell, int index) = 0;
    virtual int GetCurrentChoice(const GridCell& cell) = 0;
    virtual void SetChoice(const GridCell& cell, int index) = 0;

protected:
    ~GridCellEditor() = default;
};
