#pragma once

#include <QString>
#include <QStringList>

// Where the database files are: user.pdb in the user's folder; the read-only reference
// databases in the first of the search folders that has them.
struct DatabaseFolders
{
    QString userFolder;
    QStringList referenceFolders;

    // The path of a reference file: the first folder holding it, else the first folder's path
    // (so that a missing file is reported where it was looked for first).
    QString ReferencePath(const QString& fileName) const;
    QString UserPath(const QString& fileName) const;
    // A folder as messages name it: absolute, with the platform's separators.
    static QString NativeFolder(const QString& folder);
};
