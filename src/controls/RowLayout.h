#pragma once

#include <QRect>
#include <QString>

#include <functional>
#include <vector>

class QWidget;

// Arranges a form's controls in equal-height rows of one or two columns. Margins, row height,
// spacing and per-row column widths come from the skin entries under a prefix such as
// "layout/profile". Rectangles follow the handheld's convention internally (right and bottom
// exclusive) and come out as QRects of the same area.
class RowLayout
{
public:
    struct Row
    {
        QWidget* first = nullptr;
        QWidget* second = nullptr;
    };
    struct Metrics
    {
        int leftMargin = 0;
        int rightMargin = 0;
        int topMargin = 0;
        int bottomMargin = 0;
        int rowHeight = 20;
        int rowSpacing = 3;
    };
    struct Placement
    {
        int row = 0;
        int column = 0; // 0 first, 1 second
        QRect rect;
    };
    // (key without prefix of screen mode or skin, default) -> scaled value.
    using Lookup = std::function<int(const QString& key, int defaultValue)>;

    RowLayout(const QString& prefix, std::vector<Row> rows);
    virtual ~RowLayout() = default;

    virtual QRect GetRowsRect(const QRect& client) const;
    virtual int GetContentHeight() const;
    virtual void LayoutRows(const QRect& content);
    // area is the content rectangle less the margins; the base ignores it.
    virtual void PlaceControl(QWidget* control, const QRect& rect, const QRect& area);

    int RowCount() const { return int(m_rows.size()); }
    const Row& RowAt(int row) const { return m_rows[row]; }
    QString Prefix() const { return m_prefix; }
    // Tests replace the skin with their own values.
    void SetLookup(Lookup lookup) { m_lookup = std::move(lookup); }

    // The geometry alone: which column of which row goes where, for rows whose presence of a
    // first and second control is given.
    static Metrics ReadMetrics(const QString& prefix, const Lookup& lookup);
    static int ContentHeight(const Metrics& metrics, int rowCount);
    static std::vector<Placement> Compute(const QString& prefix,
                                          const std::vector<std::pair<bool, bool>>& occupied,
                                          const QRect& content, const Lookup& lookup);
    static QRect FromEdges(int left, int top, int right, int bottom);
    // The real skin: SkinSettings::Instance().GetScaled.
    static Lookup SkinLookup();

private:
    std::vector<std::pair<bool, bool>> Occupancy() const;

    QString m_prefix;
    std::vector<Row> m_rows;
    Lookup m_lookup;
};
