#include "skin/SkinBitmap.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QResource>
#include <QSaveFile>
#include <QSvgRenderer>
#include <QTimer>

#include <cstring>
#include <memory>

namespace {

// Beyond this the artwork is only ever asked for by mistake; refuse rather than allocate.
constexpr int kMaxSide = 8192;

// A kept rendering is its pixels as they are drawn, after a header that must match exactly:
// decoding a PNG costs as much as drawing the SVG.
constexpr char kCacheMagic[8] = {'N', 'T', 'V', 'A', 'A', 'R', 'T', '1'};
constexpr QImage::Format kCacheFormat = QImage::Format_ARGB32_Premultiplied;

struct CacheHeader
{
    char magic[8];
    quint32 width;
    quint32 height;
};

QImage ReadKept(const QString& path, QSize pixels)
{
    // Only a plain file of the right size is opened: a pipe put there would block the start.
    const qint64 size = qint64(sizeof(CacheHeader)) + qint64(pixels.width()) * pixels.height() * 4;
    const QFileInfo info(path);
    if (!info.isFile() || info.size() != size)
        return {};
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly) || file->size() != size)
        return {};
    // The pixels are drawn from where they lie in the file's mapping: copying them into fresh
    // memory cost a start more than reading them. The file is only ever replaced by a rename,
    // never rewritten in place, so the mapping stays whole while it is drawn from.
    const uchar* kept = file->map(0, size);
    CacheHeader header{};
    if (!kept)
        return {};
    memcpy(&header, kept, sizeof header);
    if (memcmp(header.magic, kCacheMagic, sizeof kCacheMagic) != 0 ||
        header.width != quint32(pixels.width()) || header.height != quint32(pixels.height()))
        return {};
    QImage image(
        kept + sizeof header, pixels.width(), pixels.height(), qsizetype(pixels.width()) * 4,
        kCacheFormat, [](void* owner) { delete static_cast<QFile*>(owner); }, file.get());
    if (image.isNull())
        return {};
    file.release(); // the image owns the mapping now
    return image;
}

// Written once the paint that rendered it is over, so a first start pays nothing more before
// its window shows. A cache that cannot be written is only a slower next start.
void KeepLater(const QString& path, const QImage& image)
{
    QTimer::singleShot(0, [path, image] {
        if (!QDir().mkpath(QFileInfo(path).path()))
            return;
        CacheHeader header{};
        memcpy(header.magic, kCacheMagic, sizeof kCacheMagic);
        header.width = quint32(image.width());
        header.height = quint32(image.height());
        QSaveFile file(path);
        if (file.open(QIODevice::WriteOnly) &&
            file.write(reinterpret_cast<const char*>(&header), sizeof header) ==
                qint64(sizeof header) &&
            file.write(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()) ==
                image.sizeInBytes() &&
            file.commit()) {
            // Renderings of this picture and size from other artwork or another Qt are never
            // drawn again: they go, so the folder does not grow with every version.
            const QFileInfo kept(path);
            QDir folder(kept.path());
            const QString same = kept.fileName().section(u'-', 0, 1) + QStringLiteral("-*.art");
            for (const QString& name : folder.entryList({same}, QDir::Files)) {
                if (name != kept.fileName())
                    folder.remove(name);
            }
        }
    });
}

} // namespace

SkinBitmap::SkinBitmap(int id, QString svgPath, QString cacheFolder)
    : m_id(id), m_svgPath(std::move(svgPath)), m_cacheFolder(std::move(cacheFolder))
{
}

SkinBitmap::~SkinBitmap() = default;

QSvgRenderer* SkinBitmap::Renderer() const
{
    if (!m_rendererTried) {
        m_rendererTried = true;
        auto renderer = std::make_unique<QSvgRenderer>(m_svgPath);
        if (renderer->isValid() && !renderer->defaultSize().isEmpty())
            m_renderer = std::move(renderer);
    }
    return m_renderer.get();
}

QSize SkinBitmap::DesignSize() const
{
    const QSvgRenderer* renderer = Renderer();
    return renderer ? renderer->defaultSize() : QSize();
}

// The name carries a digest of the SVG and of the Qt that drew it, so changed artwork or a new
// renderer never meets an old picture.
QString SkinBitmap::CachedPath(QSize pixels) const
{
    if (m_cacheFolder.isEmpty())
        return {};
    if (m_fingerprint.isEmpty()) {
        QCryptographicHash digest(QCryptographicHash::Sha1);
        // Built-in artwork is digested as it is stored, without unpacking or copying it.
        if (const QResource resource(m_svgPath); resource.isValid() && resource.data()) {
            digest.addData(QByteArrayView(resource.data(), resource.size()));
        } else {
            QFile svg(m_svgPath);
            if (!svg.open(QIODevice::ReadOnly))
                return {};
            digest.addData(svg.readAll());
        }
        digest.addData(QByteArrayView(qVersion()));
        m_fingerprint = digest.result().toHex().left(16);
    }
    return QStringLiteral("%1/%2-%3x%4-%5.art")
        .arg(m_cacheFolder)
        .arg(m_id)
        .arg(pixels.width())
        .arg(pixels.height())
        .arg(QString::fromLatin1(m_fingerprint));
}

QImage SkinBitmap::Render(QSize pixels) const
{
    QSvgRenderer* renderer = Renderer();
    if (!renderer)
        return {};
    QImage image(pixels, kCacheFormat);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer->render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    return image;
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

    const QString path = CachedPath(pixels);
    QImage image = path.isEmpty() ? QImage() : ReadKept(path, pixels);
    if (image.isNull()) {
        image = Render(pixels);
        if (image.isNull())
            return {};
        if (!path.isEmpty())
            KeepLater(path, image);
    }
    QPixmap pixmap = QPixmap::fromImage(std::move(image));
    pixmap.setDevicePixelRatio(devicePixelRatio);
    m_pixmaps.insert(cacheKey, pixmap);
    return pixmap;
}

bool SkinBitmap::Draw(QPainter& painter, const QRect& target) const
{
    const QPixmap pixmap = Pixmap(target.size(), painter.device()->devicePixelRatioF());
    if (pixmap.isNull())
        return false;
    painter.drawPixmap(target.topLeft(), pixmap);
    return true;
}
