#pragma once

#include <QByteArray>
#include <QHash>
#include <QPixmap>
#include <QSize>
#include <QString>

#include <memory>

class QImage;
class QPainter;
class QRect;
class QSvgRenderer;

// One piece of artwork (resource 3000 to 3054), drawn stretched to whatever rectangle shows it.
// Rendered from its SVG at the device pixel size of that rectangle, so it stays crisp. The SVG is
// read on first use, and with a cache folder a rendering is kept there, named by the artwork's
// content and size: a later start draws the home screen without parsing SVG or shaping the text
// in it.
class SkinBitmap final
{
public:
    SkinBitmap(int id, QString svgPath, QString cacheFolder = {});
    ~SkinBitmap();
    SkinBitmap(const SkinBitmap&) = delete;
    SkinBitmap& operator=(const SkinBitmap&) = delete;

    int Id() const { return m_id; }
    // The design proportions of the artwork; empty when its SVG does not load.
    QSize DesignSize() const;
    // `size` in logical pixels; the result carries `devicePixelRatio`. Null when the artwork
    // does not render.
    QPixmap Pixmap(QSize size, qreal devicePixelRatio) const;
    // False, and nothing drawn, when the artwork does not render.
    bool Draw(QPainter& painter, const QRect& target) const;

private:
    QSvgRenderer* Renderer() const; // null when the SVG does not load
    QString CachedPath(QSize pixels) const;
    QImage Render(QSize pixels) const;

    int m_id;
    QString m_svgPath;
    QString m_cacheFolder;
    mutable std::unique_ptr<QSvgRenderer> m_renderer;
    mutable bool m_rendererTried = false;
    mutable QByteArray m_fingerprint;
    mutable QHash<quint64, QPixmap> m_pixmaps; // per device pixel size
};
