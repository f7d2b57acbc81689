#include "app/Application.h"

#include "app/DisclamerDialog.h"
#include "app/HomeDialog.h"
#include "pages/AllPages.h"
#include "vocabulary/Page.h"
#include "app/ShellDialogServices.h"
#include "blog/DataConnection.h"
#include "blog/SubmitPost.h"
#include "data/TextIndex.h"
#include "data/UserDatabase.h"
#include "skin/DeviceScreen.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

namespace {
constexpr int kTopicDisclaimer = 10;
}

Application::Application(const StartupOptions& options, const QString& executablePath)
    : m_options(options), m_executablePath(executablePath)
{
    showStartupError = [](const QString& text) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Nutrava"), text, QMessageBox::Ok);
        box.setTextFormat(Qt::PlainText);
        box.setFont(DeviceScreen::Instance().Font());
        box.exec();
    };
    showDamageNotice = [](const QString& text) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Nutrava"), text, QMessageBox::Ok);
        box.setTextFormat(Qt::PlainText);
        box.setFont(DeviceScreen::Instance().Font());
        box.exec();
    };
    runDisclaimer = [](DisclamerDialog& dialog) { return dialog.exec(); };
    runHome = [](HomeDialog& home) { home.exec(); };
    makePages = MakeAllPages;
    SetInstance(this);
    InstallConnectionCheck([](const QUrl& url, PostProgressSink* sink) {
        AppServices* services = AppServices::Instance();
        return services && services->EnsureDataConnection(url.toString(), sink);
    });
}

Application::~Application()
{
    // The store writes the profile, the settings and any changed list as it closes.
    m_store.reset();
    if (m_connection)
        m_connection->Release();
    if (Instance() == this) {
        SetInstance(nullptr);
        InstallConnectionCheck(nullptr);
    }
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
    m_store = std::make_unique<UserDatabase>(folders);
    // Running on defaults over a file we may not write would lose the user's entries: say why
    // and stop instead.
    if (!m_store->IsWritable()) {
        showStartupError(m_store->StateText());
        return 1;
    }
    if (!m_store->References().CanRun()) {
        showStartupError(m_store->References().StartupProblem());
        return 1;
    }
    if (!m_store->DamageNotice().isEmpty())
        showDamageNotice(m_store->DamageNotice());

    UserProfile& profile = m_store->Profile();
    profile.SetChanged();
    profile.SetLaunchCount(profile.LaunchCount() + 1);
    m_store->Commit();

    if (profile.LaunchCount() < 2) {
        const TextIndex* texts = m_store->References().Texts();
        DisclamerDialog disclaimer(texts ? texts->TopicText(kTopicDisclaimer) : QString());
        if (runDisclaimer(disclaimer) != QDialog::Accepted)
            return 0;
    }

    m_dialogs = std::make_unique<ShellDialogServices>(*m_store);
    HomeDialog home(*m_store, makePages(), *m_dialogs);
    m_home = &home;
    runHome(home);
    m_home = nullptr;
    return 0;
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

void Application::CloseAllWindows()
{
    // Each close ends one modal loop; the loops unwind after this returns.
    for (int guard = 0; guard < 100; ++guard) {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            break;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    }
    CommitStore();
}

void Application::CommitStore()
{
    if (m_store)
        m_store->Commit();
}
