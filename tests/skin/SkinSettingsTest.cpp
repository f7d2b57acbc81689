#include "skin/SkinSettings.h"
#include "skin/SkinBitmap.h"
#include "skin/SkinTable.h"
#include "skin/TestArt.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

TEST(SkinTable, HoldsEveryEntryOnceInAscendingOrder)
{
    const auto entries = SkinTable::Entries();
    ASSERT_FALSE(entries.empty());
    for (std::size_t i = 1; i < entries.size(); ++i)
        EXPECT_LT(QStringView(entries[i - 1].key).compare(QStringView(entries[i].key)), 0)
            << "at " << i << ": " << qPrintable(QString::fromUtf16(entries[i].key));
}

TEST(SkinTable, FindIsExactAndLeavesValueAloneWhenAbsent)
{
    std::int32_t value = 77;
    EXPECT_TRUE(SkinTable::Find(u"default/layout/blogger/rows/0/width2", &value));
    EXPECT_EQ(value, -1); // stored as 0xFFFFFFFF
    EXPECT_TRUE(SkinTable::Find(u"!default/food/menu", &value));
    EXPECT_EQ(value, 3043);
    value = 77;
    EXPECT_FALSE(SkinTable::Find(u"Default/layout/title/panel/height", &value));
    EXPECT_FALSE(SkinTable::Find(u"default/layout/title/panel/heigh", &value));
    EXPECT_FALSE(SkinTable::Find(u"", &value));
    EXPECT_EQ(value, 77);
    // The default1 skin lacks the journal "blog" button and the lower profile rows.
    EXPECT_FALSE(SkinTable::Find(u"!default1/journal/blog/up", nullptr));
    EXPECT_FALSE(SkinTable::Find(u"default1/layout/profile/rows/1/width1", nullptr));
}

TEST(SkinSettings, ScreenModesChooseSkinAndMultiplier)
{
    SkinSettings skin;
    EXPECT_EQ(skin.SkinName(), QStringLiteral("default"));
    EXPECT_EQ(skin.Multiplier(), 1);

    struct Mode
    {
        int w, h;
        const char* skin;
        int multiplier;
    };
    for (const Mode& mode :
         {Mode{240, 240, "default", 1}, Mode{240, 320, "default", 1}, Mode{320, 240, "default1", 1},
          Mode{480, 480, "default", 2}, Mode{480, 640, "default", 2}, Mode{640, 480, "default1", 2},
          Mode{800, 480, "default", 1}}) {
        skin.Init(mode.w, mode.h);
        EXPECT_EQ(skin.Prefix(), QString::asprintf("%dx%d", mode.w, mode.h));
        EXPECT_EQ(skin.SkinName(), QString::fromLatin1(mode.skin)) << mode.w << "x" << mode.h;
        EXPECT_EQ(skin.Multiplier(), mode.multiplier) << mode.w << "x" << mode.h;
    }
}

TEST(SkinSettings, ScaledLookupsPreferResolutionKeysNeverScaleThemAndCacheOnce)
{
    SkinSettings skin;
    bool found = false;
    // Before any Init only skin "default" at multiplier 1 answers.
    EXPECT_EQ(skin.GetScaled(u"layout/title/panel/height", 0, &found), 24);
    EXPECT_TRUE(found);

    skin.Init(240, 320);
    EXPECT_EQ(skin.GetScaled(u"layout/btn/panel/height", 0), 22);
    const int cached = skin.IntegerCacheSize();
    // One cache entry serves every multiplier.
    skin.Init(480, 640);
    EXPECT_EQ(skin.GetScaled(u"layout/btn/panel/height", 0), 44);
    EXPECT_EQ(skin.GetUnscaled(u"layout/btn/panel/height", 0), 22);
    EXPECT_EQ(skin.IntegerCacheSize(), cached);
    // A resolution entry is cached under its own prefix and stays unscaled; misses are not cached.
    EXPECT_EQ(skin.GetScaled(u"main/daily/cx", 0), 464);
    EXPECT_EQ(skin.GetScaled(u"main/daily/cx", 0), 464);
    EXPECT_EQ(skin.GetScaled(u"layout/no/such/key", 20, &found), 20);
    EXPECT_FALSE(found);
    EXPECT_EQ(skin.IntegerCacheSize(), cached + 1);
    EXPECT_EQ(skin.GetUnscaled(u"food/title/background", 0), 0x007300);

    skin.Init(320, 240);
    EXPECT_EQ(skin.GetScaled(u"layout/nav/button/cx", 0), 64);
    EXPECT_EQ(skin.GetScaled(u"main/daily/x", 0), 40);
    skin.Init(640, 480);
    EXPECT_EQ(skin.GetScaled(u"layout/nav/button/cx", 0), 128);
    skin.Init(800, 480);
    EXPECT_EQ(skin.GetScaled(u"layout/nav/button/cx", 0), 48);
}

TEST(SkinSettings, CompositeLookupsNeedEveryComponent)
{
    SkinSettings skin;
    skin.Init(480, 640);
    bool found = false;
    // x and y from the resolution entry, size likewise: nothing doubled.
    QRect rect;
    ASSERT_TRUE(skin.GetRect(u"main/journal", rect));
    EXPECT_EQ(rect, QRect(244, 202, 228, 158));
    ASSERT_TRUE(skin.GetRect(u"layout/title/date", rect));
    EXPECT_EQ(rect, QRect(260, 4, 188, 40));

    // The chart's mode control has a size but no position.
    EXPECT_EQ(skin.GetSize(u"layout/results/modeCtrlSize", &found), QSize(160, 38));
    EXPECT_TRUE(found);
    skin.GetPoint(u"layout/results/modeCtrlSize", &found);
    EXPECT_FALSE(found);
    rect = QRect(1, 2, 3, 4);
    EXPECT_FALSE(skin.GetRect(u"layout/results/modeCtrlSize", rect));
    EXPECT_EQ(rect, QRect(1, 2, 3, 4));
    EXPECT_FALSE(skin.GetRect(u"layout/nothing", rect));
    EXPECT_EQ(rect, QRect(1, 2, 3, 4));
}

TEST(SkinSettings, ColoursAreStoredBlueGreenRed)
{
    EXPECT_EQ(SkinSettings::ToColor(0x007300), QColor(0, 0x73, 0));
    EXPECT_EQ(SkinSettings::ToColor(0xC80000), QColor(0, 0, 0xC8));
    EXPECT_EQ(SkinSettings::ToColor(0x0098FE), QColor(0xFE, 0x98, 0));
    SkinSettings skin;
    EXPECT_EQ(skin.GetColor(u"journal/btn/background", 0xC80000), QColor(0xFE, 0x98, 0));
    EXPECT_EQ(skin.GetColor(u"nowhere/btn/background", 0xC80000), QColor(0, 0, 0xC8));
}

TEST(SkinSettings, BitmapsComeFromTheArtFolderAndMissingOnesAreRetried)
{
    TestArt art({3011, 3027, 3053, 3048});
    SkinSettings skin;
    skin.SetArtFolder(art.Folder());
    skin.Init(240, 320);

    const SkinBitmap* up = skin.GetBitmap(u"food/done/up");
    ASSERT_NE(up, nullptr);
    EXPECT_EQ(up->Id(), 3011);
    EXPECT_EQ(skin.GetBitmap(u"food/done/up"), up);
    EXPECT_EQ(skin.GetBitmap(u"food/add/up"), up); // the same artwork, one object
    EXPECT_EQ(up->DesignSize(), QSize(57, 18));

    // Single images have no state suffix.
    ASSERT_NE(skin.GetBitmap(u"food/help"), nullptr);
    EXPECT_EQ(skin.GetBitmap(u"food/help")->Id(), 3027);
    EXPECT_EQ(skin.GetBitmap(u"food/help/up"), nullptr);

    // Resolution bitmaps first; other screens fall back to the skin's.
    EXPECT_EQ(skin.GetBitmap(u"main/daily")->Id(), 3053);
    skin.Init(800, 480);
    EXPECT_EQ(skin.GetBitmap(u"main/daily")->Id(), 3048);

    // 3018 has no artwork yet: none, and not remembered.
    EXPECT_EQ(skin.GetBitmap(u"food/done/down"), nullptr);
    art.Add(3018);
    const SkinBitmap* down = skin.GetBitmap(u"food/done/down");
    ASSERT_NE(down, nullptr);
    EXPECT_NE(down, up);
    EXPECT_EQ(down->Id(), 3018);

    EXPECT_EQ(skin.GetBitmap(u"food/nothing"), nullptr);
}

TEST(SkinBitmap, RendersStretchedAtTheRequestedSize)
{
    TestArt art({3009});
    SkinSettings skin;
    skin.SetArtFolder(art.Folder());
    const SkinBitmap* bitmap = skin.GetBitmap(u"fitness/add/up");
    ASSERT_NE(bitmap, nullptr);

    const QPixmap doubled = bitmap->Pixmap(QSize(114, 36), 2.0);
    EXPECT_EQ(doubled.size(), QSize(228, 72));
    EXPECT_EQ(doubled.devicePixelRatio(), 2.0);
    EXPECT_TRUE(bitmap->Pixmap(QSize(0, 10), 1.0).isNull());
    EXPECT_TRUE(bitmap->Pixmap(QSize(100000, 10), 1.0).isNull());

    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        bitmap->Draw(painter, QRect(10, 10, 20, 5));
    }
    EXPECT_EQ(image.pixelColor(10, 10), TestArt::ColorOf(3009));
    EXPECT_EQ(image.pixelColor(29, 14), TestArt::ColorOf(3009));
    EXPECT_EQ(image.pixelColor(30, 14), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(29, 15), QColor(Qt::white));
}

// A start draws the home screen from renderings kept by an earlier run: only one of exactly
// the size asked for, of the same SVG, is taken, and a damaged one is drawn again.
TEST(SkinBitmap, RenderingsAreKeptForTheSameArtworkAndSizeOnly)
{
    TestArt art({3009, 3010});
    QTemporaryDir cache;
    const QString svg = art.Folder() + QStringLiteral("/3009.svg");
    const QSize size(20, 10);
    const auto colourDrawn = [&] {
        const SkinBitmap bitmap(3009, svg, cache.path());
        const QColor colour = bitmap.Pixmap(size, 1.0).toImage().pixelColor(5, 5);
        QCoreApplication::processEvents(); // kept once the paint is over
        return colour;
    };
    const auto kept = [&] { return QDir(cache.path()).entryList(QDir::Files); };

    EXPECT_EQ(colourDrawn(), TestArt::ColorOf(3009));
    ASSERT_EQ(kept().size(), 1);
    const QString path = cache.filePath(kept().constFirst());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const qint64 length = file.size();
    ASSERT_EQ(length, 16 + size.width() * size.height() * 4);
    // White pixels over the kept ones show that they are what the next run draws.
    file.seek(16);
    file.write(QByteArray(int(length - 16), char(0xFF)));
    file.close();
    EXPECT_EQ(colourDrawn(), QColor(Qt::white));

    // Cut short: drawn from the SVG again and kept whole.
    ASSERT_TRUE(QFile::resize(path, length - 1));
    EXPECT_EQ(colourDrawn(), TestArt::ColorOf(3009));
    EXPECT_EQ(QFileInfo(path).size(), length);

    // Anything but a plain file is not even opened: a pipe would block.
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    EXPECT_EQ(colourDrawn(), TestArt::ColorOf(3009));
    EXPECT_TRUE(QFileInfo(path).isFile());

    // Changed artwork is never drawn from an old rendering, and the old one goes; another
    // size of it stays.
    SkinBitmap(3009, svg, cache.path()).Pixmap(QSize(8, 4), 1.0);
    QCoreApplication::processEvents();
    ASSERT_EQ(kept().size(), 2);
    ASSERT_TRUE(QFile::remove(svg));
    ASSERT_TRUE(QFile::copy(art.Folder() + QStringLiteral("/3010.svg"), svg));
    EXPECT_EQ(colourDrawn(), TestArt::ColorOf(3010));
    const QStringList now = kept();
    EXPECT_EQ(now.size(), 2);
    EXPECT_FALSE(now.contains(QFileInfo(path).fileName()));
}

TEST(SkinBitmap, ArtworkThatDoesNotRenderDrawsNothingAndSaysSo)
{
    QTemporaryDir dir;
    const QString svg = dir.filePath(QStringLiteral("3009.svg"));
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<svg");
    file.close();
    const SkinBitmap bitmap(3009, svg, dir.path());
    QImage image(10, 10, QImage::Format_RGB32);
    QPainter painter(&image);
    EXPECT_FALSE(bitmap.Draw(painter, QRect(0, 0, 10, 10)));
    EXPECT_TRUE(bitmap.DesignSize().isEmpty());
}
