#pragma once

#include "data/TimeBase.h"

#include <QString>
#include <QStringList>

#include <vector>

class ItemList;
class TrendPointSink;

// The results page's series: one point per weight entry, or one per logged day with that day's
// total of a nutrient. Points are kept in date order (entries of one day in list order), so the
// chart's line always runs forward even when days were logged out of order.
class ResultsSeries final
{
public:
    // Mode 0 is the weight; modes 1 to 6 the nutrients 0 to 5.
    static constexpr int kWeightMode = 0;
    static constexpr int kModeCount = 7;
    static QStringList ModeNames(); // "Weight", then the nutrients

    struct Point
    {
        TimeBase::Stamp day = 0;
        float value = 0;
    };

    // Weight entries in the shown unit.
    void BuildWeights(const ItemList& weights, bool metric);
    // From the day summaries of the logs: field 0 the net calories, 1 to 5 the other nutrients.
    void BuildDayTotals(const ItemList& summaries, int field);
    void Clear() { m_points.clear(); }

    const std::vector<Point>& Points() const { return m_points; }
    // "%02d/%02d/%02d" of the earliest and the latest day; empty without points.
    QString FirstDateText() const;
    QString LastDateText() const;
    // x from 0 at the earliest day to 1 at the latest; a series of one day is one point at 0.
    void Enumerate(TrendPointSink& sink) const;

private:
    void SortByDay();

    std::vector<Point> m_points;
};
