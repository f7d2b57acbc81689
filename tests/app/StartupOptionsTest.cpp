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

TEST(StartupOptions, ExportWantsAFolderAndTakesTheDataFolderAndForce)
{
    const StartupOptions plain = Parse({"export", "--to", "out"});
    ASSERT_TRUE(plain.error.isEmpty()) << qPrintable(plain.error);
    EXPECT_TRUE(plain.exportLogs);
    EXPECT_EQ(plain.exportFolder, QStringLiteral("out"));
    EXPECT_FALSE(plain.replaceFiles);
    EXPECT_EQ(plain.Folders(QStringLiteral("/bin")).userFolder, QStringLiteral("/bin"));

    const StartupOptions full = Parse({"export", "--data-dir", "/d", "--to", "out", "--force"});
    ASSERT_TRUE(full.error.isEmpty()) << qPrintable(full.error);
    EXPECT_EQ(full.Folders(QStringLiteral("/bin")).userFolder, QStringLiteral("/d"));
    EXPECT_TRUE(full.replaceFiles);

    EXPECT_TRUE(Parse({"export"}).error.contains(QStringLiteral("--to")));
    EXPECT_FALSE(Parse({"export", "--to", "out", "stray"}).error.isEmpty());
    EXPECT_FALSE(Parse({"export", "--to", "out", "--screen", "240x320"}).error.isEmpty());
    EXPECT_FALSE(Parse({"--to", "out"}).error.isEmpty()) << "only the export command takes --to";
    EXPECT_FALSE(Parse({"--to", "out"}).exportLogs);
}
