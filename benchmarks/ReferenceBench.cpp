// Opening the reference databases, the lookup's food lists and the day summaries of ten years
// of logs, over the databases the build wrote next to this program.
#include "data/DaySummaries.h"
#include "TenYears.h"
#include "data/ExerciseDatabase.h"
#include "data/FitnessItem.h"
#include "data/FoodDatabase.h"
#include "data/FoodIndex.h"
#include "data/FoodItem.h"
#include "data/Log.h"
#include "data/ReferenceValues.h"
#include "data/TextIndex.h"
#include "data/UserDatabase.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <random>

namespace {

using namespace TenYears;

void BM_OpenReferenceDatabases(benchmark::State& state)
{
    for (auto _ : state) {
        ExerciseDatabase exercises;
        exercises.Open(Reference("fitness_data.pdb"));
        exercises.ReadGroups();
        FoodDatabase foods(Reference("food_data.pdb"));
        FoodIndex index;
        index.Build(foods);
        TextIndex texts;
        texts.Open(Reference("text.pdb"));
        benchmark::DoNotOptimize(index.GroupCount());
    }
}
BENCHMARK(BM_OpenReferenceDatabases)->Unit(benchmark::kMillisecond);

void BM_OpenStore(benchmark::State& state)
{
    Folder folder;
    {
        UserDatabase first(folder.folders);
    } // user.pdb exists from here on
    for (auto _ : state) {
        UserDatabase store(folder.folders);
        benchmark::DoNotOptimize(store.References().CanRun());
        state.PauseTiming(); // closing writes user.pdb back
        store.Profile().ClearChanged();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenStore)->Unit(benchmark::kMillisecond);

void BM_LargestFoodListFirstTime(benchmark::State& state)
{
    FoodDatabase foods(Reference("food_data.pdb"));
    int count = 0;
    int loads = 0;
    for (auto _ : state) {
        state.PauseTiming();
        FoodIndex index;
        index.Build(foods);
        const auto [group, subgroup] = LargestSubgroup(index);
        const int before = foods.RecordLoads();
        state.ResumeTiming();
        count = index.Foods(group, subgroup)->Count();
        loads = foods.RecordLoads() - before;
    }
    state.counters["foods"] = count;
    state.counters["record_loads"] = loads;
}
BENCHMARK(BM_LargestFoodListFirstTime)->Unit(benchmark::kMicrosecond);

void BM_LargestFoodListCached(benchmark::State& state)
{
    FoodDatabase foods(Reference("food_data.pdb"));
    FoodIndex index;
    index.Build(foods);
    const auto [group, subgroup] = LargestSubgroup(index);
    index.Foods(group, subgroup);
    for (auto _ : state)
        benchmark::DoNotOptimize(index.Foods(group, subgroup));
}
BENCHMARK(BM_LargestFoodListCached)->Unit(benchmark::kNanosecond);

void BM_DaySummariesTenYears(benchmark::State& state)
{
    Folder folder;
    UserDatabase store(folder.folders);
    FillTenYears(store);
    const bool cold = state.range(0) != 0;
    for (auto _ : state) {
        ItemList summaries(DaySummaryKind);
        if (cold) { // nothing of the foods read yet
            ReferenceValues values(store.References().Exercises(), store.References().Foods(),
                                   store.Profile());
            BuildDaySummaries(store, summaries, &values);
        } else {
            BuildDaySummaries(store, summaries, store.References().Values());
        }
        benchmark::DoNotOptimize(summaries.Count());
    }
    state.counters["food_items"] = store.FoodLog().Count();
    store.FoodLog().Clear();
    store.FitnessLog().Clear();
}
BENCHMARK(BM_DaySummariesTenYears)->Arg(0)->Arg(1)->ArgName("cold")->Unit(benchmark::kMillisecond);

} // namespace
BENCHMARK_MAIN();
