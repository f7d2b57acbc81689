// Paint and layout code asks the skin for every size and colour on every paint; these measure
// what such a question costs once memoised, and what the first one costs.

#include "skin/SkinSettings.h"
#include "skin/SkinTable.h"

#include <QRect>

#include <benchmark/benchmark.h>

static void CachedScaledLookup(benchmark::State& state)
{
    SkinSettings skin;
    skin.Init(480, 640);
    skin.GetScaled(u"layout/btn/panel/height", 20);
    for (auto _ : state)
        benchmark::DoNotOptimize(skin.GetScaled(u"layout/btn/panel/height", 20));
}
BENCHMARK(CachedScaledLookup);

static void CachedRectLookup(benchmark::State& state)
{
    SkinSettings skin;
    skin.Init(320, 240);
    QRect rect;
    for (auto _ : state) {
        skin.GetRect(u"layout/title/date", rect);
        benchmark::DoNotOptimize(rect);
    }
}
BENCHMARK(CachedRectLookup);

// A miss goes to the table every time: two searches, nothing cached.
static void MissingKeyLookup(benchmark::State& state)
{
    SkinSettings skin;
    skin.Init(480, 640);
    for (auto _ : state)
        benchmark::DoNotOptimize(skin.GetScaled(u"layout/no/such/key", 20));
}
BENCHMARK(MissingKeyLookup);

static void TableSearch(benchmark::State& state)
{
    std::int32_t value = 0;
    for (auto _ : state) {
        SkinTable::Find(u"default1/layout/title/btn1/x", &value);
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(TableSearch);

BENCHMARK_MAIN();
