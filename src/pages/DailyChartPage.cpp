#include "pages/DailyChartPage.h"

#include "blog/PostProtocol.h"
#include "blog/PostRequest.h"
#include "commands/SetDayWeightCommand.h"
#include "commands/UserEdits.h"
#include "data/DayValueSource.h"
#include "data/FitnessItem.h"
#include "data/FoodItem.h"
#include "data/ReferenceDatabases.h"
#include "data/UserDatabase.h"
#include "data/WeightItem.h"
#include "fitness/ProfileCheck.h"
#include "pages/BlogPosting.h"
#include "views/DailyChartView.h"
#include "vocabulary/ContentControl.h"
#include "vocabulary/Events.h"
#include "vocabulary/PageHost.h"

#include <QWidget>

#include <vector>

namespace {
const QString kName = QStringLiteral("daily.chart");
constexpr int kHelpTopic = 2;

struct DayCalories
{
    std::int32_t consumed = 0;
    std::int32_t burned = 0;
};

// Unsigned sums wrap like the 32-bit sums they stand for; a food value the reference data lacks
// counts as 0.
DayCalories SumDay(UserDatabase& store, const DayValueSource* values, TimeBase::Stamp day)
{
    std::uint32_t consumed = 0;
    std::uint32_t burned = 0;
    if (values) {
        std::vector<Item*> items;
        store.FoodLog().ItemsOfDay(day, items);
        for (const Item* item : items)
            consumed += std::uint32_t(
                std::max(0, values->FoodValue(*static_cast<const FoodItem*>(item), 0)));
        items.clear();
        store.FitnessLog().ItemsOfDay(day, items);
        for (const Item* item : items)
            burned +=
                std::uint32_t(values->ExerciseCalories(*static_cast<const FitnessItem*>(item)));
    }
    return {std::int32_t(consumed), std::int32_t(burned)};
}
} // namespace

DailyChartPage::DailyChartPage(Session& session) : PageBase(session, kName, kHelpTopic) {}

void DailyChartPage::Attach(PageHost& host)
{
    PageBase::Attach(host);
    m_day = TimeBase::Today();
    host.SetSection(Events::kFood);
    host.SetDate(m_day);
    host.SetBottomButton(0, Events::kDone);
    host.SetBottomButton(1, Events::kBlog);
    host.SetTitleButton(0, QStringLiteral("menu.daily"));
    host.SetTitleButton(1, QStringLiteral("title.daily"));
    ContentControl* content = host.SetContent(QStringLiteral("DailyChartControl"));
    m_view = dynamic_cast<DailyChartView*>(content);
    m_window = m_view ? content->GetWindow() : nullptr;
    Refresh(m_day);
    // An undo or redo of what the day sums up; the page's own weight is shown as typed.
    const auto refresh = [this] {
        if (!m_savingWeight)
            Refresh(m_day);
    };
    Watch(&DataNotifier::dayChanged, [this, refresh](ItemKind kind, TimeBase::Stamp day) {
        if (day == m_day && (kind == FoodKind || kind == FitnessKind || kind == WeightKind))
            refresh();
    });
    Watch(&DataNotifier::profileChanged, refresh);
    Watch(&DataNotifier::settingsChanged, refresh);
}

void DailyChartPage::Detach()
{
    SaveWeight();
    m_view = nullptr;
    m_window = nullptr;
    PageBase::Detach();
}

int DailyChartPage::OnEvent(const QString& name, QWidget*)
{
    if (name == Events::kDateChanged || name == Events::kPreferences) {
        // The weight is saved in the unit it was shown in before the units may change.
        SaveWeight();
        if (Host())
            m_day = Host()->GetDate();
        Refresh(m_day);
        return 1;
    }
    if (name == Events::kApplyEdits) {
        SaveWeight();
        return 1;
    }
    if (name == Events::kBlog) {
        PostChart();
        return 1;
    }
    if (name == Events::kProfile) { // the "Fill Profile" field
        if (CanLeave(name))
            NavigateTo(name);
        return 1;
    }
    return HandleCommonEvent(name);
}

DailyChartView* DailyChartPage::View() const
{
    return m_window ? m_view : nullptr;
}

void DailyChartPage::Refresh(TimeBase::Stamp day)
{
    m_day = day;
    m_showsWeight = false;
    UserDatabase* store = Store();
    DailyChartView* view = View();
    if (!store || !view)
        return;
    const UserProfile& profile = store->Profile();
    // The goal needs what the goals page needs; a profile that lacks it is asked for.
    if (!ProfileCheck::HasGoalFigures(profile)) {
        view->ShowFillProfile();
        return;
    }

    const DayCalories calories =
        SumDay(*store, m_values ? m_values : store->References().Values(), day);
    view->SetDailyCaloricGoal(profile.DailyCalorieGoal());
    view->SetTodaysCalories(
        std::int32_t(std::uint32_t(calories.consumed) - std::uint32_t(calories.burned)));
    view->SetCaloriesConsumed(calories.consumed);
    view->SetCaloriesBurned(calories.burned);

    // The day's first entry; else the weight last entered that the profile could take (the list
    // may hold 0 or 1785 kg from older versions), else the start weight.
    ItemList& weights = store->Weights();
    const WeightItem* shown = SetDayWeightCommand::EntryOf(weights, day);
    for (int i = weights.Count() - 1; i >= 0 && !shown; --i) {
        const auto* entry = weights.ItemAt<WeightItem>(i);
        if (UserProfile::kWeightKg.Holds(entry->Kilograms()))
            shown = entry;
    }
    m_metric = store->Settings().Metric() != 0;
    m_showsWeight = true;
    view->SetWeightMetric(m_metric);
    view->SetCurrentWeight(UserProfile::WeightForDisplay(
        shown ? shown->Kilograms() : profile.StartWeightKg(), m_metric));
}

void DailyChartPage::SaveWeight()
{
    UserEdits* edits = Edits();
    DailyChartView* view = View();
    // Only a weight the user typed is stored; an empty field or one out of the profile's range
    // (the line below it says so) stores nothing and leaves the day's entry as it was.
    if (!edits || !view || !m_showsWeight || !view->IsWeightEdited())
        return;
    const float shown = view->GetCurrentWeight();
    if (!ProfileCheck::LimitsOf(ProfileCheck::Measure::Weight, m_metric).Holds(shown))
        return;
    m_savingWeight = true;
    edits->Push(
        new SetDayWeightCommand(*edits, m_day, UserProfile::WeightFromDisplay(shown, m_metric)));
    m_savingWeight = false;
}

QString DailyChartPage::PostTitle(TimeBase::Stamp day)
{
    return QStringLiteral("Nutrava - Daily Chart on ") + TimeBase::ShortDateText(day);
}

QString DailyChartPage::PostBody(const DailyChartView& view)
{
    // The weight as shown: with its decimal when it has one.
    const float weight = view.GetCurrentWeight();
    const QString typed = UserProfile::OneDecimalText(weight);
    return QString::asprintf(
        "<table><tr><td>Current Weight</td><td>%s</td></tr><tr><td>Daily Caloric "
        "Goal</td><td>%d</td></tr><tr><td>Today's Calories</td><td>%d</td></tr><tr><td>Calories "
        "Consumed</td><td>%d</td></tr><tr><td>Calories Burned</td><td>%d</td></tr></table>",
        qPrintable(typed.isEmpty() ? QString::asprintf("%.0f", double(weight)) : typed),
        view.GetDailyCaloricGoal(), view.GetTodaysCalories(), view.GetCaloriesConsumed(),
        view.GetCaloriesBurned());
}

void DailyChartPage::PostChart()
{
    UserDatabase* store = Store();
    DailyChartView* view = View();
    if (!store || !view || !Host())
        return;
    SaveWeight();
    const UserProfile& profile = store->Profile();
    PostRequest request(profile);
    request.AppendField(PostTitle(m_day));
    request.AppendField(PostBody(*view));
    request.AppendField(profile.GetUserName());
    BlogPosting::Run(GetSession(), *Host(), request, PostProtocol::PostUrl());
}
