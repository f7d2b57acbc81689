#include "controls/RowLayout.h"

#include "skin/SkinSettings.h"

#include <QWidget>

RowLayout::RowLayout(const QString& prefix, std::vector<Row> rows)
    : m_prefix(prefix), m_rows(std::move(rows)), m_lookup(SkinLookup())
{
}

RowLayout::Lookup RowLayout::SkinLookup()
{
    return [](const QString& key, int defaultValue) {
        return SkinSettings::Instance().GetScaled(key, defaultValue);
    };
}

QRect RowLayout::FromEdges(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

RowLayout::Metrics RowLayout::ReadMetrics(const QString& prefix, const Lookup& lookup)
{
    Metrics m;
    m.leftMargin = lookup(prefix + QLatin1String("/leftMargin"), 0);
    m.rightMargin = lookup(prefix + QLatin1String("/rightMargin"), 0);
    m.topMargin = lookup(prefix + QLatin1String("/topMargin"), 0);
    m.bottomMargin = lookup(prefix + QLatin1String("/bottomMargin"), 0);
    m.rowHeight = lookup(prefix + QLatin1String("/rowHeight"), 20);
    m.rowSpacing = lookup(prefix + QLatin1String("/xRowSpacing"), 3);
    return m;
}

int RowLayout::ContentHeight(const Metrics& m, int rowCount)
{
    return (m.rowSpacing + m.rowHeight) * rowCount - m.rowSpacing + m.bottomMargin + m.topMargin;
}

std::vector<RowLayout::Placement>
RowLayout::Compute(const QString& prefix, const std::vector<std::pair<bool, bool>>& occupied,
                   const QRect& content, const Lookup& lookup)
{
    const Metrics m = ReadMetrics(prefix, lookup);
    const int l = content.x();
    const int t = content.y();
    const int r = content.x() + content.width();
    const int left = l + m.leftMargin;
    const int right = r - m.rightMargin;
    const int mid = l + (r - l) / 2;

    int top = t + m.topMargin;
    int aRight = mid;
    int cLeft = mid;
    int w1 = mid - left;
    int w2 = right - mid;

    std::vector<Placement> placements;
    for (int n = 0; n < int(occupied.size()); ++n) {
        const auto [hasFirst, hasSecond] = occupied[n];
        const int bottom = top + m.rowHeight;
        if (hasFirst && hasSecond) {
            // Widths found for this row become the defaults of the rows after it.
            const QString key = QString::asprintf("%s/rows/%d/width", qPrintable(prefix), n);
            w1 = lookup(key + QLatin1Char('1'), w1);
            w2 = lookup(key + QLatin1Char('2'), w2);
            if (w1 < 0 && w2 < 0) {
                aRight = (left - m.rowSpacing + right) / 2;
                cLeft = aRight + m.rowSpacing;
            } else if (w1 >= 0 && w2 < 0) {
                aRight = left + w1;
                cLeft = aRight + m.rowSpacing;
            } else if (w1 < 0) {
                cLeft = right - w2;
                aRight = cLeft - m.rowSpacing;
            } else {
                cLeft = right - w2;
                aRight = left + w1;
            }
            placements.push_back({n, 0, FromEdges(left, top, aRight, bottom)});
            placements.push_back({n, 1, FromEdges(cLeft, top, right, bottom)});
        } else if (hasFirst || hasSecond) {
            placements.push_back({n, hasFirst ? 0 : 1, FromEdges(left, top, right, bottom)});
        }
        top += m.rowHeight + m.rowSpacing;
    }
    return placements;
}

std::vector<std::pair<bool, bool>> RowLayout::Occupancy() const
{
    std::vector<std::pair<bool, bool>> occupied;
    occupied.reserve(m_rows.size());
    for (const Row& row : m_rows)
        occupied.emplace_back(row.first != nullptr, row.second != nullptr);
    return occupied;
}

QRect RowLayout::GetRowsRect(const QRect& client) const
{
    const Metrics m = ReadMetrics(m_prefix, m_lookup);
    const int t = client.y() + m.topMargin;
    return FromEdges(client.x() + m.leftMargin, t, client.x() + client.width() - m.rightMargin,
                     t + RowCount() * (m.rowHeight + m.rowSpacing) - m.rowSpacing);
}

int RowLayout::GetContentHeight() const
{
    return ContentHeight(ReadMetrics(m_prefix, m_lookup), RowCount());
}

void RowLayout::LayoutRows(const QRect& content)
{
    const Metrics m = ReadMetrics(m_prefix, m_lookup);
    const QRect area = FromEdges(content.x() + m.leftMargin, content.y() + m.topMargin,
                                 content.x() + content.width() - m.rightMargin,
                                 content.y() + content.height() - m.bottomMargin);
    for (const Placement& p : Compute(m_prefix, Occupancy(), content, m_lookup)) {
        const Row& row = m_rows[p.row];
        PlaceControl(p.column == 0 ? row.first : row.second, p.rect, area);
    }
}

void RowLayout::PlaceControl(QWidget* control, const QRect& rect, const QRect&)
{
    control->setGeometry(rect);
    control->update();
}
