#include "app/HomeDialog.h"

#include "commands/ImportWeightsCommand.h"
#include "commands/UserEdits.h"
#include "controls/BmpButtonImpl.h"
#include "data/Log.h"
#include "data/UserDatabase.h"
#include "dialogs/LayoutBaseDialog.h"
#include "export/LogExporter.h"
#include "export/WeightImport.h"
#include "skin/DeviceScreen.h"
#include "skin/DialogServices.h"
#include "skin/HelpIndexDialog.h"
#include "skin/ReportDialog.h"
#include "skin/ScreenFileDialog.h"
#include "skin/ShellMenu.h"
#include "skin/SkinSettings.h"
#include "vocabulary/Events.h"
#include "vocabulary/Page.h"
#include "vocabulary/Session.h"

#include <QDir>
#include <QKeyEvent>
#include <QMenuBar>
#include <QTimer>

namespace {

// Tiles in creation order, which is also their tab order.
const char* const kTiles[] = {"header", "daily", "profile", "journal", "fitness", "food"};

} // namespace

HomeDialog::HomeDialog(Session& session, std::vector<std::unique_ptr<Page>> pages,
                       DialogServices& services, QWidget* parent)
    : QDialog(parent), m_session(session), m_store(*session.Store()), m_services(services),
      m_pages(std::move(pages))
{
    setObjectName(QStringLiteral("HomeDialog"));
    setWindowTitle(QStringLiteral("Nutrava"));
    runPageDialog = [](LayoutBaseDialog& dialog) { dialog.Run(); };
    askExportFolder = [](QWidget* parent) {
        return ScreenFileDialog::ChooseFolder(parent, QStringLiteral("Export to"),
                                              QDir::homePath());
    };
    askWeightsFile = [](QWidget* parent) {
        return ScreenFileDialog::ChooseFile(parent, QStringLiteral("Import Weights"),
                                            QDir::homePath(),
                                            QStringLiteral("Weights (*.csv *.CSV *.txt *.TXT)"));
    };

    for (const char* tile : kTiles) {
        auto* button = new BmpButtonImpl(false, this, 100);
        button->setObjectName(QString::fromLatin1(tile));
        button->SetSection(QStringLiteral("main"));
        button->SetName(QString::fromLatin1(tile));
        // The header is a picture: no listener, so it takes neither taps nor focus.
        if (qstrcmp(tile, "header") != 0) {
            button->SetListener(this);
            button->installEventFilter(this); // arrow keys
        }
        m_buttons.push_back(button);
    }

    UserEdits* edits = m_session.Edits();
    m_menuBar = ShellMenu::Build(
        this, [this](int command) { RunMenuCommand(command); }, true,
        edits ? &edits->Stack() : nullptr);

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

BmpButtonImpl* HomeDialog::TileTowards(const BmpButtonImpl* from, int key) const
{
    const QRect origin = from->geometry();
    const bool vertical = key == Qt::Key_Up || key == Qt::Key_Down;
    BmpButtonImpl* best = nullptr;
    std::pair<bool, int> bestScore{false, 0};
    for (BmpButtonImpl* tile : m_buttons) {
        const QRect r = tile->geometry();
        if (tile == from || tile->focusPolicy() == Qt::NoFocus || tile->isHidden())
            continue;
        const bool beyond = (key == Qt::Key_Down && r.top() > origin.bottom()) ||
                            (key == Qt::Key_Up && r.bottom() < origin.top()) ||
                            (key == Qt::Key_Right && r.left() > origin.right()) ||
                            (key == Qt::Key_Left && r.right() < origin.left());
        if (!beyond)
            continue;
        const bool level = vertical ? r.left() <= origin.right() && origin.left() <= r.right()
                                    : r.top() <= origin.bottom() && origin.top() <= r.bottom();
        // Level tiles win; then the nearest centre.
        const std::pair<bool, int> score{!level, (r.center() - origin.center()).manhattanLength()};
        if (!best || score < bestScore) {
            best = tile;
            bestScore = score;
        }
    }
    return best;
}

bool HomeDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool arrow = key->key() == Qt::Key_Up || key->key() == Qt::Key_Down ||
                           key->key() == Qt::Key_Left || key->key() == Qt::Key_Right;
        if (arrow && !(key->modifiers() & ~Qt::KeypadModifier)) {
            if (auto* from = qobject_cast<BmpButtonImpl*>(watched)) {
                if (BmpButtonImpl* to = TileTowards(from, key->key()))
                    to->setFocus(Qt::TabFocusReason);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void HomeDialog::keyPressEvent(QKeyEvent* event)
{
    // The home screen is the program: Escape must not end it by accident. The window's close
    // button and the shutdown signals still do.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void HomeDialog::done(int result)
{
    m_closing = true;
    QDialog::done(result);
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
    screen.InitSkin();
    SkinSettings& skin = SkinSettings::Instance();
    // Tile rectangles are relative to the area below the menu; on a screen wider than its skin
    // mode the tiles stay together in the middle, as the landscape skin centres them.
    const int top = m_menuBar->sizeHint().height();
    const int left = qMax(0, (width() - screen.SkinMode().width()) / 2);
    m_menuBar->setGeometry(0, 0, width(), top);
    for (BmpButtonImpl* button : m_buttons) {
        QRect rect;
        if (skin.GetRect(QStringLiteral("main/") + button->Name(), rect))
            button->setGeometry(rect.translated(left, top));
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
    Page* page = m_session.FindPage(entry.page);
    if (!page) {
        Store::Log(Store::Warning, "No page named %s", qUtf8Printable(entry.page));
        m_services.ShowMessage(this, QStringLiteral("Nutrava"),
                               QStringLiteral("This page is not part of this version yet."));
        return;
    }
    {
        UserEdits* edits = m_session.Edits();
        LayoutBaseDialog dialog(this, &m_services, edits ? &edits->Stack() : nullptr);
        dialog.SetPage(page);
        runPageDialog(dialog);
        if (BmpButtonImpl* button = Button(entry.button))
            button->setFocus();
    }
    // Whatever the page saved reaches the disk now, not only at exit.
    m_store.Commit();

    // The blog account page follows the first page left, until it has been seen once; not when
    // the program is closing (a signal or the session's end closed the page and this window).
    if (!m_closing && event != Events::kBlogger &&
        !(m_store.Profile().Flags() & UserProfile::kBlogAccountSeen) &&
        m_session.FindPage(Events::kBlogger))
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
    case kImportWeightsCommand:
        ImportWeights();
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

void HomeDialog::ImportWeights()
{
    UserEdits* edits = m_session.Edits();
    const QString path = edits ? askWeightsFile(this) : QString();
    if (path.isEmpty())
        return;
    const QString caption = QStringLiteral("Import Weights");
    WeightImport import(m_store.Settings().Metric() != 0, QLocale::system(), TimeBase::Today());
    QString error;
    if (!import.ReadFile(path, &error)) {
        m_services.ShowMessage(this, caption, error);
        return;
    }
    import.KeepDaysOf(m_store.Weights());
    // Nothing changes before the user has read what will.
    const bool any = !import.Weights().empty();
    ReportDialog report(caption, import.Heading(), import.Report(),
                        any ? QStringLiteral("Import") : QString(), this);
    if (report.exec() != QDialog::Accepted || !any)
        return;
    std::vector<ImportWeightsCommand::DayWeight> weights;
    weights.reserve(import.Weights().size());
    for (const WeightImport::Weight& weight : import.Weights())
        weights.emplace_back(weight.day, weight.kilograms);
    edits->Push(new ImportWeightsCommand(*edits, std::move(weights)));
}
