#include "skin/SkinSettings.h"

#include "skin/SkinBitmap.h"
#include "skin/SkinTable.h"

#include <QFileInfo>

// The artwork sits in the ui library; a static library's resources must be pulled in by hand.
static void InitArtwork()
{
#ifdef NUTRAVA_HAVE_ARTWORK
    Q_INIT_RESOURCE(artwork);
#endif
}

namespace {
QString Concat(std::initializer_list<QStringView> parts)
{
    QString text;
    qsizetype length = 0;
    for (QStringView part : parts)
        length += part.size();
    text.reserve(length);
    for (QStringView part : parts)
        text.append(part);
    return text;
}
} // namespace

SkinSettings::SkinSettings()
{
    InitArtwork();
    m_integers.reserve(17);
    m_bitmaps.reserve(30);
}

SkinSettings::~SkinSettings() = default;

SkinSettings& SkinSettings::Instance()
{
    static SkinSettings instance;
    return instance;
}

void SkinSettings::Init(int screenWidth, int screenHeight)
{
    m_prefix = QString::asprintf("%dx%d", screenWidth, screenHeight);
    m_multiplier = MultiplierFor(screenWidth, screenHeight);
    std::int32_t skin = 0;
    if (SkinTable::Find(Concat({m_prefix, u"/default"}), &skin))
        m_skinName = QString::asprintf("default%d", skin);
    else
        m_skinName = QStringLiteral("default");
    // The caches stay: their keys carry the prefix or skin they were read under.
}

int SkinSettings::MultiplierFor(int screenWidth, int screenHeight)
{
    std::int32_t multiplier = 1;
    SkinTable::Find(QString::asprintf("%dx%d/multiplier", screenWidth, screenHeight), &multiplier);
    return multiplier;
}

std::int32_t SkinSettings::Lookup(QStringView key, std::int32_t defaultValue, bool* found,
                                  bool scaled)
{
    const QString resolutionKey = Concat({m_prefix, u"/", key});
    const QString skinKey = Concat({m_skinName, u"/", key});
    const std::int32_t multiplier = scaled ? m_multiplier : 1;
    if (found)
        *found = true;

    if (const auto it = m_integers.constFind(resolutionKey); it != m_integers.constEnd())
        return *it;
    if (const auto it = m_integers.constFind(skinKey); it != m_integers.constEnd())
        return *it * multiplier;
    std::int32_t value = 0;
    // Before the first Init the prefix is empty and "/key" is in no table entry.
    if (SkinTable::Find(resolutionKey, &value)) {
        m_integers.insert(resolutionKey, value);
        return value;
    }
    if (SkinTable::Find(skinKey, &value)) {
        m_integers.insert(skinKey, value); // unscaled, so a change of mode reuses it
        return value * multiplier;
    }
    if (found)
        *found = false;
    return defaultValue;
}

std::int32_t SkinSettings::GetScaled(QStringView key, std::int32_t defaultValue, bool* found)
{
    return Lookup(key, defaultValue, found, true);
}

std::int32_t SkinSettings::GetUnscaled(QStringView key, std::int32_t defaultValue, bool* found)
{
    return Lookup(key, defaultValue, found, false);
}

std::pair<int, int> SkinSettings::GetPair(QStringView key, QStringView first, QStringView second,
                                          bool* found)
{
    bool foundFirst = false;
    bool foundSecond = false;
    const std::pair<int, int> pair(GetScaled(Concat({key, u"/", first}), 0, &foundFirst),
                                   GetScaled(Concat({key, u"/", second}), 0, &foundSecond));
    if (found)
        *found = foundFirst && foundSecond;
    return pair;
}

QSize SkinSettings::GetSize(QStringView key, bool* found)
{
    const auto [cx, cy] = GetPair(key, u"cx", u"cy", found);
    return {cx, cy};
}

QPoint SkinSettings::GetPoint(QStringView key, bool* found)
{
    const auto [x, y] = GetPair(key, u"x", u"y", found);
    return {x, y};
}

bool SkinSettings::GetRect(QStringView key, QRect& rect)
{
    bool foundPoint = false;
    bool foundSize = false;
    const QPoint point = GetPoint(key, &foundPoint);
    const QSize size = GetSize(key, &foundSize);
    if (!foundPoint || !foundSize)
        return false;
    rect = QRect(point, size);
    return true;
}

QColor SkinSettings::GetColor(QStringView key, std::uint32_t defaultValue)
{
    return ToColor(std::uint32_t(GetUnscaled(key, std::int32_t(defaultValue))));
}

QColor SkinSettings::ToColor(std::uint32_t bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

const SkinBitmap* SkinSettings::GetBitmap(QStringView key)
{
    const QString resolutionKey = Concat({u"!", m_prefix, u"/", key});
    if (const auto it = m_bitmaps.constFind(resolutionKey); it != m_bitmaps.constEnd())
        return *it;
    std::int32_t value = 0;
    if (!SkinTable::Find(resolutionKey, &value) &&
        !SkinTable::Find(Concat({u"!", m_skinName, u"/", key}), &value))
        return nullptr;
    const int id = value & 0xFFFF;

    auto art = m_artwork.find(id);
    if (art == m_artwork.end()) {
        const QString path = QStringLiteral("%1/%2.svg").arg(m_artFolder).arg(id);
        if (!QFileInfo::exists(path))
            return nullptr; // not cached: the next call tries again
        art = m_artwork.emplace(id, std::make_unique<SkinBitmap>(id, path, m_artCache)).first;
    }
    m_bitmaps.insert(resolutionKey, art->second.get());
    return art->second.get();
}

void SkinSettings::SetArtFolder(const QString& folder)
{
    m_artFolder = folder;
    m_bitmaps.clear();
    m_artwork.clear();
}

void SkinSettings::SetArtCache(const QString& folder)
{
    m_artCache = folder;
    m_bitmaps.clear();
    m_artwork.clear();
}
