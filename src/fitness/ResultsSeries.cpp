#include "fitness/ResultsSeries.h"

#include "data/DaySummary.h"
#include "data/ItemList.h"
#include "data/UserProfile.h"
#include "data/WeightItem.h"
#include "fitness/TrendPointSink.h"

#include <algorithm>

QStringList ResultsSeries::ModeNames()
{
    QStringList names{QStringLiteral("Weight")};
    for (int n = 0; n < UserProfile::kNutrientCount; ++n)
        names << UserProfile::NutrientName(n);
    return names;
}

void ResultsSeries::BuildWeights(const ItemList& weights, bool metric)
{
    m_points.clear();
    m_points.reserve(size_t(weights.Count()));
    for (int i = 0; i < weights.Count(); ++i) {
        const auto* entry = weights.ItemAt<WeightItem>(i);
        m_points.push_back(
            {entry->Day(), UserProfile::WeightForDisplay(entry->Kilograms(), metric)});
    }
    SortByDay();
}

void ResultsSeries::BuildDayTotals(const ItemList& summaries, int field)
{
    m_points.clear();
    m_points.reserve(size_t(summaries.Count()));
    for (int i = 0; i < summaries.Count(); ++i) {
        const auto* day = summaries.ItemAt<DaySummary>(i);
        m_points.push_back({day->Day(), float(day->Value(field))});
    }
    SortByDay();
}

void ResultsSeries::SortByDay()
{
    const auto earlier = [](const Point& a, const Point& b) { return a.day < b.day; };
    // Logs are nearly always kept in date order: check before paying for a sort.
    if (!std::is_sorted(m_points.begin(), m_points.end(), earlier))
        std::stable_sort(m_points.begin(), m_points.end(), earlier);
}

QString ResultsSeries::FirstDateText() const
{
    return m_points.empty() ? QString() : TimeBase::ShortDateText(m_points.front().day);
}

QString ResultsSeries::LastDateText() const
{
    return m_points.empty() ? QString() : TimeBase::ShortDateText(m_points.back().day);
}

void ResultsSeries::Enumerate(TrendPointSink& sink) const
{
    if (m_points.empty())
        return;
    const TimeBase::Stamp first = m_points.front().day;
    const TimeBase::Stamp last = m_points.back().day;
    if (m_points.size() == 1 || last == first) {
        sink.AddPoint(0.0f, m_points.front().value);
        return;
    }
    const float span = float(last - first);
    for (const Point& point : m_points)
        sink.AddPoint(float(point.day - first) / span, point.value);
}
