#include "controls/BandPainter.h"

#include "controls/WhiteBackground.h"

#include "skin/SkinSettings.h"

#include <QPainter>
#include <QWidget>

namespace {
constexpr std::uint32_t kMissingColour = 0xC80000;
} // namespace

void PaintBand(QPainter& painter, const QRect& rect, const QString& section, QStringView band)
{
    SkinSettings& skin = SkinSettings::Instance();
    const QString prefix = section + u'/' + band.toString();
    const int radius = skin.GetScaled(QStringLiteral("layout/%1/panel/strokeRadius").arg(band), 4);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(
        skin.GetColor(QString(prefix + QStringLiteral("/background")), kMissingColour));
    painter.setPen(
        QPen(skin.GetColor(QString(prefix + QStringLiteral("/stroke")), kMissingColour), 1));
    // The corner ellipse is radius x radius, as the handheld's rounded rectangles.
    painter.drawRoundedRect(rect.adjusted(0, 0, -1, -1), radius / 2.0, radius / 2.0);
    painter.restore();
}

void SetUpPanel(QWidget* panel, int id)
{
    panel->setObjectName(QString::number(id));
    SetWhiteBackground(panel);
}
