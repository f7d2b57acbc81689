#include "fitness/TrendDataSource.h"
#include "fitness/TrendPointSink.h"
#include "skin/DeviceScreen.h"
#include "views/TrendContentControl.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

#include <array>

namespace {

const QRgb kTrend = qRgb(255, 0, 0);
const QRgb kAxes = qRgb(128, 0, 128);
const QRgb kBox = qRgb(127, 127, 127);

class Source final : public TrendDataSource
{
public:
    int GetMode() const override { return mode; }
    // As the results page: a new mode rebuilds the series and refreshes the chart.
    void SetMode(int m) override
    {
        modesSet.push_back(m);
        mode = m;
        chart->Refresh();
    }
    QString GetFirstDateText() const override { return first; }
    QString GetLastDateText() const override { return last; }
    void EnumeratePoints(TrendPointSink& sink) override
    {
        ++enumerations;
        for (const auto& [x, y] : points)
            sink.AddPoint(x, y * float(mode + 1));
    }

    TrendChart* chart = nullptr;
    int mode = 0;
    QString first = "01/02/26";
    QString last = "12/31/26";
    std::vector<std::pair<float, float>> points;
    std::vector<int> modesSet;
    int enumerations = 0;
};

// The chart with the QVGA skin: margins 5, lines of 1 pixel, so the plot starts at x 6.
struct Fixture
{
    explicit Fixture(int width, std::vector<std::pair<float, float>> points = {})
    {
        font.setPixelSize(DeviceScreen::kBaseFontPixels);
        source.chart = &chart;
        source.points = std::move(points);
        chart.resize(width, 200);
        chart.show();
    }
    QImage Grab() { return chart.grab().toImage().convertToFormat(QImage::Format_RGB32); }
    int TextHeight() const { return QFontMetrics(font).height(); }
    // The text as the chart should draw it, alone on white, cut to `rect`.
    QImage Text(const QString& text, const QRect& rect, Qt::Alignment alignment) const
    {
        QImage image(chart.size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(font);
        painter.drawText(rect, alignment | Qt::TextSingleLine, text);
        return image.copy(rect);
    }

    QFont font = QGuiApplication::font();
    Source source;
    TrendContentControl chart;
};

int Count(const QImage& image, QRgb colour = kTrend, QRect area = {})
{
    if (area.isNull())
        area = image.rect();
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixel(x, y) == colour;
    return count;
}

TEST(TrendChartTest, NoDataInTheMiddleAndTheAxes)
{
    Fixture f(240);
    for (TrendDataSource* source : std::array<TrendDataSource*, 2>{nullptr, &f.source}) {
        f.chart.SetDataSource(source);
        const QImage image = f.Grab();
        EXPECT_EQ(Count(image), 0);
        // Centred in the plot; the band below the mode list compared whole.
        const int dates = source ? f.TextHeight() + 1 : 1;
        const QRect plot(6, 5, 229, 190 - 1 - dates);
        const QRect band(0, 40, plot.width(), 100);
        EXPECT_EQ(f.Text("No Data", plot, Qt::AlignCenter).copy(band), image.copy(plot).copy(band));
        EXPECT_EQ(image.pixel(5, 100), kAxes);
        EXPECT_EQ(image.pixel(4, 100), qRgb(255, 255, 255));
        EXPECT_EQ(image.pixel(100, 195 - dates), kAxes);
    }
}

TEST(TrendChartTest, LinesRiseOnePixelPerColumnOrRunFlatAcrossTheMiddle)
{
    Fixture f(112, {{0.0f, 100.0f}, {1.0f, 200.0f}});
    f.chart.SetDataSource(&f.source);
    QImage image = f.Grab();
    ASSERT_EQ(f.chart.Raster().Width(), 100u);
    const int t = f.TextHeight();
    const int header = f.chart.HeaderHeight();
    EXPECT_EQ(header, std::max(19, t) + 2);
    // Rows of the lowest and highest value, between the box lines.
    const int lowRow = 195 - 1 - (t + 1) - 1 - t - 1;
    const int highRow = 1 + header + 5;
    EXPECT_EQ(Count(image), 100);
    EXPECT_EQ(image.pixel(6, lowRow), kTrend);
    EXPECT_EQ(image.pixel(6 + 99, highRow), kTrend);
    const int middle = f.chart.Raster().PixelRow(50);
    EXPECT_TRUE(middle < lowRow && middle > highRow) << middle;
    EXPECT_EQ(image.pixel(6 + 50, middle), kTrend);
    EXPECT_GT(Count(image, kBox, QRect(6, highRow - 1, 99, 1)), 20);
    EXPECT_GT(Count(image, kBox, QRect(6, lowRow + 2, 99, 1)), 20);

    // One point: a flat line; the date line keeps its room without dates.
    f.source.points = {{0.4f, 81.0f}};
    f.source.first.clear();
    f.source.last.clear();
    f.chart.Refresh();
    image = f.Grab();
    const int flat = (193 - 1 - t - 1 + 1 + header + 5) / 2;
    EXPECT_EQ(Count(image, kTrend, QRect(6, flat, 100, 1)), 100);
    EXPECT_EQ(Count(image), 100);
}

TEST(TrendChartTest, LabelsShowTheExtremesAndTheDates)
{
    Fixture f(240, {{0.0f, 99.6f}, {0.5f, 180.0f}, {1.0f, 200.4f}});
    f.chart.SetDataSource(&f.source);
    const QImage image = f.Grab();
    const int t = f.TextHeight();
    const int bottom = 195 - 1 - (t + 1);
    // "%.0f" of the extremes. The low label's top row carries the dotted box line; the high
    // label shares the header with the mode list.
    const QRect low(8, bottom - t, 227, t);
    const QRect lowText(0, 1, 100, t - 1);
    EXPECT_EQ(f.Text("100", low, Qt::AlignLeft).copy(lowText), image.copy(low).copy(lowText));
    const QRect high(8, 5, 227, f.chart.HeaderHeight());
    const QRect highText(0, 0, 100, high.height());
    EXPECT_EQ(f.Text("200", high, Qt::AlignLeft | Qt::AlignVCenter).copy(highText),
              image.copy(high).copy(highText));
    // The first date at the left, the last at the right of the line under the axis.
    const QRect dates(8, 195 - t, 225, t);
    const QRect left(0, 0, 112, t);
    const QRect right(112, 0, 113, t);
    EXPECT_EQ(f.Text("01/02/26", dates, Qt::AlignLeft).copy(left), image.copy(dates).copy(left));
    EXPECT_EQ(f.Text("12/31/26", dates, Qt::AlignRight).copy(right), image.copy(dates).copy(right));
}

TEST(TrendChartTest, ModeListSwitchesTheSeries)
{
    Fixture f(240, {{0.0f, 10.0f}, {1.0f, 20.0f}});
    f.source.mode = 2;
    f.chart.SetModeNames({"Weight", "Calories", "Carbs"});
    f.chart.SetDataSource(&f.source);
    QComboBox* modes = f.chart.ModeList();
    EXPECT_EQ(modes->currentIndex(), 2);
    EXPECT_EQ(f.chart.Raster().Value(0), 30.0f);
    EXPECT_EQ(modes->geometry(), QRect(240 - 5 - 80, 5, 80, 19));

    QTest::keyClick(modes, Qt::Key_Up);
    EXPECT_EQ(f.source.modesSet, std::vector<int>{1});
    EXPECT_EQ(f.chart.Raster().Value(0), 20.0f);
    // New names keep the source's mode; an unknown mode selects nothing.
    f.chart.SetModeNames({"Weight", "Calories"});
    EXPECT_EQ(modes->currentIndex(), 1);
    f.source.mode = 9;
    f.chart.Refresh();
    EXPECT_EQ(modes->currentIndex(), -1);
}

TEST(TrendChartTest, PointsAreReadPerChangeNeverPerPaint)
{
    Fixture f(112, {{0.0f, 1.0f}, {1.0f, 2.0f}});
    f.chart.SetDataSource(&f.source);
    const int once = f.source.enumerations;
    f.chart.repaint();
    f.Grab();
    EXPECT_EQ(f.source.enumerations, once);
    f.chart.resize(150, 200);
    EXPECT_EQ(f.source.enumerations, once + 1);
    EXPECT_EQ(f.chart.Raster().Width(), 138u);

    // Detached from its source, the chart has nothing to show.
    f.chart.SetDataSource(nullptr);
    EXPECT_EQ(Count(f.Grab()), 0);
    // Narrower than its margins: no columns, nothing drawn.
    f.chart.SetDataSource(&f.source);
    f.chart.resize(8, 6);
    EXPECT_EQ(f.chart.Raster().Width(), 0u);
    EXPECT_EQ(Count(f.Grab()), 0);
}

} // namespace
