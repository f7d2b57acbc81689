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

    static StartupOptions Parse(const QStringList& arguments);
    // user.pdb in the data folder; reference databases there first, then beside the executable.
    DatabaseFolders Folders(const QString& executableFolder) const;
};
