#include "app/StartupOptions.h"

#include <gtest/gtest.h>

namespace {
StartupOptions Parse(QStringList arguments)
{
    arguments.prepend(QStringLiteral("nutrava"));
    return StartupOptions::Parse(arguments);
}
} // namespace

// --data-dir itself is exercised by the start-up tests, which all use it.
TEST(StartupOptions, PlainStartKeepsAllBesideTheExecutableAndBadArgumentsAreErrors)
{
    const QString bin = QStringLiteral("/opt/nutrava/bin");
    const StartupOptions plain = Parse({});
    EXPECT_EQ(plain.Folders(bin).userFolder, bin);
    EXPECT_EQ(plain.Folders(bin).referenceFolders, QStringList({bin}));
    EXPECT_TRUE(plain.screenSize.isEmpty());

    const StartupOptions landscape = Parse({QStringLiteral("--screen"), QStringLiteral("320x240")});
    ASSERT_TRUE(landscape.error.isEmpty());
    EXPECT_EQ(landscape.screenSize, QSize(320, 240));

    const QString bad = Parse({QStringLiteral("--screen"), QStringLiteral("320x")}).error;
    EXPECT_TRUE(bad.contains(QStringLiteral("\"320x\""))) << bad.toStdString();
    EXPECT_FALSE(Parse({QStringLiteral("--bogus")}).error.isEmpty());
}
