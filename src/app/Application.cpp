#include "app/Application.h"

#include "app/DisclamerDialog.h"
#include "app/FirstPaintReport.h"
#include "app/HomeDialog.h"
#include "app/ShellDialogServices.h"
#include "app/ShutdownSignals.h"
#include "commands/UserEdits.h"
#include "data/UserDatabase.h"
#include "pages/AllPages.h"
#include "posting/DataConnection.h"
#include "skin/ScreenMessageBox.h"
#include "vocabulary/Page.h"
#include "vocabulary/Session.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QIcon>

#include <cstdlib>

namespace {

// Long enough for any orderly end, which runs no event loop once asked to end.
constexpr int kLastResortMs = 500;

// The store's reason and what the user can do about it.
QString WithAdvice(const UserDatabase& store)
{
    QString advice;
    switch (store.Error()) {
    case DatabaseError::CannotOpen:
    case DatabaseError::Damaged:
        advice = QFileInfo::exists(store.UserFilePath() + QStringLiteral(".bak"))
                     ? QStringLiteral(
                           "The file as it was at the previous start is kept beside it as "
                           "user.pdb.bak. To go back to it, rename the damaged user.pdb (for "
                           "example to user.pdb.damaged), rename user.pdb.bak to user.pdb and "
                           "start Nutrava again.")
                     : QStringLiteral(
                           "Restore user.pdb from a backup of yours, or move it out of the folder "
                           "to start with an empty diary, then start Nutrava again.");
        break;
    case DatabaseError::Locked:
        advice = QStringLiteral("Close the other copy, or wait until it has ended, then start "
                                "Nutrava again.");
        break;
    case DatabaseError::CannotCreate:
    case DatabaseError::CannotWrite:
        advice = QStringLiteral("Make the folder writable, or start Nutrava with --data-dir and "
                                "a folder you can write.");
        break;
    default:
        break;
    }
    return advice.isEmpty() ? store.StateText() : store.StateText() + u' ' + advice;
}

// Rendering the SVG icon loads an icon engine plugin: the home screen comes first, and the
// boxes that may show before it set it for themselves.
void ShowProgramIcon()
{
    if (QApplication::windowIcon().isNull())
        QApplication::setWindowIcon(QIcon(QStringLiteral(":/art/icon.svg")));
}

} // namespace

Application::Application(const StartupOptions& options, const QString& executablePath)
    : m_options(options), m_executablePath(executablePath),
      m_session(std::make_unique<Session>(this))
{
    showStartupError = [](const QString& text) {
        ShowProgramIcon();
        ScreenMessageBox::Show(nullptr, QMessageBox::Critical, QStringLiteral("Nutrava"), text);
    };
    showDamageNotice = [](const QString& text) {
        ShowProgramIcon();
        ScreenMessageBox::Show(nullptr, QMessageBox::Warning, QStringLiteral("Nutrava"), text);
    };
    runDisclaimer = [](DisclamerDialog& dialog) {
        ShowProgramIcon();
        return dialog.exec();
    };
    runHome = [](HomeDialog& home) { home.exec(); };
    makePages = MakeAllPages;
    endProcess = [](int code) { std::_Exit(code); };

    m_shutdown = std::make_unique<ShutdownSignals>();
    QObject::connect(m_shutdown.get(), &ShutdownSignals::shutdownRequested,
                     [this] { RequestShutdown(); });
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QObject::connect(gui, &QGuiApplication::commitDataRequest, m_shutdown.get(),
                         [this] { CommitStore(); });
    m_lastResort.setSingleShot(true);
    QObject::connect(&m_lastResort, &QTimer::timeout, [this] {
        CommitStore();
        const int signal = m_shutdown->SignalNumber();
        endProcess(signal ? 128 + signal : 1);
    });
}

Application::~Application()
{
    // The edits save what is owed, then the store writes the profile and the settings.
    m_session->Close();
    if (m_connection)
        m_connection->Release();
}

UserDatabase* Application::Store() const
{
    return m_session->Store();
}

UserEdits* Application::Edits() const
{
    return m_session->Edits();
}

ProductVersion Application::GetProductVersion() const
{
    return CompiledVersion();
}

QString Application::GetExecutableFolder() const
{
    const qsizetype slash = m_executablePath.lastIndexOf(u'/');
    return slash < 0 ? m_executablePath : m_executablePath.left(slash);
}

void Application::CloseMainWindow()
{
    if (m_home)
        m_home->close();
}

bool Application::EnsureDataConnection(const QString&, PostProgressSink*)
{
    if (!m_connection)
        m_connection = std::make_unique<DataConnection>();
    return m_connection->EnsureDataConnection();
}

int Application::Run()
{
    const DatabaseFolders folders = m_options.Folders(GetExecutableFolder());
    // A data folder named for the first time is made, as a user of --data-dir expects.
    QString problem;
    if (!StartupOptions::MakeDataFolder(m_options.ChooseDataFolder(GetExecutableFolder()),
                                        &problem)) {
        showStartupError(problem);
        return 1;
    }
    auto opened = std::make_unique<UserDatabase>(folders);
    StartupMark("store opened");
    // Running on defaults over a file we may not write would lose the user's entries: say why
    // and stop instead.
    if (!opened->IsWritable()) {
        showStartupError(WithAdvice(*opened));
        return 1;
    }
    if (const QString problem = opened->References().OpeningProblem(); !problem.isEmpty()) {
        showStartupError(problem);
        return 1;
    }
    m_session->Open(std::move(opened));
    UserDatabase& store = *m_session->Store();
    if (!store.DamageNotice().isEmpty())
        showDamageNotice(store.DamageNotice());
    if (m_ending)
        return 0;

    // A start counts only once the disclaimer is agreed to: a declined one (No, Escape, closing
    // it, a signal) shows again at the next start.
    UserProfile& profile = store.Profile();
    const int launches = profile.LaunchCount() + 1;
    if (launches < 2) {
        DisclamerDialog disclaimer(DisclamerDialog::DisclaimerText(store.References().Texts()));
        if (runDisclaimer(disclaimer) != QDialog::Accepted)
            return 0;
    }
    StartupMark("store checked");
    profile.SetChanged();
    profile.SetLaunchCount(launches);
    // The agreed disclaimer is written at once. Otherwise the count waits for the home screen
    // to be painted: rewriting user.pdb and its backup costs more than the rest of start-up,
    // and the home screen needs none of it. Exit writes it should the window never paint.
    if (launches < 2)
        store.Commit();

    m_dialogs = std::make_unique<ShellDialogServices>(*m_session);
    std::vector<std::unique_ptr<Page>> pages = makePages(*m_session);
    StartupMark("pages made");
    HomeDialog home(*m_session, std::move(pages), *m_dialogs);
    StartupMark("home screen made");
    m_home = &home;
    AfterFirstPaint(&home, [this, &profile, launches] {
        ShowProgramIcon();
        // The foods index is read once the home screen shows; a damaged one still ends the run,
        // and a start that could not go on does not count.
        if (ReferenceDatabases* references = m_session->References();
            references && !references->CanRun()) {
            profile.SetLaunchCount(launches - 1);
            showStartupError(references->StartupProblem());
            m_exitCode = 1;
            RequestShutdown();
            return;
        }
        CommitStore();
    });
    WatchFirstPaint(&home);
    runHome(home);
    m_home = nullptr;
    return m_exitCode;
}

void Application::RaiseMainWindow()
{
    QWidget* top = QApplication::activeModalWidget();
    if (!top)
        top = m_home;
    if (!top)
        return;
    top->showNormal();
    top->raise();
    top->activateWindow();
}

void Application::RequestShutdown()
{
    if (m_ending)
        return;
    m_ending = true;
    // A closed home screen leads on to no other page.
    CloseMainWindow();
    // Every running loop ends as the calls unwind, innermost first, so a sub-page's result still
    // reaches the page that ran it; the thread's quit flag makes every later exec() return at
    // once (nothing here runs QCoreApplication::exec(), which would clear it).
    QCoreApplication::exit(0);
    m_lastResort.start(kLastResortMs);
}

void Application::CommitStore()
{
    if (UserEdits* edits = Edits())
        edits->Save();
}
