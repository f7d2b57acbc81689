// The log pages over ten years of logs ending today: opening the food log and drawing its
// grid, opening the lookup on the largest subgroup, and switching the day.
#include "TenYearHistory.h"
#include "WidgetBenchmarkMain.h"
#include "controls/ControlsRegistration.h"
#include "controls/GroupSelectContentControl.h"
#include "dialogs/LayoutBaseDialog.h"
#include "pages/FoodLogPage.h"
#include "pages/FoodLookupPage.h"
#include "pages/LookupModel.h"
#include "skin/DeviceScreen.h"
#include "views/FitnessViewsRegistration.h"
#include "vocabulary/Events.h"
#include "vocabulary/Session.h"

#include <QComboBox>

#include <benchmark/benchmark.h>

namespace {

// One store for all runs: filling ten years takes longer than the runs.
struct History
{
    History()
    {
        FillHistory(store, 3650, Catalogue::Reference(folder.dir.path()),
                    TimeBase::Today() - 3649u * 86400u);
        store.SaveFoodLog();
        store.SaveFitnessLog();
        store.Commit();
        RegisterControlContent();
        RegisterFitnessContent();
        DeviceScreen::Instance().SetSize(QSize(240, 320));
    }
    ReferenceCopies folder;
    Session session{std::make_unique<UserDatabase>(folder.folders)};
    UserDatabase& store = *session.Store();
};

History& Data()
{
    static History history;
    return history;
}

void BM_OpenFoodLogOnADay(benchmark::State& state)
{
    Session& session = Data().session;
    LayoutBaseDialog dialog;
    dialog.show();
    FoodLogPage page(session);
    for (auto _ : state) {
        dialog.SetPage(&page);
        benchmark::DoNotOptimize(dialog.Content()->grab()); // every cell read and drawn
        state.PauseTiming();
        state.counters["rows"] = page.GetRowCount();
        dialog.SetPage(nullptr); // leaving writes the store
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenFoodLogOnADay)->Unit(benchmark::kMillisecond)->Iterations(50);

void BM_OpenLookupOnLargestSubgroup(benchmark::State& state)
{
    History& data = Data();
    const auto [group, subgroup] = LargestSubgroup(*data.store.References().Index());
    data.store.Settings().SetLastFoodGroup(group + 1);
    LayoutBaseDialog dialog;
    dialog.show();
    for (auto _ : state) {
        FoodLookupPage lookup(data.session, false, false);
        dialog.SetPage(&lookup);
        QComboBox* subgroups =
            qobject_cast<GroupSelectContentControl*>(dialog.Content())->GroupList(1);
        subgroups->setCurrentIndex(subgroup); // as a user chooses it
        emit subgroups->activated(subgroup);
        benchmark::DoNotOptimize(dialog.Content()->grab());
        state.counters["foods"] = lookup.Model()->GetItemCount();
        dialog.SetPage(nullptr);
    }
}
BENCHMARK(BM_OpenLookupOnLargestSubgroup)->Unit(benchmark::kMillisecond);

void BM_SwitchDay(benchmark::State& state)
{
    Session& session = Data().session;
    LayoutBaseDialog dialog;
    dialog.show();
    FoodLogPage page(session);
    dialog.SetPage(&page);
    const TimeBase::Stamp days[] = {TimeBase::Today() - 86400u, TimeBase::Today() - 1000u * 86400u};
    int turn = 0;
    for (auto _ : state) {
        dialog.SetDate(days[++turn % 2]);
        dialog.OnEvent(Events::kDateChanged, nullptr);
        benchmark::DoNotOptimize(dialog.Content()->grab());
    }
    state.counters["rows"] = page.GetRowCount();
    dialog.SetPage(nullptr);
}
BENCHMARK(BM_SwitchDay)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunWidgetBenchmarks(argc, argv);
}
