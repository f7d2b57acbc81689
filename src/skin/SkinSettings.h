#pragma once

#include <QColor>
#include <QHash>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <cstdint>
#include <map>
#include <memory>
#include <utility>

class SkinBitmap;

// Every layout value, colour and bitmap of the interface. Init picks the screen mode; queries try
// the resolution key ("480x640/...") first, then the skin key ("default/..."), whose geometry is
// multiplied for the screen mode. Lookups are memoised so paint and layout code may call freely.
class SkinSettings final
{
public:
    SkinSettings();
    ~SkinSettings();
    SkinSettings(const SkinSettings&) = delete;
    SkinSettings& operator=(const SkinSettings&) = delete;

    static SkinSettings& Instance();

    std::int32_t GetScaled(QStringView key, std::int32_t defaultValue, bool* found = nullptr);
    // Colours, flags and other values that do not grow with the screen.
    std::int32_t GetUnscaled(QStringView key, std::int32_t defaultValue, bool* found = nullptr);
    // None when no key names a bitmap or its artwork file is missing. Owned by this object.
    const SkinBitmap* GetBitmap(QStringView key);
    // key + "/cx", key + "/cy"; found only when both are.
    QSize GetSize(QStringView key, bool* found = nullptr);
    // key + "/x", key + "/y"; found only when both are.
    QPoint GetPoint(QStringView key, bool* found = nullptr);
    // All four components or nothing: `rect` is left untouched when any is missing.
    bool GetRect(QStringView key, QRect& rect);
    // A 0x00BBGGRR colour value read through GetUnscaled.
    QColor GetColor(QStringView key, std::uint32_t defaultValue);

    void Init(int screenWidth, int screenHeight);

    QString Prefix() const { return m_prefix; }
    QString SkinName() const { return m_skinName; }
    int Multiplier() const { return m_multiplier; }

    // Where the artwork "<id>.svg" is read from; ":/art" unless a test points elsewhere.
    // Changing it forgets the loaded bitmaps.
    void SetArtFolder(const QString& folder);
    // Where renderings of the artwork are kept between runs; none when empty, as in tests.
    // Changing it forgets the loaded bitmaps.
    void SetArtCache(const QString& folder);
    int IntegerCacheSize() const { return int(m_integers.size()); }

    static QColor ToColor(std::uint32_t bgr);
    // The multiplier of a screen mode, 1 for sizes the table does not know.
    static int MultiplierFor(int screenWidth, int screenHeight);

private:
    std::int32_t Lookup(QStringView key, std::int32_t defaultValue, bool* found, bool scaled);
    // key + "/" + first and key + "/" + second, scaled; found only when both are.
    std::pair<int, int> GetPair(QStringView key, QStringView first, QStringView second,
                                bool* found);

    QHash<QString, std::int32_t> m_integers;
    QHash<QString, const SkinBitmap*> m_bitmaps;
    std::map<int, std::unique_ptr<SkinBitmap>> m_artwork; // by resource identifier
    QString m_prefix;
    QString m_skinName = QStringLiteral("default");
    int m_multiplier = 1;
    QString m_artFolder = QStringLiteral(":/art");
    QString m_artCache;
};
