#include "views/TrendContentControl.h"

#include "controls/WhiteBackground.h"
#include "fitness/TrendDataSource.h"
#include "skin/DeviceScreen.h"
#include "skin/DropDownName.h"
#include "skin/SkinSettings.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QPainter>
#include <QPolygon>

#include <algorithm>

const QString TrendContentControl::kName = QStringLiteral("TrendControl");

namespace {

// Handheld rectangles: left, top, exclusive right and bottom.
struct Edges
{
    int left, top, right, bottom;
    QRect ToRect() const { return QRect(left, top, right - left, bottom - top); }
};

} // namespace

TrendContentControl::TrendContentControl(QWidget* parent) : QWidget(parent)
{
    setObjectName(kName);
    SetWhiteBackground(this);

    m_modes = new QComboBox(this);
    m_modes->setObjectName(QStringLiteral("100"));
    m_modes->setEditable(false);
    m_modes->setGeometry(0, 0, 10, 10);
    SetDropDownName(m_modes, QStringLiteral("What the chart shows"));
    connect(m_modes, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        if (m_source)
            m_source->SetMode(index);
    });
    ReadSettings();
}

TrendContentControl::~TrendContentControl()
{
    m_source = nullptr;
    m_modes->disconnect(this);
}

void TrendContentControl::ReadSettings()
{
    SkinSettings& skin = SkinSettings::Instance();
    Settings& s = m_settings;
    bool found = false;
    s.modeSize = skin.GetSize(u"layout/results/modeCtrlSize", &found);
    if (!found)
        s.modeSize = QSize(80, 19) * skin.Multiplier();
    s.marginTop = skin.GetScaled(u"layout/results/marginTop", 5);
    s.marginBottom = skin.GetScaled(u"layout/results/marginBottom", 5);
    s.marginLeft = skin.GetScaled(u"layout/results/marginLeft", 5);
    s.marginRight = skin.GetScaled(u"layout/results/marginRight", 5);
    s.lineWidth = std::max(0, skin.GetScaled(u"layout/results/linesWidth", 1));
    s.axes = skin.GetColor(u"layout/results/axesColor", 0x800080);
    s.box = skin.GetColor(u"layout/results/boxColor", 0x7F7F7F);
    s.trend = skin.GetColor(u"layout/results/trendColor", 0x0000FF);
    s.text = skin.GetColor(u"layout/results/textColor", 0);
    // The handheld's 8-point dialog font, grown with the screen like the geometry.
    s.font = QGuiApplication::font();
    s.font.setPixelSize(DeviceScreen::kBaseFontPixels * skin.Multiplier());
}

void TrendContentControl::SetModeNames(const QStringList& names)
{
    m_modes->clear();
    m_modes->addItems(names);
    if (m_source)
        SelectSourceMode();
}

void TrendContentControl::SetDataSource(TrendDataSource* source)
{
    m_source = source;
    if (!m_source) {
        // Without a source the chart has nothing to show.
        m_raster.Reset();
        update();
        return;
    }
    const int mode = m_source->GetMode();
    if (mode >= 0 && mode < m_modes->count())
        m_modes->setCurrentIndex(mode);
    Recompute();
    update();
}

void TrendContentControl::Refresh()
{
    if (m_source) {
        SelectSourceMode();
        Recompute();
    }
    update();
}

void TrendContentControl::SelectSourceMode()
{
    const int mode = m_source->GetMode();
    m_modes->setCurrentIndex(mode >= 0 && mode < m_modes->count() ? mode : -1);
}

void TrendContentControl::Recompute()
{
    if (!m_source)
        return;
    m_raster.Reset();
    m_source->EnumeratePoints(m_raster);
    m_raster.Finish();
}

void TrendContentControl::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    ReadSettings();
    const Settings& s = m_settings;
    const QRect c = rect();
    const int right = c.x() + c.width();
    m_modes->setGeometry(right - s.marginRight - s.modeSize.width(), c.y() + s.marginTop,
                         s.modeSize.width(), s.modeSize.height());

    const QFontMetrics metrics(s.font);
    m_headerHeight = std::max(s.modeSize.height(), metrics.height()) + 2;

    const int width = right - 2 * s.lineWidth - s.marginRight - s.marginLeft - c.x();
    if (m_raster.SetWidth(width) || !m_raster.HasData()) {
        if (m_source)
            Recompute();
    }
}

void TrendContentControl::paintEvent(QPaintEvent*)
{
    const Settings& s = m_settings;
    const int lw = s.lineWidth;
    QPainter painter(this);
    const QRect c = rect();
    Edges r{c.x() + s.marginLeft, c.y() + s.marginTop, c.x() + c.width() - s.marginRight,
            c.y() + c.height() - s.marginBottom};

    QPen axes(s.axes, std::max(1, lw), Qt::SolidLine, Qt::FlatCap);
    painter.setPen(axes);
    painter.setFont(s.font);
    const QFontMetrics metrics(s.font);

    int h = 0;
    if (m_source) {
        const QString first = m_source->GetFirstDateText();
        const QString last = m_source->GetLastDateText();
        if (!first.isEmpty() || !last.isEmpty()) {
            h = metrics.height();
            const QRect dates =
                Edges{r.left + lw + 2, r.bottom - h, r.right - 2, r.bottom}.ToRect();
            painter.setPen(s.text);
            painter.drawText(dates, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, first);
            painter.drawText(dates, Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine, last);
            painter.setPen(axes);
        }
    }

    // The handheld's lines leave out their end point.
    const int axisX = r.left + lw / 2;
    painter.drawLine(axisX, r.bottom - 1, axisX, r.top + 1);
    r.left += lw;
    const int axisY = r.bottom - lw / 2 - (h + 1);
    painter.drawLine(r.left, axisY, r.right - 2, axisY);
    r.bottom -= lw + (h + 1);

    if (m_raster.HasData()) {
        const int t = metrics.height();
        m_raster.Scale(r.bottom - lw - t - 1, lw + m_headerHeight + r.top);
        QPolygon pixels;
        pixels.reserve(int(m_raster.Width()));
        for (std::uint32_t column = 0; column < m_raster.Width(); ++column) {
            if (m_raster.HasPixel(column))
                pixels << QPoint(r.left + int(column), m_raster.PixelRow(column));
        }
        painter.setPen(QPen(s.trend, 1));
        painter.drawPoints(pixels);

        painter.setPen(s.text);
        painter.drawText(Edges{r.left + 2, r.bottom - t, r.right, r.bottom}.ToRect(),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                         QString::asprintf("%.0f", double(m_raster.Low())));
        painter.drawText(Edges{r.left + 2, r.top, r.right, r.top + m_headerHeight}.ToRect(),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         QString::asprintf("%.0f", double(m_raster.High())));

        r.top += m_headerHeight;
        r.bottom -= t;
        painter.setPen(QPen(s.box, std::max(1, lw), Qt::DotLine, Qt::FlatCap));
        painter.drawLine(r.left, r.bottom, r.right - 1, r.bottom);
        painter.drawLine(r.left, r.top, r.right - 1, r.top);
    } else {
        painter.setPen(s.text);
        painter.drawText(r.ToRect(), Qt::AlignCenter | Qt::TextSingleLine,
                         QStringLiteral("No Data"));
    }
}
