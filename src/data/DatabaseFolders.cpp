#include "data/DatabaseFolders.h"

#include <QDir>
#include <QFileInfo>

QString DatabaseFolders::ReferencePath(const QString& fileName) const
{
    // The first folder that has the file; one folder needs no looking.
    if (referenceFolders.size() == 1)
        return QDir(referenceFolders.first()).filePath(fileName);
    for (const QString& folder : referenceFolders) {
        const QString path = QDir(folder).filePath(fileName);
        if (QFileInfo::exists(path))
            return path;
    }
    return QDir(referenceFolders.isEmpty() ? userFolder : referenceFolders.first())
        .filePath(fileName);
}

QString DatabaseFolders::UserPath(const QString& fileName) const
{
    return QDir(userFolder).filePath(fileName);
}

QString DatabaseFolders::NativeFolder(const QString& folder)
{
    return QDir::toNativeSeparators(QDir(folder).absolutePath());
}
