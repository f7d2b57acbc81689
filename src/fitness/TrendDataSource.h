#pragma once

#include <QString>

class TrendPointSink;

// What the trend chart asks of the page that owns the series.
class TrendDataSource
{
public:
    virtual ~TrendDataSource() = default;
    virtual int GetMode() const = 0;
    virtual void SetMode(int mode) = 0;
    virtual QString GetFirstDateText() const = 0;
    virtual QString GetLastDateText() const = 0;
    virtual void EnumeratePoints(TrendPointSink& sink) = 0;
};
