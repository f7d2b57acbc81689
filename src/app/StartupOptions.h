#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

#include "data/DatabaseFolders.h"

// What the command line asks for.
struct StartupOptions
{
    QString dataDir;  // empty: the executable's folder
    QSize screenSize; // --screen WxH; empty: the device screen's default
    QString error;    // set when the command line could not be understood

    // "nutrava export [--data-dir DIR] --to FOLDER [--force]": write the logs as CSV files.
    bool exportLogs = false;
    QString exportFolder;      // --to
    bool replaceFiles = false; // --force

    static StartupOptions Parse(const QStringList& arguments);
    // The first argument that asks for the export command.
    static constexpr const char* kExportCommand = "export";
    // user.pdb in the data folder; reference databases there first, then beside the executable.
    DatabaseFolders Folders(const QString& executableFolder) const;
};
