// Ten years of daily use: opening the store (for a start, and with the food log read), the day
// summaries, the results points, a commit and the CSV export.
#include "ConstantValues.h"
#include "TenYearHistory.h"
#include "data/DaySummaries.h"
#include "export/LogExporter.h"
#include "fitness/ResultsSeries.h"

#include <benchmark/benchmark.h>

namespace {

void OpenAndLoad(benchmark::State& state)
{
    const TenYearHistory history(int(state.range(0)));
    for (auto _ : state) {
        auto store = std::make_unique<UserDatabase>(history.Folders());
        benchmark::DoNotOptimize(store->FoodLog().Count());
        state.PauseTiming(); // closing is not part of loading
        store.reset();
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
}

// What a start reads before the home screen shows: the logs are checked whole, not decoded.
void OpenForStart(benchmark::State& state)
{
    const TenYearHistory history(int(state.range(0)));
    for (auto _ : state) {
        auto store = std::make_unique<UserDatabase>(history.Folders());
        benchmark::DoNotOptimize(store->Profile().LaunchCount());
        state.PauseTiming();
        store.reset();
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
}

void DaySummaries(benchmark::State& state)
{
    const TenYearHistory history(int(state.range(0)));
    UserDatabase store(history.Folders());
    const ConstantValues values;
    for (auto _ : state) {
        ItemList summaries(DaySummaryKind);
        BuildDaySummaries(store, summaries, &values);
        benchmark::DoNotOptimize(summaries.Count());
    }
    state.SetComplexityN(state.range(0));
}

// The results page's points: the logs summed per day, then one nutrient's series in date order.
void ResultsPoints(benchmark::State& state)
{
    const TenYearHistory history(int(state.range(0)));
    UserDatabase store(history.Folders());
    const ConstantValues values;
    ResultsSeries series;
    for (auto _ : state) {
        ItemList days(DaySummaryKind);
        BuildDaySummaries(store, days, &values);
        series.BuildDayTotals(days, 0);
        benchmark::DoNotOptimize(series.Points().data());
    }
    state.SetComplexityN(state.range(0));
}

void Commit(benchmark::State& state)
{
    const TenYearHistory history(int(state.range(0)));
    UserDatabase store(history.Folders());
    int round = 0;
    for (auto _ : state) {
        store.FoodLog().ItemAt<FoodItem>(0)->SetQuantityIndex(++round % 5);
        store.SaveFoodLog();
        if (!store.Commit())
            state.SkipWithError("commit failed");
    }
    state.SetComplexityN(state.range(0));
}

// The whole export command but the process: reading a copy of user.pdb, naming and summing
// every item against the reference databases, writing the five files.
void Export(benchmark::State& state)
{
    const TenYearHistory history(int(state.range(0)),
                                 Catalogue::Reference(QStringLiteral(NUTRAVA_REFERENCE_DIR)));
    DatabaseFolders folders = history.Folders();
    folders.referenceFolders << QStringLiteral(NUTRAVA_REFERENCE_DIR);
    const QTemporaryDir out;
    for (auto _ : state) {
        QString message;
        if (LogExporter::Export(folders, out.path(), true, &message) != LogExporter::Exported)
            state.SkipWithError(qPrintable(message));
    }
    state.SetComplexityN(state.range(0));
}

} // namespace

BENCHMARK(OpenAndLoad)->Arg(365)->Arg(1825)->Arg(3650)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(OpenForStart)->Arg(3650)->Unit(benchmark::kMillisecond);
BENCHMARK(DaySummaries)
    ->Arg(365)
    ->Arg(1825)
    ->Arg(3650)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK(ResultsPoints)
    ->Arg(365)
    ->Arg(1825)
    ->Arg(3650)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK(Commit)->Arg(365)->Arg(1825)->Arg(3650)->Unit(benchmark::kMillisecond)->Complexity();

BENCHMARK(Export)->Arg(365)->Arg(3650)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
