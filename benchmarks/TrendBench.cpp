#include "WidgetBenchmarkMain.h"
#include "fitness/TrendDataSource.h"
#include "fitness/TrendRaster.h"
#include "skin/SkinSettings.h"
#include "views/TrendContentControl.h"

#include <QApplication>
#include <QImage>

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

class Source final : public TrendDataSource
{
public:
    explicit Source(int count) : m_values(Series(count)) {}
    int GetMode() const override { return 0; }
    void SetMode(int) override {}
    QString GetFirstDateText() const override { return QStringLiteral("01/01/26"); }
    QString GetLastDateText() const override { return QStringLiteral("12/31/26"); }
    void EnumeratePoints(TrendPointSink& sink) override
    {
        const int count = int(m_values.size());
        for (int i = 0; i < count; ++i)
            sink.AddPoint(static_cast<float>(i) / (count - 1), m_values[i]);
    }

private:
    std::vector<float> m_values;
};

// The chart at 480x640 (a 470-column plot less the margins); its cost must not grow with the
// number of points behind it.
void PaintChart(benchmark::State& state)
{
    SkinSettings::Instance().Init(480, 640);
    Source source(static_cast<int>(state.range(0)));
    TrendContentControl chart;
    chart.resize(480, 384);
    chart.show();
    chart.SetDataSource(&source);
    QImage image(chart.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        chart.render(&image);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(PaintChart)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return RunWidgetBenchmarks(argc, argv);
}
