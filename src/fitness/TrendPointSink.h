#pragma once

// Receives the points of a trend series: x in 0..1 across the chart, in ascending order.
class TrendPointSink
{
public:
    virtual ~TrendPointSink() = default;
    virtual void AddPoint(float x, float value) = 0;
};
