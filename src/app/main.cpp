#include "app/StartupOptions.h"
#include "data/UserDatabase.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Nutrava"));

    const StartupOptions options = StartupOptions::Parse(QApplication::arguments());
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(options.error));
        return 2;
    }

    UserDatabase store(options.Folders(QApplication::applicationDirPath()));
    if (!store.IsWritable()) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(store.StateText()));
        return 1;
    }
    UserProfile& profile = store.Profile();
    profile.SetChanged();
    profile.SetLaunchCount(profile.LaunchCount() + 1);
    return store.Commit() ? 0 : 1;
}
