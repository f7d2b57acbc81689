#include "fitness/TrendRaster.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <utility>
#include <vector>

namespace {

TrendRaster Raster(int width, const std::vector<std::pair<float, float>>& points)
{
    TrendRaster raster;
    raster.SetWidth(width);
    raster.Reset();
    for (const auto& [x, y] : points)
        raster.AddPoint(x, y);
    raster.Finish();
    return raster;
}

std::vector<int> Rows(const TrendRaster& raster)
{
    std::vector<int> rows;
    for (std::uint32_t c = 0; c < raster.Width(); ++c)
        rows.push_back(raster.PixelRow(c));
    return rows;
}

TEST(TrendRasterTest, EmptyIsOneBitPatternNotAnyNaN)
{
    EXPECT_EQ(std::bit_cast<std::uint32_t>(TrendRaster::Empty()), 0x7FC00000u);
    EXPECT_TRUE(TrendRaster::IsEmpty(TrendRaster::Empty()));
    EXPECT_FALSE(TrendRaster::IsEmpty(std::bit_cast<float>(0x7FC00001u)));
    EXPECT_FALSE(TrendRaster::IsEmpty(-TrendRaster::Empty()));
    EXPECT_FALSE(TrendRaster::IsEmpty(0.0f));
}

TEST(TrendRasterTest, TwoPointsRiseLinearlyAcrossTheColumns)
{
    TrendRaster raster = Raster(100, {{0.0f, 100.0f}, {1.0f, 200.0f}});
    ASSERT_TRUE(raster.HasData());
    EXPECT_FLOAT_EQ(raster.Value(0), 100.0f);
    const double slope = (100.0 * 0.01) / (0.99 + 0.005);
    for (std::uint32_t c = 1; c <= 98; ++c)
        EXPECT_NEAR(raster.Value(c), 100.0 + slope * c, 1e-3) << "column " << c;
    EXPECT_FLOAT_EQ(raster.Value(99), 200.0f);

    raster.Scale(110, 10);
    EXPECT_EQ(std::pair(raster.Low(), raster.High()), std::pair(100.0f, 200.0f));
    const std::vector<int> rows = Rows(raster);
    EXPECT_EQ(std::pair(rows.front(), rows.back()), std::pair(110, 10));
    // Rows fall steadily, one row per column or nearly so.
    for (std::size_t c = 1; c < rows.size(); ++c)
        EXPECT_TRUE(rows[c] <= rows[c - 1] && rows[c] >= rows[c - 1] - 2) << "column " << c;
}

TEST(TrendRasterTest, PointsInOneColumnGiveTheMiddleOfTheirRangeAndColumnsOutsideStayEmpty)
{
    // Column 0 ends at 0.1; columns 1 and 2 collect three points each.
    TrendRaster raster = Raster(10, {{0.05f, 4.0f},
                                     {0.12f, 10.0f},
                                     {0.15f, 2.0f},
                                     {0.19f, 7.0f},
                                     {0.21f, -3.0f},
                                     {0.25f, 9.0f},
                                     {0.29f, 1.0f}});
    EXPECT_FLOAT_EQ(raster.Value(0), 4.0f);
    EXPECT_FLOAT_EQ(raster.Value(1), 6.0f);
    EXPECT_FLOAT_EQ(raster.Value(2), 3.0f);
    for (std::uint32_t c = 3; c < 10; ++c)
        EXPECT_TRUE(TrendRaster::IsEmpty(raster.Value(c))) << "column " << c;
    raster.Scale(100, 0);
    EXPECT_FALSE(raster.HasPixel(3));
    EXPECT_TRUE(raster.HasPixel(2));

    TrendRaster late = Raster(10, {{0.45f, 30.0f}, {0.95f, 80.0f}});
    for (std::uint32_t c = 0; c < 4; ++c)
        EXPECT_TRUE(TrendRaster::IsEmpty(late.Value(c))) << "column " << c;
    EXPECT_FLOAT_EQ(late.Value(4), 30.0f);
    EXPECT_FLOAT_EQ(late.Value(9), 80.0f);
    EXPECT_TRUE(late.Value(7) > 30.0f && late.Value(7) < 80.0f) << late.Value(7);
}

TEST(TrendRasterTest, PointsPastTheEndFillNoColumnBeyondTheLast)
{
    TrendRaster raster = Raster(10, {{0.0f, 0.0f}, {1.5f, 150.0f}, {3.0f, 900.0f}});
    ASSERT_TRUE(raster.HasData());
    // The line heads for the far point but stops at the last column.
    const double slope = (150.0 * 0.1) / ((1.5 - 0.1) + 0.05);
    for (std::uint32_t c = 1; c < 10; ++c)
        EXPECT_NEAR(raster.Value(c), slope * c, 1e-3);
    raster.Scale(50, 0);
    EXPECT_FLOAT_EQ(raster.High(), raster.Value(9));
    EXPECT_FALSE(raster.HasPixel(10));
}

TEST(TrendRasterTest, RoundingIsHalfAwayFromZero)
{
    // Rows 0..-3 over values 0..3: 1.5 maps to -1.5, which rounds to -2.
    TrendRaster raster = Raster(4, {{0.1f, 0.0f}, {0.3f, 1.5f}, {0.6f, 1.0f}, {0.9f, 3.0f}});
    raster.Scale(0, -3);
    EXPECT_EQ(Rows(raster), std::vector<int>({0, -2, -1, -3}));
}

TEST(TrendRasterTest, HostileInputNeverReachesThePixels)
{
    const float inf = std::numeric_limits<float>::infinity();
    TrendRaster raster = Raster(8, {{0.0f, 10.0f},
                                    {0.2f, inf},
                                    {std::nanf(""), 3.0f},
                                    {0.5f, -inf},
                                    {0.6f, std::bit_cast<float>(0x7FC00000u)},
                                    {1.0f, 20.0f}});
    raster.Scale(100, 0);
    EXPECT_EQ(std::pair(raster.Low(), raster.High()), std::pair(10.0f, 20.0f));
    for (int row : Rows(raster))
        EXPECT_TRUE(row >= 0 && row <= 100) << row;

    // Extremes whose difference overflows single precision still give rows inside the range.
    const float big = std::numeric_limits<float>::max();
    TrendRaster wide = Raster(4, {{0.1f, -big}, {0.9f, big}});
    wide.Scale(100, 0);
    for (int row : Rows(wide))
        EXPECT_TRUE(row >= 0 && row <= 100) << row;
}

} // namespace
