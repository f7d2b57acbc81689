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
    EXPECT_TRUE(plain.exportLogs && !plain.replaceFiles);
    EXPECT_EQ(plain.exportFolder, QStringLiteral("out"));

    const StartupOptions full = Parse({"export", "--data-dir", "/d", "--to", "out", "--force"});
    ASSERT_TRUE(full.error.isEmpty()) << qPrintable(full.error);
    EXPECT_EQ(full.Folders(QStringLiteral("/bin")).userFolder, QStringLiteral("/d"));
    EXPECT_TRUE(full.replaceFiles);

    EXPECT_TRUE(Parse({"export"}).error.contains(QStringLiteral("--to")));
    for (const QStringList& bad :
         {QStringList{"export", "--to", "out", "stray"},
          QStringList{"export", "--to", "out", "--screen", "240x320"}, QStringList{"--to", "out"}})
        EXPECT_FALSE(Parse(bad).error.isEmpty()) << qPrintable(bad.join(u' '));
}
