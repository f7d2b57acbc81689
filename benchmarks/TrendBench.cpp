#include "fitness/TrendRaster.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

std::vector<float> Series(int count)
{
    std::vector<float> values(count);
    for (int i = 0; i < count; ++i)
        values[i] = 80.0f + 5.0f * std::sin(i * 0.001f) + (i % 7) * 0.1f;
    return values;
}

void RasterPoints(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const std::vector<float> values = Series(count);
    TrendRaster raster;
    raster.SetWidth(470);
    for (auto _ : state) {
        raster.Reset();
        for (int i = 0; i < count; ++i)
            raster.AddPoint(static_cast<float>(i) / (count - 1), values[i]);
        raster.Finish();
        raster.Scale(300, 30);
        benchmark::DoNotOptimize(raster.PixelRow(469));
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(RasterPoints)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Sparse series: most columns are filled by interpolation.
void RasterSparse(benchmark::State& state)
{
    TrendRaster raster;
    raster.SetWidth(470);
    for (auto _ : state) {
        raster.Reset();
        for (int i = 0; i < 10; ++i)
            raster.AddPoint(i / 9.0f, 70.0f + i);
        raster.Finish();
        raster.Scale(300, 30);
        benchmark::DoNotOptimize(raster.PixelRow(469));
    }
}
BENCHMARK(RasterSparse)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
