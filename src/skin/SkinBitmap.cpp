#include "skin/SkinBitmap.h"

#include <QPainter>
#include <QSvgRenderer>

namespace {
// Beyond this the artwork is only ever asked for by mistake; refuse rather than allocate.
constexpr int kMaxSide = 8192;
} // namespace

SkinBitmap::SkinBitmap(int id, std::unique_ptr<QSvgRenderer> renderer)
    : m_id(id), m_renderer(std::move(renderer))
{
}

SkinBitmap::~SkinBitmap() = default;

QSize SkinBitmap::DesignSize() const
{
    return m_renderer->defaultSize();
}

QPixmap SkinBitmap::Pixmap(QSize size, qreal devicePixelRatio) const
{
    const QSize pixels = (QSizeF(size) * devicePixelRatio).toSize();
    if (pixels.width() <= 0 || pixels.height() <= 0 || pixels.width() > kMaxSide ||
        pixels.height() > kMaxSide)
        return {};
    const quint64 cacheKey = (quint64(quint32(pixels.width())) << 32) | quint32(pixels.height());
    const auto cached = m_pixmaps.constFind(cacheKey);
    if (cached != m_pixmaps.constEnd() &&
        qFuzzyCompare(cached->devicePixelRatio(), devicePixelRatio))
        return *cached;

    QPixmap pixmap(pixels);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        m_renderer->render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    }
    pixmap.setDevicePixelRatio(devicePixelRatio);
    m_pixmaps.insert(cacheKey, pixmap);
    return pixmap;
}

void SkinBitmap::Draw(QPainter& painter, const QRect& target) const
{
    const QPixmap pixmap = Pixmap(target.size(), painter.device()->devicePixelRatioF());
    if (!pixmap.isNull())
        painter.drawPixmap(target.topLeft(), pixmap);
}
