#include "data/DatabaseFolders.h"

#include <QDir>
#include <QFileInfo>

QString DatabaseFolders::ReferencePath(const QString& fileName) const
{
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
