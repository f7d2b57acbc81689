#include "fitness/TrendRaster.h"

#include <bit>
#include <cmath>
#include <limits>

namespace {

// Rounds half away from zero; rows far outside any window are clamped rather than overflowing.
std::int32_t RoundRow(double row, int fallback)
{
    if (!std::isfinite(row))
        return fallback;
    constexpr double kLimit = 1 << 30;
    if (row > kLimit)
        return static_cast<std::int32_t>(kLimit);
    if (row < -kLimit)
        return -static_cast<std::int32_t>(kLimit);
    return static_cast<std::int32_t>(row >= 0 ? row + 0.5 : row - 0.5);
}

} // namespace

float TrendRaster::Empty()
{
    return std::bit_cast<float>(kEmptyBits);
}

bool TrendRaster::IsEmpty(float value)
{
    return std::bit_cast<std::uint32_t>(value) == kEmptyBits;
}

bool TrendRaster::SetWidth(int width)
{
    // A window narrower than its margins gives a negative width: no columns at all.
    const auto columns = static_cast<std::uint32_t>(width > 0 ? width : 0);
    if (columns == m_width)
        return false;
    m_width = columns;
    m_values.assign(columns, Empty());
    m_pixels.assign(columns, 0);
    m_step = columns ? 1.0 / columns : 0.0;
    Reset();
    return true;
}

void TrendRaster::Reset()
{
    m_edge = m_step;
    m_column = 0;
    m_columnLow = Empty();
    m_columnHigh = Empty();
    m_low = std::numeric_limits<float>::max();
    m_high = std::numeric_limits<float>::lowest();
}

void TrendRaster::AddPoint(float x, float value)
{
    if (m_column >= m_width)
        return;
    // A damaged record must not smear infinities or NaNs across the chart.
    if (!std::isfinite(x) || !std::isfinite(value))
        return;

    const double xd = x;
    if (!(xd > m_edge)) {
        if (IsEmpty(m_columnLow) || value < m_columnLow)
            m_columnLow = value;
        if (!IsEmpty(m_columnHigh) && !(value > m_columnHigh))
            return;
        m_columnHigh = value;
        return;
    }

    const bool closedEmpty = IsEmpty(m_columnHigh) || IsEmpty(m_columnLow);
    m_values[m_column] = closedEmpty ? Empty() : (m_columnHigh + m_columnLow) * 0.5f;
    const double next = m_edge + m_step;
    if (xd > next) {
        // Columns before the first point stay empty; the others continue the straight line
        // from the closed column's centre towards the new point.
        const double slope = ((static_cast<double>(value) - m_values[m_column]) * m_step) /
                             ((xd - m_edge) + m_step * 0.5);
        m_edge = next;
        ++m_column;
        while (m_column < m_width && xd > m_edge) {
            const double previous = m_values[m_column - 1];
            m_values[m_column] = closedEmpty ? Empty() : static_cast<float>(previous + slope);
            m_edge += m_step;
            ++m_column;
        }
    } else {
        m_edge = next;
        ++m_column;
    }
    m_columnLow = value;
    m_columnHigh = value;
}

void TrendRaster::Finish()
{
    if (m_column >= m_width)
        return;
    const bool empty = IsEmpty(m_columnHigh) || IsEmpty(m_columnLow);
    m_values[m_column] = empty ? Empty() : (m_columnHigh + m_columnLow) * 0.5f;
    for (std::uint32_t c = m_column + 1; c < m_width; ++c)
        m_values[c] = Empty();
}

void TrendRaster::Scale(int bottom, int top)
{
    float low = std::numeric_limits<float>::max();
    float high = std::numeric_limits<float>::lowest();
    for (float value : m_values) {
        if (!std::isfinite(value))
            continue;
        if (value < low)
            low = value;
        if (value > high)
            high = value;
    }
    m_low = low;
    m_high = high;

    if (low == high) {
        const int middle = (bottom + top) / 2;
        for (auto& row : m_pixels)
            row = middle;
    } else if (low < high) {
        const double scale = static_cast<double>(top - bottom) / static_cast<double>(high - low);
        for (std::uint32_t c = 0; c < m_width; ++c) {
            if (!std::isfinite(m_values[c]))
                continue;
            const double row = static_cast<double>(m_values[c] - low) * scale + bottom;
            m_pixels[c] = RoundRow(row, bottom);
        }
    }
}

bool TrendRaster::HasPixel(std::uint32_t column) const
{
    if (column >= m_width)
        return false;
    return m_low == m_high || std::isfinite(m_values[column]);
}
