#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

#include "data/DatabaseFolders.h"

// What the command line asks for.
struct StartupOptions
{
    QString dataDir;  // empty: chosen by ChooseDataFolder
    QSize screenSize; // --screen WxH; empty: the device screen's default
    QString error;    // set when the command line could not be understood
    QString message;  // --help or --version: print this and end

    // "nutrava export [--data-dir DIR] --to FOLDER [--force]": write the logs as CSV files.
    bool exportLogs = false;
    QString exportFolder;      // --to
    bool replaceFiles = false; // --force

    static StartupOptions Parse(const QStringList& arguments);
    // The first argument that asks for the export command.
    static constexpr const char* kExportCommand = "export";
    // Where user.pdb lives: --data-dir; else the executable's folder when a user.pdb stands there
    // (a portable copy); else the per-user data folder (~/.local/share/nutrava).
    struct DataFolder
    {
        QString path;
        QString reason;         // why this folder, in a sentence
        bool ownerOnly = false; // made readable by its owner only when it is created
    };
    DataFolder ChooseDataFolder(const QString& executableFolder) const;
    // user.pdb in the data folder; reference databases there first, then beside the executable,
    // then in the installed share/nutrava beside the executable's bin folder.
    DatabaseFolders Folders(const QString& executableFolder) const;
    // Makes the data folder when it does not exist yet; false with a message naming it when it
    // cannot be made.
    static bool MakeDataFolder(const DataFolder& folder, QString* problem);
};
