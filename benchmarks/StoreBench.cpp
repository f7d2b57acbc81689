// Ten years of daily use: opening the store, the day summaries and a commit.
#include "TenYearStore.h"

#include <benchmark/benchmark.h>

namespace {

void OpenAndLoad(benchmark::State& state)
{
    const History history(int(state.range(0)));
    for (auto _ : state) {
        auto store = std::make_unique<UserDatabase>(history.Folders());
        benchmark::DoNotOptimize(store->FoodLog().Count());
        state.PauseTiming(); // closing is not part of loading
        store.reset();
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
}

void DaySummaries(benchmark::State& state)
{
    const History history(int(state.range(0)));
    UserDatabase store(history.Folders());
    const ConstantValues values;
    for (auto _ : state) {
        ItemList summaries(DaySummaryKind);
        store.BuildDaySummaries(summaries, &values);
        benchmark::DoNotOptimize(summaries.Count());
    }
    state.SetComplexityN(state.range(0));
}

void Commit(benchmark::State& state)
{
    const History history(int(state.range(0)));
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

} // namespace

BENCHMARK(OpenAndLoad)->Arg(365)->Arg(1825)->Arg(3650)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(DaySummaries)
    ->Arg(365)
    ->Arg(1825)
    ->Arg(3650)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK(Commit)->Arg(365)->Arg(1825)->Arg(3650)->Unit(benchmark::kMillisecond)->Complexity();

BENCHMARK_MAIN();
