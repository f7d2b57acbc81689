#include "app/StartupOptions.h"

#include "skin/DeviceScreen.h"

#include <QCommandLineParser>
#include <QDir>

StartupOptions StartupOptions::Parse(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Nutrava: diet and fitness tracker"));
    parser.addHelpOption();
    const QCommandLineOption dataDir(QStringLiteral("data-dir"),
                                     QStringLiteral("Keep user.pdb in <dir>."),
                                     QStringLiteral("dir"));
    parser.addOption(dataDir);
    const QCommandLineOption screen(
        QStringLiteral("screen"),
        QStringLiteral("Emulate a <WxH> handheld screen, e.g. 240x320, 320x240 or 480x640."),
        QStringLiteral("WxH"));
    parser.addOption(screen);

    StartupOptions options;
    if (!parser.parse(arguments)) {
        options.error = parser.errorText();
        return options;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        options.error = parser.helpText();
        return options;
    }
    options.dataDir = parser.value(dataDir);
    if (parser.isSet(screen) &&
        !DeviceScreen::ParseSize(parser.value(screen), &options.screenSize)) {
        options.error = QStringLiteral("--screen wants WIDTHxHEIGHT (for example 240x320), "
                                       "not \"%1\"")
                            .arg(parser.value(screen));
    }
    return options;
}

DatabaseFolders StartupOptions::Folders(const QString& executableFolder) const
{
    DatabaseFolders folders;
    folders.userFolder = dataDir.isEmpty() ? executableFolder : QDir(dataDir).absolutePath();
    folders.referenceFolders << folders.userFolder;
    if (QDir(executableFolder) != QDir(folders.userFolder))
        folders.referenceFolders << executableFolder;
    return folders;
}
