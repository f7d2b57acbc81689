#pragma once

#include "data/ItemList.h"
#include "fitness/ResultsSeries.h"
#include "fitness/TrendDataSource.h"
#include "pages/PageBase.h"

class DayValueSource;
class TrendChart;

// "results": the trend chart over all logged days, opening on the tracked nutrient; "weight"
// and the chart's own list switch the series. The page is the chart's data source.
class ResultsPage final : public PageBase, public TrendDataSource
{
public:
    explicit ResultsPage(Session& session);

    void Attach(PageHost& host) override;
    void Detach() override;
    int OnEvent(const QString& name, QWidget* sender) override;

    // TrendDataSource
    int GetMode() const override { return m_mode; }
    void SetMode(int mode) override;
    QString GetFirstDateText() const override { return m_series.FirstDateText(); }
    QString GetLastDateText() const override { return m_series.LastDateText(); }
    void EnumeratePoints(TrendPointSink& sink) override { m_series.Enumerate(sink); }

    const ResultsSeries& Series() const { return m_series; }
    // Sums the logs with these values instead of the reference databases' (benchmarks).
    void SetValueSource(const DayValueSource* values) { m_values = values; }

private:
    // The logs summed per day.
    void BuildDays();
    void BuildPoints();
    // The points of the mode again, drawn.
    void Redraw();

    TrendChart* m_chart = nullptr;
    const DayValueSource* m_values = nullptr;
    int m_mode = 1;
    // The logs summed per day once per opening: nothing can change them while the page shows.
    ItemList m_days{DaySummaryKind};
    ResultsSeries m_series;
};
