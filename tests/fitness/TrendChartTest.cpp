#include "fitness/TrendContentControl.h"
#include "fitness/TrendDataSource.h"
#include "fitness/TrendPointSink.h"
#include "skin/DeviceScreen.h"
#include "skin/SkinSettings.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kTrend = qRgb(255, 0, 0);
const QRgb kAxes = qRgb(128, 0, 128);

class Source final : public TrendDataSource
{
public:
    int GetMode() const override { return mode; }
    void SetMode(int m) override
    {
        modesSet.push_back(m);
        if (m != mode) {
            mode = m;
            chart->Refresh();
        }
    }
    QString GetFirstDateText() const override { return first; }
    QString GetLastDateText() const override { return last; }
    void EnumeratePoints(TrendPointSink& sink) override
    {
        ++enumerations;
        for (const auto& [x, y] : points)
            sink.AddPoint(x, y * (mode + 1));
    }

    TrendChart* chart = nullptr;
    int mode = 0;
    QString first = "01/02/26";
    QString last = "03/04/26";
    std::vector<std::pair<float, float>> points;
    std::vector<int> modesSet;
    int enumerations = 0;
};

// The chart at the QVGA skin: margins 5, lines 1 pixel.
struct Fixture
{
    explicit Fixture(int width = 112, int height = 200)
    {
        SkinSettings::Instance().Init(240, 320);
        source.chart = &chart;
        chart.resize(width, height);
        chart.show();
    }
    QImage Grab()
    {
        chart.show();
        return chart.grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    int TextHeight() const
    {
        QFont font = QGuiApplication::font();
        font.setPixelSize(DeviceScreen::kBaseFontPixels);
        return QFontMetrics(font).height();
    }
    // The text as the chart draws it, alone on white, for comparing a region.
    QImage Text(const QString& text, const QRect& rect, Qt::Alignment alignment) const
    {
        QImage image(chart.size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        QFont font = QGuiApplication::font();
        font.setPixelSize(DeviceScreen::kBaseFontPixels);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(rect, alignment | Qt::TextSingleLine, text);
        return image.copy(rect);
    }

    Source source;
    TrendContentControl chart;
};

int CountColour(const QImage& image, QRgb colour, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixel(x, y) == colour;
    return count;
}

bool HasInk(const QImage& image, const QRect& area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                return true;
    return false;
}

TEST(TrendChartTest, NoSourceShowsNoDataAndTheAxes)
{
    Fixture f(240, 200);
    EXPECT_EQ(f.chart.GetName(), "TrendControl");
    const QImage image = f.Grab();
    EXPECT_EQ(CountColour(image, kTrend, image.rect()), 0);
    // "No Data" centred in the plot (the band below the mode list).
    const QRect plot(6, 5, 229, 188);
    const QRect band(0, 40, plot.width(), 100);
    EXPECT_EQ(f.Text("No Data", plot, Qt::AlignCenter).copy(band), image.copy(plot).copy(band));
    // Vertical axis at x 5, horizontal one row above the bottom margin.
    EXPECT_EQ(image.pixel(5, 100), kAxes);
    EXPECT_EQ(image.pixel(100, 194), kAxes);
    EXPECT_EQ(image.pixel(4, 100), kWhite);
}

TEST(TrendChartTest, SourceWithoutPointsShowsNoData)
{
    Fixture f(240, 200);
    f.chart.SetDataSource(&f.source);
    const QImage image = f.Grab();
    EXPECT_EQ(CountColour(image, kTrend, image.rect()), 0);
    EXPECT_TRUE(HasInk(image, QRect(90, 90, 60, 20)));
    EXPECT_FALSE(f.chart.Raster().HasData());
}

TEST(TrendChartTest, LinearRiseWithLabelsAndDates)
{
    Fixture f;
    f.source.points = {{0.0f, 100.0f}, {1.0f, 200.0f}};
    f.chart.SetDataSource(&f.source);
    const QImage image = f.Grab();
    ASSERT_EQ(f.chart.Raster().Width(), 100u);

    const int t = f.TextHeight();
    const int header = f.chart.HeaderHeight();
    EXPECT_EQ(header, std::max(19, t) + 2);
    // Plot rectangle after the axes and the date line.
    const int left = 6;
    const int bottom = 195 - 1 - (t + 1);
    const int top = 5;
    const int lowRow = bottom - 1 - t - 1;
    const int highRow = 1 + header + top;
    // One trend pixel per column, where the raster put it, and none elsewhere.
    EXPECT_EQ(CountColour(image, kTrend, image.rect()), 100);
    EXPECT_EQ(image.pixel(left, lowRow), kTrend);
    EXPECT_EQ(image.pixel(left + 99, highRow), kTrend);
    for (int c = 1; c < 99; ++c) {
        const int row = f.chart.Raster().PixelRow(c);
        EXPECT_LE(row, lowRow);
        EXPECT_GE(row, highRow);
        EXPECT_EQ(image.pixel(left + c, row), kTrend) << c;
    }

    // Dotted box lines just outside the highest and lowest rows.
    EXPECT_GT(CountColour(image, qRgb(127, 127, 127), QRect(left, top + header, 99, 1)), 20);
    EXPECT_GT(CountColour(image, qRgb(127, 127, 127), QRect(left, lowRow + 2, 99, 1)), 20);
}

TEST(TrendChartTest, LabelsShowTheExtremesAndTheDates)
{
    Fixture f(240, 200);
    f.source.points = {{0.0f, 99.6f}, {0.5f, 180.0f}, {1.0f, 200.4f}};
    f.source.last = "12/31/26";
    f.chart.SetDataSource(&f.source);
    const QImage image = f.Grab();
    const int t = f.TextHeight();
    const int header = f.chart.HeaderHeight();
    const int left = 6;
    const int bottom = 195 - 1 - (t + 1);
    // "%.0f": rounded to whole numbers. The low label's top row carries the dotted box line.
    const QRect low(left + 2, bottom - t, 229 - 2, t);
    const QRect lowText(0, 1, 100, t - 1);
    EXPECT_EQ(f.Text("100", low, Qt::AlignLeft | Qt::AlignTop).copy(lowText),
              image.copy(low).copy(lowText));
    // The high label sits in the header, left of the mode list.
    const QRect high(left + 2, 5, 229 - 2, header);
    const QRect highText(0, 0, 100, header);
    EXPECT_EQ(f.Text("200", high, Qt::AlignLeft | Qt::AlignVCenter).copy(highText),
              image.copy(high).copy(highText));
    const QRect dates(left + 2, 195 - t, 235 - 2 - left - 2, t);
    // The first date at the left, the last at the right of the line under the axis.
    const QRect firstHalf(0, 0, dates.width() / 2, t);
    const QRect lastHalf(dates.width() / 2, 0, dates.width() - dates.width() / 2, t);
    EXPECT_EQ(f.Text("01/02/26", dates, Qt::AlignLeft | Qt::AlignTop).copy(firstHalf),
              image.copy(dates).copy(firstHalf));
    EXPECT_EQ(f.Text("12/31/26", dates, Qt::AlignRight | Qt::AlignTop).copy(lastHalf),
              image.copy(dates).copy(lastHalf));
}

TEST(TrendChartTest, OnePointIsAFlatLineBetweenTheBoxLines)
{
    Fixture f;
    f.source.points = {{0.4f, 81.0f}};
    f.source.first.clear();
    f.source.last.clear();
    f.chart.SetDataSource(&f.source);
    const QImage image = f.Grab();
    const int t = f.TextHeight();
    const int bottom = 195 - 1 - 1;
    const int middle = (bottom - 1 - t - 1 + 1 + f.chart.HeaderHeight() + 5) / 2;
    EXPECT_EQ(CountColour(image, kTrend, QRect(6, middle, 100, 1)), 100);
    EXPECT_EQ(CountColour(image, kTrend, image.rect()), 100);
    EXPECT_EQ(f.chart.Raster().Low(), f.chart.Raster().High());
}

TEST(TrendChartTest, ModeListSwitchesTheSeries)
{
    Fixture f(240, 200);
    f.source.mode = 2;
    f.source.points = {{0.0f, 10.0f}, {1.0f, 20.0f}};
    f.chart.SetModeNames({"Weight", "Calories", "Carbs"});
    f.chart.SetDataSource(&f.source);
    QComboBox* modes = f.chart.ModeList();
    EXPECT_EQ(modes->currentIndex(), 2);
    EXPECT_EQ(f.chart.Raster().Value(0), 30.0f);
    // At the top right, inside the margins.
    f.chart.show();
    EXPECT_EQ(modes->geometry(), QRect(240 - 5 - 80, 5, 80, 19));

    QTest::keyClick(modes, Qt::Key_Up);
    EXPECT_EQ(f.source.modesSet, std::vector<int>{1});
    EXPECT_EQ(f.chart.Raster().Value(0), 20.0f);
    EXPECT_EQ(modes->currentIndex(), 1);

    // Names set after the source select its mode; an unknown mode selects nothing.
    f.chart.SetModeNames({"Weight", "Calories"});
    EXPECT_EQ(modes->currentIndex(), 1);
    f.source.mode = 9;
    f.chart.Refresh();
    EXPECT_EQ(modes->currentIndex(), -1);
}

TEST(TrendChartTest, PointsAreReadOncePerChangeNotPerPaint)
{
    Fixture f;
    f.source.points = {{0.0f, 1.0f}, {1.0f, 2.0f}};
    f.chart.SetDataSource(&f.source);
    f.Grab();
    const int before = f.source.enumerations;
    f.chart.repaint();
    f.chart.grab();
    EXPECT_EQ(f.source.enumerations, before);
    f.chart.resize(150, 200);
    EXPECT_EQ(f.source.enumerations, before + 1);
    EXPECT_EQ(f.chart.Raster().Width(), 138u);
}

TEST(TrendChartTest, DetachedOrTinyChartsDrawNothingOutOfPlace)
{
    Fixture f;
    f.source.points = {{0.0f, 1.0f}, {1.0f, 2.0f}};
    f.chart.SetDataSource(&f.source);
    f.chart.SetDataSource(nullptr);
    QImage image = f.Grab();
    EXPECT_EQ(CountColour(image, kTrend, image.rect()), 0);

    f.chart.SetDataSource(&f.source);
    f.chart.resize(8, 6);
    EXPECT_EQ(f.chart.Raster().Width(), 0u);
    image = f.Grab();
    EXPECT_EQ(CountColour(image, kTrend, image.rect()), 0);
}

} // namespace
