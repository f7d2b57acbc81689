#include "app/StartupOptions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
StartupOptions Parse(QStringList arguments)
{
    arguments.prepend(QStringLiteral("nutrava"));
    return StartupOptions::Parse(arguments);
}
} // namespace

// The data folder: --data-dir, else a portable copy's folder, else the per-user folder under
// XDG_DATA_HOME; the reference databases after it beside the program, then in share/nutrava.
TEST(StartupOptions, ChoosesTheDataFolderAndSearchesTheReferenceDatabasesInOrder)
{
    QTemporaryDir root;
    const QString bin = root.filePath(QStringLiteral("prefix/bin"));
    const QString xdg = root.filePath(QStringLiteral("xdg"));
    QDir().mkpath(bin);
    const QByteArray oldXdg = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(xdg));
    QStandardPaths::setTestModeEnabled(false);
    const QString perUser = QDir(xdg).filePath(QStringLiteral("nutrava"));
    const QString share = root.filePath(QStringLiteral("prefix/share/nutrava"));

    struct Case
    {
        QStringList arguments;
        bool portable;
        QString folder;
        QStringList references;
    } cases[] = {
        {{QStringLiteral("--data-dir"), root.filePath(QStringLiteral("mine"))},
         true,
         root.filePath(QStringLiteral("mine")),
         {root.filePath(QStringLiteral("mine")), bin, share}},
        {{}, true, bin, {bin, share}},
        {{}, false, perUser, {perUser, bin, share}},
    };
    for (const Case& c : cases) {
        QFile portable(QDir(bin).filePath(QStringLiteral("user.pdb")));
        if (c.portable)
            portable.open(QIODevice::WriteOnly);
        else
            portable.remove();
        const StartupOptions options = Parse(c.arguments);
        EXPECT_EQ(options.Folders(bin).userFolder, c.folder);
        EXPECT_EQ(options.Folders(bin).referenceFolders, c.references);
        EXPECT_EQ(options.ChooseDataFolder(bin).ownerOnly, c.folder == perUser);
    }

    // The per-user folder is made owner-only; one that a file stands in the way of is refused.
    QString problem;
    ASSERT_TRUE(StartupOptions::MakeDataFolder({perUser, QString(), true}, &problem));
    EXPECT_EQ(QFileInfo(perUser).permissions() & 0x0077, 0);
    QFile(root.filePath(QStringLiteral("file"))).open(QIODevice::WriteOnly);
    EXPECT_FALSE(StartupOptions::MakeDataFolder(
        {root.filePath(QStringLiteral("file/nutrava")), QString(), true}, &problem));
    EXPECT_TRUE(problem.contains(root.filePath(QStringLiteral("file/nutrava"))))
        << qPrintable(problem);

    QStandardPaths::setTestModeEnabled(true);
    qputenv("XDG_DATA_HOME", oldXdg);
}

TEST(StartupOptions, ScreenSizesAndBadArguments)
{
    EXPECT_TRUE(Parse({}).screenSize.isEmpty());
    const StartupOptions landscape = Parse({QStringLiteral("--screen"), QStringLiteral("320x240")});
    ASSERT_TRUE(landscape.error.isEmpty());
    EXPECT_EQ(landscape.screenSize, QSize(320, 240));

    const QString bad = Parse({QStringLiteral("--screen"), QStringLiteral("320x")}).error;
    EXPECT_TRUE(bad.contains(QStringLiteral("\"320x\""))) << bad.toStdString();
    EXPECT_FALSE(Parse({QStringLiteral("--bogus")}).error.isEmpty());
    EXPECT_TRUE(Parse({QStringLiteral("--help")}).message.contains(QStringLiteral("Data folder:")));
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
