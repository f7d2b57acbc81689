#pragma once

#include "app/StartupOptions.h"
#include "vocabulary/AppServices.h"

#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

class DataConnection;
class DisclamerDialog;
class HomeDialog;
class Page;
class Session;
class ShellDialogServices;
class ShutdownSignals;
class UserDatabase;
class UserEdits;

// The application object: opens the store, shows the disclaimer at the first start, runs the
// home screen, and writes the store back when it is destroyed. SIGTERM, SIGINT, SIGHUP and the
// end of the desktop session end the run as leaving every page would.
class Application final : public AppServices
{
public:
    explicit Application(const StartupOptions& options, const QString& executablePath);
    ~Application() override;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The whole run; the process exit code.
    int Run();

    // Brings the main window forward (a second start asked for it).
    void RaiseMainWindow();
    // Ends the run whatever is open: every modal loop ends now and every later one at once, each
    // page keeps what was typed as its dialog unwinds, and Run() returns. Should a loop that
    // ignores this still run after a grace period, the store is written and the process ends.
    void RequestShutdown();
    // Writes what the store holds (the desktop session asks for its data).
    void CommitStore();

    // The run's diary: its store once start-up has checked it, the pages, the services.
    Session& GetSession() const { return *m_session; }
    UserDatabase* Store() const;
    UserEdits* Edits() const;

    // AppServices
    ProductVersion GetProductVersion() const override;
    QString GetExecutablePath() const override { return m_executablePath; }
    QString GetExecutableFolder() const override;
    void CloseMainWindow() override;
    bool EnsureDataConnection(const QString& url, PostProgressSink* sink) override;

    // Seams: tests answer these instead of the user.
    std::function<void(const QString& text)> showStartupError;
    std::function<void(const QString& text)> showDamageNotice;
    std::function<int(DisclamerDialog& dialog)> runDisclaimer;
    std::function<void(HomeDialog& home)> runHome;
    std::function<std::vector<std::unique_ptr<Page>>(Session& session)> makePages;
    // Ends the process at once with the exit code; the last resort of RequestShutdown().
    std::function<void(int code)> endProcess;

private:
    StartupOptions m_options;
    QString m_executablePath;
    // The store, its edits and the pages' registry; the pages reach them through it.
    std::unique_ptr<Session> m_session;
    std::unique_ptr<ShellDialogServices> m_dialogs;
    std::unique_ptr<DataConnection> m_connection;
    QPointer<HomeDialog> m_home;
    std::unique_ptr<ShutdownSignals> m_shutdown;
    QTimer m_lastResort;
    bool m_ending = false;
    int m_exitCode = 0;
};
