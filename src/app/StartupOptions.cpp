#include "app/StartupOptions.h"

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
