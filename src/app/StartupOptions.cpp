#include "app/StartupOptions.h"

#include "skin/DeviceScreen.h"

#include <QCommandLineParser>
#include <QDir>

namespace {

// False, with the error or the help text asked for in options, when there is nothing to run.
bool Parsed(QCommandLineParser& parser, const QStringList& arguments, StartupOptions& options)
{
    if (!parser.parse(arguments)) {
        options.error = parser.errorText();
        return false;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        options.error = parser.helpText();
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
    parser.addOption(dataDir);
    const QCommandLineOption screen(
        QStringLiteral("screen"),
        QStringLiteral("Emulate a <WxH> handheld screen, e.g. 240x320, 320x240 or 480x640."),
        QStringLiteral("WxH"));
    parser.addOption(screen);

    StartupOptions options;
    if (!Parsed(parser, arguments, options))
        return options;
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
