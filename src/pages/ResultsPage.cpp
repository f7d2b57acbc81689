#include "pages/ResultsPage.h"

#include "data/DaySummaries.h"
#include "data/ReferenceDatabases.h"
#include "data/UserDatabase.h"
#include "pages/ProfileBands.h"
#include "views/TrendChart.h"
#include "vocabulary/ContentControl.h"
#include "vocabulary/Events.h"
#include "vocabulary/PageHost.h"

namespace {

// The bottom button that switches to the weight trend.
const QString kWeight = QStringLiteral("weight");

} // namespace

ResultsPage::ResultsPage(Session& session) : PageBase(session, Events::kResults, 4) {}

void ResultsPage::Attach(PageHost& host)
{
    PageBase::Attach(host);
    ShowProfileBands(host, QStringLiteral("title.results"), Events::kProfile, Events::kGoals,
                     kWeight);

    m_mode = 1;
    if (const UserDatabase* store = Store()) {
        const int tracked = store->Profile().GetFoodTracking();
        if (tracked >= 0 && tracked < UserProfile::kNutrientCount)
            m_mode = tracked + 1;
    }
    BuildDays();
    BuildPoints();

    m_chart = dynamic_cast<TrendChart*>(host.SetContent(QStringLiteral("TrendControl")));
    if (m_chart) {
        m_chart->SetDataSource(this);
        m_chart->SetModeNames(ResultsSeries::ModeNames());
    }
    // An undo or redo from this page's menu shows at once.
    Watch(&DataNotifier::listChanged, [this](ItemKind kind) {
        if (kind != FoodKind && kind != FitnessKind && kind != WeightKind)
            return;
        BuildDays();
        Redraw();
    });
    Watch(&DataNotifier::settingsChanged, [this] { Redraw(); });
}

void ResultsPage::BuildDays()
{
    m_days.Clear();
    if (const UserDatabase* store = Store())
        BuildDaySummaries(*store, m_days, m_values ? m_values : store->References().Values());
}

void ResultsPage::Redraw()
{
    BuildPoints();
    if (m_chart)
        m_chart->Refresh();
}

void ResultsPage::Detach()
{
    if (m_chart)
        m_chart->SetDataSource(nullptr);
    m_chart = nullptr;
    m_days.Clear();
    m_series.Clear();
    PageBase::Detach();
}

int ResultsPage::OnEvent(const QString& name, QWidget* sender)
{
    if (name == Events::kGoals || name == Events::kProfile) {
        NavigateTo(name);
        return 1;
    }
    if (name == kWeight) {
        SetMode(ResultsSeries::kWeightMode);
        return 1;
    }
    if (name == Events::kPreferences) {
        // Weights follow the unit just chosen.
        Redraw();
        return 1;
    }
    if (name == Events::kMenu)
        return 1;
    return PageBase::OnEvent(name, sender);
}

void ResultsPage::SetMode(int mode)
{
    if (mode == m_mode || mode < 0 || mode >= ResultsSeries::kModeCount)
        return;
    m_mode = mode;
    Redraw();
}

void ResultsPage::BuildPoints()
{
    UserDatabase* store = Store();
    if (!store) {
        m_series.Clear();
        return;
    }
    if (m_mode == ResultsSeries::kWeightMode)
        m_series.BuildWeights(store->Weights(), store->Settings().Metric() != 0);
    else
        m_series.BuildDayTotals(m_days, m_mode - 1);
}
