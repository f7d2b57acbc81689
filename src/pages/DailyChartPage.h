#pragma once

#include "data/TimeBase.h"
#include "pages/PageBase.h"

#include <QPointer>

#include <cstdint>

class DailyChartView;
class DayValueSource;
class UserDatabase;
class WeightItem;

// One day summed up ("daily.chart"): the day's weight, which the user may correct, the calorie
// goal, and the calories consumed, burned and net; "blog" posts them as a table. A day without
// a weight shows the last one known, and gets an entry only when the user types one.
class DailyChartPage final : public PageBase
{
public:
    explicit DailyChartPage(Session& session);

    void Attach(PageHost& host) override;
    void Detach() override;
    int OnEvent(const QString& name, QWidget* sender) override;

    TimeBase::Stamp Day() const { return m_day; }
    // What the logged items are worth; the reference databases' unless set.
    void SetValueSource(const DayValueSource* values) { m_values = values; }

    // "Nutrava - Daily Chart on mm/dd/yy".
    static QString PostTitle(TimeBase::Stamp day);
    // The five figures as the view shows them, in an HTML table.
    static QString PostBody(const DailyChartView& view);

private:
    void Refresh(TimeBase::Stamp day);
    void SaveWeight();
    void PostChart();
    DailyChartView* View() const;

    const DayValueSource* m_values = nullptr;
    DailyChartView* m_view = nullptr;
    QPointer<QWidget> m_window; // the view's window, which the dialog owns
    TimeBase::Stamp m_day = 0;
    bool m_metric = true;
    bool m_showsWeight = false;  // the profile is complete and the field shows the day's weight
    bool m_savingWeight = false; // the page's own edit: the field keeps what was typed
};
