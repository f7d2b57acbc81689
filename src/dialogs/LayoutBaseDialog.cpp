#include "dialogs/LayoutBaseDialog.h"

#include "skin/ShellMenu.h"

#include "controls/BmpButtonImpl.h"
#include "controls/BottomButtonsContainer.h"
#include "controls/ButtomNavigation.h"
#include "controls/TabChain.h"
#include "controls/TitleBarControl.h"
#include "skin/DeviceScreen.h"
#include "skin/DialogServices.h"
#include "skin/SkinSettings.h"
#include "vocabulary/ContentControl.h"
#include "vocabulary/ContentControlRegistry.h"
#include "vocabulary/Events.h"
#include "vocabulary/Page.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QUndoStack>

namespace {
// Counts the events being handled, so content is never deleted while one of its handlers runs.
class EventDepth final
{
public:
    explicit EventDepth(int& depth) : m_depth(depth) { ++m_depth; }
    ~EventDepth() { --m_depth; }
    EventDepth(const EventDepth&) = delete;
    EventDepth& operator=(const EventDepth&) = delete;

private:
    int& m_depth;
};
} // namespace

LayoutBaseDialog::LayoutBaseDialog(QWidget* parent, DialogServices* services, QUndoStack* history)
    : QDialog(parent), m_services(services), m_history(history)
{
    if (!m_services) {
        const auto* outer = qobject_cast<const LayoutBaseDialog*>(parent);
        m_services = outer ? outer->m_services : &DialogServices::Fallback();
    }
    setWindowTitle(QStringLiteral("Nutrava"));

    DeviceScreen& screen = DeviceScreen::Instance();
    screen.InitSkin(); // also makes the artwork available; the icon is the program's

    m_title = new TitleBarControl(this);
    m_bottom = new BottomButtonsContainer(this);
    m_navigation = new ButtomNavigation(this);
    m_title->SetListener(this);
    m_bottom->SetListener(this);
    m_navigation->SetListener(this);
    m_menuBar = ShellMenu::Build(
        this, [this](int command) { RunMenuCommand(command); }, false, m_history);
    // The handheld's OK command: confirms the page, whichever of its controls has the focus.
    for (const QKeySequence& keys :
         {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)}) {
        auto* ok = new QShortcut(keys, this);
        ok->setContext(Qt::WindowShortcut);
        connect(ok, &QShortcut::activated, this, &LayoutBaseDialog::accept);
    }

    // A field left is an edit made: it can be undone at once, and is saved with the others.
    if (m_history)
        m_fieldLeft =
            connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget*) {
                if (old && m_content && m_content->isAncestorOf(old))
                    ApplyEdits();
            });

    screen.Apply(this);
    LayOut();
}

void LayoutBaseDialog::ApplyEdits()
{
    if (m_history && m_page && m_attached)
        m_page->OnEvent(Events::kApplyEdits, nullptr);
}

LayoutBaseDialog::~LayoutBaseDialog()
{
    // The widgets going as the dialog goes move the focus: nothing may reach this half-gone one.
    disconnect(m_fieldLeft);
    // A dialog closed by the window manager or Escape still lets its page save and let go.
    DetachPage();
}

void LayoutBaseDialog::RunMenuCommand(int command)
{
    // Typed and not yet stored: an edit before the menu's, which may show or undo it.
    if (command == kPreferencesCommand || command == kUndoCommand || command == kRedoCommand)
        ApplyEdits();
    switch (command) {
    case kPreferencesCommand:
        if (m_services->RunPreferences(this))
            OnEvent(Events::kPreferences, nullptr);
        break;
    case kHelpCommand:
        ShowHelp();
        break;
    case kAboutCommand:
        m_services->ShowAbout(this);
        break;
    default:
        break;
    }
}

int LayoutBaseDialog::Run()
{
    if (!m_closed) {
        m_ended = false;
        exec();
        // Only the application's exit ends the loop without done(): the program is ending.
        if (!m_ended)
            KeepPage();
    }
    m_closed = false;
    return result();
}

QRect LayoutBaseDialog::ClientRect() const
{
    return rect().adjusted(0, m_menuBar->sizeHint().height(), 0, 0);
}

QRect LayoutBaseDialog::ContentRect() const
{
    SkinSettings& skin = SkinSettings::Instance();
    const QRect client = ClientRect();
    const int navH = skin.GetScaled(u"layout/nav/panel/height", 20);
    const int btnH = skin.GetScaled(u"layout/btn/panel/height", 20);
    const int titleH = skin.GetScaled(u"layout/title/panel/height", 20);
    const int top = client.top() + titleH;
    const int bottom = client.top() + client.height() - navH - btnH;
    return {client.left(), top, client.width(), qMax(0, bottom - top)};
}

void LayoutBaseDialog::LayOut()
{
    // The screen, not this window: a rotation switches prefix, skin and multiplier.
    DeviceScreen::Instance().InitSkin();
    SkinSettings& skin = SkinSettings::Instance();

    const QRect client = ClientRect();
    m_menuBar->setGeometry(0, 0, width(), client.top());
    const int navH = skin.GetScaled(u"layout/nav/panel/height", 20);
    const int btnH = skin.GetScaled(u"layout/btn/panel/height", 20);
    const int titleH = skin.GetScaled(u"layout/title/panel/height", 20);
    const int bottom = client.top() + client.height();
    m_navigation->setGeometry(client.left(), bottom - navH, client.width(), navH);
    m_bottom->setGeometry(client.left(), bottom - navH - btnH, client.width(), btnH);
    m_title->setGeometry(client.left(), client.top(), client.width(), titleH);
    if (m_content)
        m_content->setGeometry(ContentRect());
}

void LayoutBaseDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    LayOut();
}

void LayoutBaseDialog::SetSection(const QString& section)
{
    if (section.isEmpty())
        return;
    m_bottom->SetSection(section);
    m_title->SetSection(section);
}

void LayoutBaseDialog::SetBottomButton(int slot, const QString& name)
{
    m_bottom->SetButton(slot, name);
}

void LayoutBaseDialog::SetTitleButton(int index, const QString& name)
{
    m_title->SetButtonName(index, name);
}

void LayoutBaseDialog::SetDate(TimeBase::Stamp date)
{
    m_title->SetDate(date);
}

TimeBase::Stamp LayoutBaseDialog::GetDate() const
{
    return m_title->GetDate();
}

void LayoutBaseDialog::DestroyContent()
{
    QWidget* old = m_content;
    m_content = nullptr;
    if (m_contentControl)
        m_contentControl->SetListener(nullptr);
    m_contentControl = nullptr;
    if (!old)
        return;
    if (m_eventDepth > 0) {
        // One of its own handlers may be on the stack: gone from view now, deleted after.
        old->hide();
        old->deleteLater();
    } else {
        delete old;
    }
}

ContentControl* LayoutBaseDialog::SetContent(const QString& name)
{
    DestroyContent();
    ContentControl* control = ContentControlRegistry::Create(name);
    if (!control)
        return nullptr;
    QWidget* window = control->GetWindow();
    if (!window)
        return nullptr;
    control->SetListener(this);
    window->setParent(this);
    if (window->objectName().isEmpty())
        window->setObjectName(QStringLiteral("10003"));
    window->setGeometry(ContentRect());
    // Between the title bar and the buttons, with all the content's own focus widgets.
    std::vector<QWidget*> chain{m_title->HelpButton(), window};
    for (QWidget* inner = window->nextInFocusChain(); window->isAncestorOf(inner);
         inner = inner->nextInFocusChain())
        chain.push_back(inner);
    ChainTabOrder(chain);
    window->show();
    m_content = window;
    m_contentControl = control;
    FocusContent();
    return control->GetPayload();
}

void LayoutBaseDialog::FocusContent()
{
    if (!m_content)
        return;
    // A container takes no focus itself: its first field does.
    QWidget* target = m_content;
    for (QWidget* inner = m_content->nextInFocusChain();
         target->focusPolicy() == Qt::NoFocus && m_content->isAncestorOf(inner);
         inner = inner->nextInFocusChain()) {
        if ((inner->focusPolicy() & Qt::TabFocus) && inner->isEnabled())
            target = inner;
    }
    target->setFocus();
}

void LayoutBaseDialog::DetachPage()
{
    if (!m_page || !m_attached)
        return;
    m_attached = false;
    m_page->Detach();
}

void LayoutBaseDialog::KeepPage()
{
    if (!m_page || !m_attached)
        return;
    m_keeping = true;
    m_page->OnEvent(Events::kWindowClosing, nullptr);
    DetachPage();
    m_keeping = false;
}

void LayoutBaseDialog::SetPage(Page* page)
{
    if (page == m_page)
        return;
    if (m_page) {
        DetachPage();
        m_bottom->Clear();
        m_title->Clear();
        for (QAction* action : m_pageCommands)
            delete action;
        m_pageCommands.clear();
    }
    DestroyContent();
    m_page = page;
    if (m_page) {
        m_attached = true;
        m_page->Attach(*this);
    }
}

void LayoutBaseDialog::AddMenuCommand(const QString& text, const QString& event)
{
    QMenu* menu = m_menuBar->actions().first()->menu();
    if (m_pageCommands.empty())
        m_pageCommands.push_back(menu->addSeparator());
    QAction* action = menu->addAction(text);
    action->setObjectName(event);
    // Typed and not yet stored comes first, as for the shell's commands.
    connect(action, &QAction::triggered, this, [this, event] {
        ApplyEdits();
        OnEvent(event, nullptr);
    });
    m_pageCommands.push_back(action);
}

int LayoutBaseDialog::RunSubPage(Page* page)
{
    const QPointer<QWidget> left = focusWidget();
    LayoutBaseDialog nested(this, m_services, m_history);
    nested.runSubPageDialog = runSubPageDialog;
    nested.SetPage(page);
    int result = 0;
    if (runSubPageDialog) {
        runSubPageDialog(nested);
        result = nested.result();
    } else {
        result = nested.Run();
    }
    // Back where the user left the content for the sub-page, when that is still there.
    if (left && m_content && m_content->isAncestorOf(left) && left->isVisible() &&
        left->isEnabled())
        left->setFocus(Qt::OtherFocusReason);
    else
        FocusContent();
    return result;
}

void LayoutBaseDialog::Close()
{
    DetachPage();
    m_closed = true;
    done(0);
}

void LayoutBaseDialog::ShowMessage(const QString& caption, const QString& text)
{
    if (!m_keeping)
        m_services->ShowMessage(this, caption, text);
}

int LayoutBaseDialog::OnEvent(const QString& name, QWidget* sender)
{
    const EventDepth depth(m_eventDepth);
    int result = 0;
    // A page that has let go (after Close or OK) hears nothing more.
    if (m_page && m_attached) {
        result = m_page->OnEvent(name, sender);
        if (result)
            return result;
    }
    if (name == Events::kHelp)
        ShowHelp();
    return result;
}

void LayoutBaseDialog::ShowHelp()
{
    const int topic = m_page ? m_page->GetHelpTopic() : -1;
    if (topic >= 0)
        m_services->ShowHelp(this, topic);
}

void LayoutBaseDialog::accept()
{
    if (m_page && m_attached) {
        m_page->OnEvent(Events::kDialogApplied, nullptr);
        DetachPage();
    }
    QDialog::accept();
}

void LayoutBaseDialog::done(int result)
{
    m_ended = true;
    QDialog::done(result);
}

void LayoutBaseDialog::closeEvent(QCloseEvent* event)
{
    KeepPage();
    QDialog::closeEvent(event);
}
