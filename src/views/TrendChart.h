#pragma once

#include <QString>
#include <QStringList>

class TrendDataSource;

// What the results page gets back from SetContent("TrendControl").
class TrendChart
{
public:
    virtual QString GetName() const = 0;
    // "Weight" and the six nutrients, in the order of the source's modes.
    virtual void SetModeNames(const QStringList& names) = 0;
    // Not owned; none detaches the chart from its source.
    virtual void SetDataSource(TrendDataSource* source) = 0;
    // Re-reads the mode and the points, and redraws.
    virtual void Refresh() = 0;

protected:
    ~TrendChart() = default;
};
