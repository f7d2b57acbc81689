#pragma once

#include <QString>

class GridModel;

// What a page gets back from SetContent("GridContentControl").
class Grid
{
public:
    virtual QString GetName() const = 0;
    // Not owned; rebuilds the columns when the window exists.
    virtual void SetModel(GridModel* model) = 0;
    // Re-reads the row count and the selection and redraws `row`, or every row when row <= 0.
    virtual void Refresh(int row) = 0;
    virtual int GetClientWidth() const = 0;

protected:
    ~Grid() = default;
};
