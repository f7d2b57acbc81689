#pragma once

#include <QHash>
#include <QPixmap>
#include <QSize>

#include <memory>

class QPainter;
class QRect;
class QSvgRenderer;

// One piece of artwork (resource 3000 to 3054), drawn stretched to whatever rectangle shows it.
// Rendered from its SVG at the device pixel size of that rectangle, so it stays crisp.
class SkinBitmap final
{
public:
    SkinBitmap(int id, std::unique_ptr<QSvgRenderer> renderer);
    ~SkinBitmap();
    SkinBitmap(const SkinBitmap&) = delete;
    SkinBitmap& operator=(const SkinBitmap&) = delete;

    int Id() const { return m_id; }
    // The design proportions of the artwork.
    QSize DesignSize() const;
    // `size` in logical pixels; the result carries `devicePixelRatio`.
    QPixmap Pixmap(QSize size, qreal devicePixelRatio) const;
    void Draw(QPainter& painter, const QRect& target) const;

private:
    int m_id;
    std::unique_ptr<QSvgRenderer> m_renderer;
    mutable QHash<quint64, QPixmap> m_pixmaps; // per device pixel size
};
