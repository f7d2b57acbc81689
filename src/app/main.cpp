#include "app/Application.h"
#include "app/ShutdownSignals.h"
#include "app/SingleInstance.h"
#include "app/StartupOptions.h"
#include "blog/BlogViewsRegistration.h"
#include "controls/ControlsRegistration.h"
#include "fitness/FitnessViewsRegistration.h"
#include "skin/DeviceScreen.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>

#include <cstdio>

namespace {

// Without a display Qt would abort inside QApplication; end with the start-up message instead,
// before any file is touched.
bool DisplayAvailable()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb") && !platform.startsWith("wayland"))
        return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

constexpr unsigned kPlatformFailure = 0x80004005;

} // namespace

int main(int argc, char* argv[])
{
    if (!DisplayAvailable()) {
        std::fprintf(stderr, "Program initialization failed (error code - 0x%08X)\n",
                     kPlatformFailure);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Nutrava"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/art/icon.svg")));

    const StartupOptions options = StartupOptions::Parse(QApplication::arguments());
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(options.error));
        return 2;
    }
    if (options.screenSize.isValid())
        DeviceScreen::Instance().SetSize(options.screenSize);

    const QString executable = QApplication::applicationFilePath();
    SingleInstance instance(executable);
    if (instance.ForwardToRunningInstance())
        return -1;
    instance.Listen();

    // Content controls pages create by name.
    RegisterControlContent();
    RegisterFitnessContent();
    RegisterBlogContent();

    Application application(options, executable);
    QObject::connect(&instance, &SingleInstance::raiseRequested,
                     [&application] { application.RaiseMainWindow(); });
    ShutdownSignals shutdown;
    QObject::connect(&shutdown, &ShutdownSignals::shutdownRequested,
                     [&application] { application.CloseAllWindows(); });
    QObject::connect(&app, &QGuiApplication::commitDataRequest,
                     [&application] { application.CommitStore(); });
    return application.Run();
}
