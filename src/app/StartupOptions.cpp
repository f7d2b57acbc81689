#include "app/StartupOptions.h"

#include "skin/DeviceScreen.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace {

// False, with the error or the help text asked for in options, when there is nothing to run.
bool Parsed(QCommandLineParser& parser, const QStringList& arguments, StartupOptions& options)
{
    if (!parser.parse(arguments)) {
        options.error = parser.errorText();
        return false;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        options.message = parser.helpText();
        return false;
    }
    if (parser.optionNames().contains(QStringLiteral("version"))) {
        options.message = QStringLiteral("nutrava %1").arg(QCoreApplication::applicationVersion());
        return false;
    }
    return true;
}

StartupOptions ParseExport(QStringList arguments, const QCommandLineOption& dataDir)
{
    arguments.removeAt(1);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("nutrava export: writes the food and exercise logs, the weights, the "
                       "journal and the day totals as CSV files into a folder, without changing "
                       "user.pdb (also while Nutrava runs)."));
    parser.addHelpOption();
    parser.addOption(dataDir);
    const QCommandLineOption to(QStringLiteral("to"),
                                QStringLiteral("Write the CSV files into <folder>."),
                                QStringLiteral("folder"));
    parser.addOption(to);
    const QCommandLineOption force(QStringLiteral("force"),
                                   QStringLiteral("Replace CSV files of the same names."));
    parser.addOption(force);

    StartupOptions options;
    options.exportLogs = true;
    if (!Parsed(parser, arguments, options))
        return options;
    if (!parser.positionalArguments().isEmpty()) {
        options.error =
            QStringLiteral("Unexpected argument \"%1\"").arg(parser.positionalArguments().first());
        return options;
    }
    options.dataDir = parser.value(dataDir);
    options.exportFolder = parser.value(to);
    options.replaceFiles = parser.isSet(force);
    if (options.exportFolder.isEmpty())
        options.error = QStringLiteral("nutrava export wants --to FOLDER");
    return options;
}

} // namespace

StartupOptions StartupOptions::Parse(const QStringList& arguments)
{
    const QCommandLineOption dataDir(QStringLiteral("data-dir"),
                                     QStringLiteral("Keep user.pdb in <dir>."),
                                     QStringLiteral("dir"));
    if (arguments.size() > 1 && arguments[1] == QLatin1String(kExportCommand))
        return ParseExport(arguments, dataDir);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Nutrava: diet and fitness tracker.\n"
                       "nutrava export --help tells how to export the logs as CSV files."));
    parser.addHelpOption();
    parser.addOption(QCommandLineOption(QStringLiteral("version"),
                                        QStringLiteral("Print the version and end.")));
    parser.addOption(dataDir);
    const QCommandLineOption screen(
        QStringLiteral("screen"),
        QStringLiteral("Emulate a <WxH> handheld screen, e.g. 240x320, 320x240 or 480x640."),
        QStringLiteral("WxH"));
    parser.addOption(screen);

    StartupOptions options;
    if (!Parsed(parser, arguments, options)) {
        if (parser.isSet(QStringLiteral("help"))) {
            options.dataDir = parser.value(dataDir);
            const DataFolder folder =
                options.ChooseDataFolder(QCoreApplication::applicationDirPath());
            options.message += QStringLiteral("\nData folder: %1\n  (%2)\n")
                                   .arg(QDir::toNativeSeparators(folder.path), folder.reason);
        }
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

StartupOptions::DataFolder StartupOptions::ChooseDataFolder(const QString& executableFolder) const
{
    if (!dataDir.isEmpty())
        return {QDir(dataDir).absolutePath(), QStringLiteral("given with --data-dir")};
    if (QFileInfo::exists(QDir(executableFolder).filePath(QStringLiteral("user.pdb")))) {
        return {QDir(executableFolder).absolutePath(),
                QStringLiteral("a user.pdb stands beside the program: a portable copy")};
    }
    const QString home = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return {QDir(home).filePath(QStringLiteral("nutrava")),
            QStringLiteral("the per-user data folder; --data-dir DIR chooses another"), true};
}

DatabaseFolders StartupOptions::Folders(const QString& executableFolder) const
{
    DatabaseFolders folders;
    folders.userFolder = ChooseDataFolder(executableFolder).path;
    const QString installed =
        QDir::cleanPath(QDir(executableFolder).filePath(QStringLiteral("../share/nutrava")));
    for (const QString& folder : {folders.userFolder, executableFolder, installed}) {
        const bool seen =
            std::any_of(folders.referenceFolders.cbegin(), folders.referenceFolders.cend(),
                        [&folder](const QString& known) { return QDir(known) == QDir(folder); });
        if (!seen)
            folders.referenceFolders << folder;
    }
    return folders;
}

bool StartupOptions::MakeDataFolder(const DataFolder& folder, QString* problem)
{
    const QFileInfo info(folder.path);
    if (info.isDir())
        return true;
    const QString native = QDir::toNativeSeparators(folder.path);
    if (info.exists()) {
        *problem = QStringLiteral("The data folder %1 cannot be made: a file of that name is in "
                                  "the way.")
                       .arg(native);
        return false;
    }
    const QString parent = info.absolutePath();
    const bool made =
        QDir().mkpath(parent) &&
        (folder.ownerOnly
             ? QDir().mkdir(folder.path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)
             : QDir().mkdir(folder.path));
    if (!made) {
        *problem = QStringLiteral("The data folder %1 cannot be made. Check that %2 is a folder "
                                  "you may write, or start Nutrava with --data-dir DIR.")
                       .arg(native, QDir::toNativeSeparators(parent));
    }
    return made;
}
