#include "app/HomeDialog.h"

#include "vocabulary/Events.h"
#include "vocabulary/Page.h"
#include "pages/PageRegistry.h"
#include "controls/BmpButtonImpl.h"
#include "data/Log.h"
#include "data/UserDatabase.h"
#include "export/LogExporter.h"
#include "skin/DeviceScreen.h"
#include "skin/DialogServices.h"
#include "skin/HelpIndexDialog.h"
#include "dialogs/LayoutBaseDialog.h"
#include "skin/ShellMenu.h"
#include "skin/SkinSettings.h"

#include <QDir>
#include <QFileDialog>
#include <QMenuBar>
#include <QTimer>

namespace {

// Tiles in creation order, which is also their tab order.
const char* const kTiles[] = {"header", "daily", "profile", "journal", "fitness", "food"};

} // namespace

HomeDialog::HomeDialog(UserDatabase& store, std::vector<std::unique_ptr<Page>> pages,
                       DialogServices& services, QWidget* parent)
    : QDialog(parent), m_store(store), m_services(services), m_pages(std::move(pages))
{
    setObjectName(QStringLiteral("HomeDialog"));
    setWindowTitle(QStringLiteral("Nutrava"));
    runPageDialog = [](LayoutBaseDialog& dialog) { dialog.Run(); };
    askExportFolder = [](QWidget* parent) {
        return QFileDialog::getExistingDirectory(parent, QStringLiteral("Export to"),
                                                 QDir::homePath());
    };

    for (const char* tile : kTiles) {
        auto* button = new BmpButtonImpl(false, this, 100);
        button->setObjectName(QString::fromLatin1(tile));
        button->SetSection(QStringLiteral("main"));
        button->SetName(QString::fromLatin1(tile));
        // The header is a picture: no listener, so it takes neither taps nor focus.
        if (qstrcmp(tile, "header") != 0)
            button->SetListener(this);
        m_buttons.push_back(button);
    }

    m_menuBar = ShellMenu::Build(
        this, [this](int command) { RunMenuCommand(command); }, true);

    DeviceScreen::Instance().Apply(this);
    LayOut();
    Button(Events::kProfile)->setFocus();
}

HomeDialog::~HomeDialog() = default;

BmpButtonImpl* HomeDialog::Button(const QString& name) const
{
    for (BmpButtonImpl* button : m_buttons) {
        if (button->Name() == name)
            return button;
    }
    return nullptr;
}

void HomeDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    // A new user starts with the profile, over the home screen.
    if (!m_store.Profile().IsComplete())
        QTimer::singleShot(0, this, [this] { OnEvent(Events::kProfile, nullptr); });
}

void HomeDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    LayOut();
}

void HomeDialog::LayOut()
{
    const DeviceScreen& screen = DeviceScreen::Instance();
    SkinSettings& skin = SkinSettings::Instance();
    skin.Init(screen.Width(), screen.Height());
    // Tile rectangles are relative to the area below the menu.
    const int top = m_menuBar->sizeHint().height();
    m_menuBar->setGeometry(0, 0, width(), top);
    for (BmpButtonImpl* button : m_buttons) {
        QRect rect;
        if (skin.GetRect(QStringLiteral("main/") + button->Name(), rect))
            button->setGeometry(rect.translated(0, top));
        button->update();
    }
}

HomeDialog::Entry HomeDialog::EntryFor(const QString& event, bool complete)
{
    if (event == Events::kDaily)
        return complete ? Entry{QStringLiteral("daily.chart"), Events::kDaily}
                        : Entry{Events::kProfile, Events::kProfile};
    if (event == Events::kFitness)
        return {Events::kGoFitness, Events::kFitness};
    if (event == Events::kFood)
        return {Events::kGoFood, Events::kFood};
    if (event == Events::kJournal)
        return {Events::kGoJournal, Events::kJournal};
    if (event == Events::kProfile)
        return {complete ? Events::kResults : Events::kProfile, Events::kProfile};
    if (event == Events::kBlogger)
        return {Events::kBlogger, Events::kProfile};
    return {Events::kProfile, Events::kProfile};
}

int HomeDialog::OnEvent(const QString& name, QWidget*)
{
    RunEntry(name);
    return 1;
}

void HomeDialog::RunEntry(const QString& event)
{
    const Entry entry = EntryFor(event, m_store.Profile().IsComplete());
    Page* page = PageRegistry::Find(entry.page);
    if (!page) {
        Store::Log(Store::Warning, "No page named %s", qUtf8Printable(entry.page));
        m_services.ShowMessage(this, QStringLiteral("Nutrava"),
                               QStringLiteral("This page is not part of this version yet."));
        return;
    }
    {
        LayoutBaseDialog dialog(this, &m_services);
        dialog.SetPage(page);
        runPageDialog(dialog);
        if (BmpButtonImpl* button = Button(entry.button))
            button->setFocus();
    }
    // Whatever the page saved reaches the disk now, not only at exit.
    m_store.Commit();

    // The blog account page follows the first page left, until it has been seen once.
    if (event != Events::kBlogger && !(m_store.Profile().Flags() & UserProfile::kBlogAccountSeen) &&
        PageRegistry::Find(Events::kBlogger))
        RunEntry(Events::kBlogger);
}

void HomeDialog::RunMenuCommand(int command)
{
    switch (command) {
    case kPreferencesCommand:
        m_services.RunPreferences(this);
        m_store.Commit();
        break;
    case kHelpCommand: {
        HelpIndexDialog index(this);
        index.showTopic = [this](int topic, QWidget* parent) {
            m_services.ShowHelp(parent, topic);
        };
        index.exec();
        break;
    }
    case kAboutCommand:
        m_services.ShowAbout(this);
        break;
    case kExportCommand:
        ExportLogs();
        break;
    default:
        break;
    }
}

void HomeDialog::ExportLogs()
{
    const QString parent = askExportFolder(this);
    if (parent.isEmpty())
        return;
    // A folder of its own: the files are never written over an earlier export.
    QString message;
    LogExporter(m_store).WriteTo(
        LogExporter::NewFolderIn(parent, TimeBase::ToDate(TimeBase::Today())), false, &message);
    m_services.ShowMessage(this, QStringLiteral("Nutrava"), message);
}
