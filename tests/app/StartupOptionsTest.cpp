#include "app/StartupOptions.h"

#include <QDir>

#include <gtest/gtest.h>

TEST(StartupOptions, DataDirKeepsUserFileThereAndFallsBackToExecutableFolder)
{
    const StartupOptions options =
        StartupOptions::Parse({QStringLiteral("nutrava"), QStringLiteral("--data-dir"),
                               QStringLiteral("/tmp/nutrava-data")});
    ASSERT_TRUE(options.error.isEmpty());
    const DatabaseFolders folders = options.Folders(QStringLiteral("/opt/nutrava/bin"));
    EXPECT_EQ(folders.userFolder, QStringLiteral("/tmp/nutrava-data"));
    EXPECT_EQ(folders.referenceFolders,
              QStringList({QStringLiteral("/tmp/nutrava-data"), QStringLiteral("/opt/nutrava/bin")}));

    const StartupOptions plain = StartupOptions::Parse({QStringLiteral("nutrava")});
    EXPECT_EQ(plain.Folders(QStringLiteral("/opt/nutrava/bin")).referenceFolders,
              QStringList({QStringLiteral("/opt/nutrava/bin")}));
}

TEST(StartupOptions, UnknownOptionIsAnError)
{
    const StartupOptions options =
        StartupOptions::Parse({QStringLiteral("nutrava"), QStringLiteral("--bogus")});
    EXPECT_FALSE(options.error.isEmpty());
}

TEST(StartupOptions, ScreenSizeIsWidthByHeight)
{
    const StartupOptions plain = StartupOptions::Parse({QStringLiteral("nutrava")});
    EXPECT_TRUE(plain.screenSize.isEmpty());

    const StartupOptions landscape = StartupOptions::Parse(
        {QStringLiteral("nutrava"), QStringLiteral("--screen"), QStringLiteral("320x240")});
    ASSERT_TRUE(landscape.error.isEmpty());
    EXPECT_EQ(landscape.screenSize, QSize(320, 240));

    for (const char* bad : {"320", "320x", "big", "0x240", "320x240x1"}) {
        const StartupOptions options = StartupOptions::Parse(
            {QStringLiteral("nutrava"), QStringLiteral("--screen"), QString::fromLatin1(bad)});
        EXPECT_TRUE(options.error.contains(QStringLiteral("\"%1\"").arg(QString::fromLatin1(bad)))) << bad;
    }
}
