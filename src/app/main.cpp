#include "BuildInfo.h"
#include "app/Application.h"
#include "app/FirstPaintReport.h"
#include "app/SingleInstance.h"
#include "app/StartupOptions.h"
#include "controls/ControlsAccessibility.h"
#include "controls/ControlsRegistration.h"
#include "data/DatabaseFolders.h"
#include "export/LogExporter.h"
#include "skin/DeviceScreen.h"
#include "skin/FocusReturn.h"
#include "skin/ScreenStyle.h"
#include "skin/SkinSettings.h"
#include "views/BlogViewsRegistration.h"
#include "views/FitnessViewsRegistration.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLoggingCategory>
#include <QStandardPaths>

#include <cstdio>
#include <system_error>
#include <thread>

#include <fontconfig/fontconfig.h>

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

// Prints what the command line asked for instead of a run; -1 when the program goes on.
int Answered(const StartupOptions& options)
{
    if (!options.message.isEmpty()) {
        std::fprintf(stdout, "%s", qUtf8Printable(options.message));
        return 0;
    }
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(options.error));
        return 2;
    }
    return -1;
}

// --help and --version answer without a display.
bool AsksForText(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        for (const char* option : {"--help", "-h", "-?", "--version"}) {
            if (qstrcmp(argv[i], option) == 0)
                return true;
        }
    }
    return false;
}

void NameApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("Nutrava"));
    QCoreApplication::setApplicationVersion(
        QStringLiteral("%1.%2").arg(NUTRAVA_VERSION_MAJOR).arg(NUTRAVA_VERSION_MINOR));
}

// "nutrava export": no display, no window, no lock; the exit code says how it went.
int RunExport(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    NameApplication();
    // The store's own diagnostics repeat what the message says (QT_LOGGING_RULES still shows
    // them).
    QLoggingCategory::setFilterRules(QStringLiteral("nutrava.store=false"));
    const StartupOptions options = StartupOptions::Parse(QCoreApplication::arguments());
    if (const int end = Answered(options); end >= 0)
        return end;
    QString message;
    const LogExporter::Result result =
        LogExporter::Export(options.Folders(QCoreApplication::applicationDirPath()),
                            options.exportFolder, options.replaceFiles, &message);
    std::fprintf(result == LogExporter::Exported ? stdout : stderr, "%s\n",
                 qUtf8Printable(message));
    return result;
}

} // namespace

int main(int argc, char* argv[])
{
    StartupElapsedMs();
    if (argc > 1 && qstrcmp(argv[1], StartupOptions::kExportCommand) == 0)
        return RunExport(argc, argv);
    if (AsksForText(argc, argv)) {
        QCoreApplication app(argc, argv);
        NameApplication();
        return Answered(StartupOptions::Parse(QCoreApplication::arguments()));
    }
    if (!DisplayAvailable()) {
        std::fprintf(stderr, "Program initialization failed (error code - 0x%08X)\n",
                     kPlatformFailure);
        return 1;
    }
    // Fontconfig reads its configuration (about 3 ms) when the first text is measured. Read on
    // another core while QApplication connects to the display, it is ready for the home screen's
    // first font; Qt's own FcInit() then finds it loaded (fontconfig is thread-safe).
    std::jthread fontConfiguration;
    try {
        fontConfiguration = std::jthread([] { FcInit(); });
    } catch (const std::system_error&) {
        // No thread to spare: Qt reads it itself, as it always could.
    }
    QApplication app(argc, argv);
    StartupMark("QApplication");
    NameApplication();
    // Renderings of the artwork, kept so that later starts draw the home screen without SVG.
    if (const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
        !cache.isEmpty())
        SkinSettings::Instance().SetArtCache(cache + QStringLiteral("/art"));

    const StartupOptions options = StartupOptions::Parse(QApplication::arguments());
    if (const int end = Answered(options); end >= 0)
        return end;
    if (options.screenSize.isValid())
        DeviceScreen::Instance().SetSize(options.screenSize);
    ScreenStyle::Install();
    InstallFocusReturn();
    InstallControlsAccessibility();
    StartupMark("style, focus, accessibility");

    const QString executable = QApplication::applicationFilePath();
    SingleInstance instance(executable);
    if (instance.ForwardToRunningInstance())
        return -1;
    instance.Listen();
    StartupMark("single instance");

    // Content controls pages create by name.
    RegisterControlContent();
    RegisterFitnessContent();
    RegisterBlogContent();
    StartupMark("content registered");

    if (fontConfiguration.joinable())
        fontConfiguration.join();
    Application application(options, executable);
    QObject::connect(&instance, &SingleInstance::raiseRequested,
                     [&application] { application.RaiseMainWindow(); });
    return application.Run();
}
