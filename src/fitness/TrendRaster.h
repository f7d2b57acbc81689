#pragma once

#include "fitness/TrendPointSink.h"

#include <cstdint>
#include <limits>
#include <vector>

// Reduces a series of points to one value per pixel column, interpolating across columns that
// no point falls into, then maps the column values to pixel rows. Painting then costs one pixel
// per column whatever the number of points.
class TrendRaster final : public TrendPointSink
{
public:
    // The one bit pattern that marks an empty column (compared bitwise, not as a NaN).
    static constexpr std::uint32_t kEmptyBits = 0x7FC00000u;
    static float Empty();
    static bool IsEmpty(float value);

    // Reallocates only when the width changes; returns whether it did.
    bool SetWidth(int width);
    std::uint32_t Width() const { return m_width; }

    void Reset();
    void AddPoint(float x, float value) override;
    void Finish();
    // bottom is the larger row number.
    void Scale(int bottom, int top);

    bool HasData() const { return !IsEmpty(m_columnHigh); }
    bool HasPixel(std::uint32_t column) const;
    int PixelRow(std::uint32_t column) const { return m_pixels[column]; }
    float Value(std::uint32_t column) const { return m_values[column]; }
    float Low() const { return m_low; }
    float High() const { return m_high; }

private:
    std::uint32_t m_width = 0;
    std::vector<float> m_values;
    std::vector<std::int32_t> m_pixels;
    double m_step = 0;
    double m_edge = 0;
    std::uint32_t m_column = 0;
    float m_columnLow = Empty();
    float m_columnHigh = Empty();
    // Start apart so that nothing counts as a flat line before the first Scale.
    float m_low = std::numeric_limits<float>::max();
    float m_high = std::numeric_limits<float>::lowest();
};
