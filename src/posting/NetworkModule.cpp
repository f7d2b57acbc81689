#include "posting/NetworkModule.h"

#include "posting/BlogLog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibrary>

namespace {

NetworkModule* Load()
{
    using Entry = NetworkModule* (*)();
    const QDir bin(QCoreApplication::applicationDirPath());
    QStringList tried;
    for (const QString& folder : {bin.path(), bin.filePath(QStringLiteral(NUTRAVA_MODULE_DIR))}) {
        QLibrary module(QDir(folder).filePath(QStringLiteral("libnutrava_network.so")));
        if (!QFile::exists(module.fileName()))
            continue;
        if (const auto entry = reinterpret_cast<Entry>(module.resolve(NetworkModule::kEntry)))
            return entry();
        tried.append(module.errorString());
    }
    qCWarning(lcBlog).noquote() << "no network module:"
                                << (tried.isEmpty() ? QStringLiteral("not installed")
                                                    : tried.join(QStringLiteral("; ")));
    return nullptr;
}

} // namespace

NetworkModule* NetworkModule::Instance()
{
    static NetworkModule* const module = Load();
    return module;
}
