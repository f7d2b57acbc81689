#include "dialogs/LayoutBaseDialog.h"
#include "UserInput.h"
#include "app/TestPages.h"
#include "controls/BmpButtonImpl.h"
#include "controls/BottomButtonsContainer.h"
#include "controls/ButtomNavigation.h"
#include "controls/RecordingListener.h"
#include "controls/TitleBarControl.h"
#include "skin/DeviceScreen.h"
#include "skin/SkinSettings.h"
#include "vocabulary/ContentControl.h"
#include "vocabulary/ContentControlRegistry.h"
#include "vocabulary/Events.h"
#include "vocabulary/Page.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

const QString kTestContent = QStringLiteral("LayoutTestContent");

// Logs what the dialog does to it; `onAttach` and `onEvent` let a test act as the page.
class LoggingPage final : public Page
{
public:
    void Attach(PageHost& host) override
    {
        this->host = &host;
        log << QStringLiteral("attach");
        if (onAttach)
            onAttach(host);
    }
    void Detach() override
    {
        log << QStringLiteral("detach");
        host = nullptr;
    }
    int OnEvent(const QString& name, QWidget* sender) override
    {
        log << name;
        senders.push_back(sender);
        if (onEvent)
            return onEvent(name);
        return handled.contains(name) ? 1 : 0;
    }
    int GetHelpTopic() const override { return helpTopic; }
    QString GetName() const override { return QStringLiteral("test"); }

    PageHost* host = nullptr;
    QStringList log;
    std::vector<QWidget*> senders;
    QStringList handled;
    int helpTopic = 8;
    std::function<void(PageHost&)> onAttach;
    std::function<int(const QString&)> onEvent;
};

// A content control that counts its instances and can raise events of its own.
class TestContent final : public QWidget, public ContentControl
{
public:
    TestContent() : edit(new QLineEdit(this)), text(new QPlainTextEdit(this)) { ++alive; }
    ~TestContent() override { --alive; }
    EventListener* GetListener() const override { return listener; }
    void SetListener(EventListener* l) override { listener = l; }
    QWidget* GetWindow() override { return this; }
    void Raise(const QString& name) { listener->OnEvent(name, this); }

    QLineEdit* edit;
    QPlainTextEdit* text;
    EventListener* listener = nullptr;
    static inline int alive = 0;
};

class LayoutBaseDialogTest : public ::testing::Test
{
protected:
    LayoutBaseDialogTest()
    {
        ContentControlRegistry::Register(kTestContent, [] { return new TestContent; });
    }
    ~LayoutBaseDialogTest() override { ContentControlRegistry::Unregister(kTestContent); }

    RecordingDialogs m_services;
};

} // namespace

TEST_F(LayoutBaseDialogTest, FourBandsFillTheClientArea)
{
    LayoutBaseDialog dialog(nullptr, &m_services);
    EXPECT_EQ(dialog.size(), QSize(240, 320));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Nutrava"));
    // The handheld's client area below its caption and above its menu bar: 240 x 268.
    const int top = dialog.ClientRect().top();
    dialog.setFixedSize(240, top + 268);
    dialog.show();
    dialog.SetContent(kTestContent);

    EXPECT_EQ(QList<QRect>({dialog.TitleBar()->geometry(), dialog.Content()->geometry(),
                            dialog.BottomPanel()->geometry(), dialog.Navigation()->geometry()}),
              QList<QRect>({{0, top, 240, 24},
                            {0, top + 24, 240, 192},
                            {0, top + 216, 240, 22},
                            {0, top + 238, 240, 30}}));
    EXPECT_EQ(dialog.MenuBar()->geometry().bottom(), top - 1);
    EXPECT_EQ(dialog.Content()->objectName(), QStringLiteral("10003"));
}

TEST_F(LayoutBaseDialogTest, RotationRelaysTheBandsWithTheLandscapeSkin)
{
    LayoutBaseDialog dialog(nullptr, &m_services);
    dialog.show();
    DeviceScreen::Instance().Rotate();
    EXPECT_EQ(dialog.size(), QSize(320, 240));
    EXPECT_EQ(SkinSettings::Instance().SkinName(), QStringLiteral("default1"));
    EXPECT_EQ(dialog.Navigation()->geometry(), QRect(0, 210, 320, 30));

    // The shortcut does the same.
    UserInput::Activate(dialog);
    QTest::keyClick(&dialog, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(dialog.size(), QSize(240, 320));
}

TEST_F(LayoutBaseDialogTest, PageFillsTheBandsAndSwitchingPagesClearsThem)
{
    LoggingPage first; // pages outlive the dialog
    LoggingPage second;
    LayoutBaseDialog dialog(nullptr, &m_services);
    first.onAttach = [](PageHost& host) {
        host.SetSection(QStringLiteral("food"));
        host.SetSection(QString()); // ignored
        host.SetBottomButton(1, QStringLiteral("add"));
        host.SetTitleButton(3, QStringLiteral("goals"));
        host.SetDate(TimeBase::FromDate(QDate(2026, 12, 6)));
        host.ShowMessage(QStringLiteral("Daily Tip"), QStringLiteral("<b>Drink</b> water"));
        host.SetContent(kTestContent);
        host.AddMenuCommand(QStringLiteral("Copy From..."), QStringLiteral("copyFrom"));
    };
    dialog.SetPage(&first);
    dialog.show();
    // The page's command follows the shell's, and reaches the page.
    QMenu* menu = dialog.MenuBar()->actions().first()->menu();
    QStringList texts;
    for (const QAction* action : menu->actions())
        texts << action->text();
    EXPECT_EQ(texts, QStringList({"Preferences...", "Help", "About", "", "Copy From..."}));
    menu->actions().last()->trigger();
    EXPECT_EQ(first.log.last(), QStringLiteral("copyFrom"));
    EXPECT_EQ(QStringList({dialog.BottomPanel()->Section(), dialog.TitleBar()->Section(),
                           dialog.BottomPanel()->Button(1)->Name(),
                           dialog.TitleBar()->Button(TitleBarControl::Button0)->Name()}),
              Names({"food", "food", "add", "goals"}));
    EXPECT_EQ(dialog.GetDate(), TimeBase::FromDate(QDate(2026, 12, 6)));
    EXPECT_EQ(m_services.messages, QStringList{QStringLiteral("Daily Tip: <b>Drink</b> water")});
    ASSERT_EQ(TestContent::alive, 1);

    // The current page again: nothing happens. Another one clears what the first set.
    const auto shown = [&] {
        return std::tuple(dialog.BottomPanel()->Button(1)->isVisible(),
                          dialog.TitleBar()->Button(TitleBarControl::Button0)->isVisible(),
                          TestContent::alive);
    };
    dialog.SetPage(&first);
    EXPECT_EQ(std::pair(first.log, shown()),
              std::pair(Names({"attach", "copyFrom"}), std::tuple(true, true, 1)));
    dialog.SetPage(&second);
    EXPECT_EQ(first.log + second.log, Names({"attach", "copyFrom", "detach", "attach"}));
    EXPECT_EQ(std::pair(shown(), dialog.Content() == nullptr),
              std::pair(std::tuple(false, false, 0), true));
    EXPECT_EQ(menu->actions().size(), 3); // the first page's command went with it
}

TEST_F(LayoutBaseDialogTest, NewContentReplacesTheOldEvenFromTheOldOnesOwnEvent)
{
    LoggingPage page; // outlives the dialog, as pages do
    LayoutBaseDialog dialog(nullptr, &m_services);
    page.onEvent = [&dialog](const QString& name) {
        if (name != QStringLiteral("itemActivated"))
            return 0;
        dialog.SetContent(kTestContent);
        return 1;
    };
    dialog.SetPage(&page);
    ContentControl* first = dialog.SetContent(kTestContent);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(static_cast<TestContent*>(first)->listener, &dialog);
    QPointer<QWidget> firstWindow = dialog.Content();

    // The old content goes before the new one is made.
    int aliveWhenMade = -1;
    const QString counting = QStringLiteral("LayoutCountingContent");
    ContentControlRegistry::Register(counting, [&aliveWhenMade] {
        aliveWhenMade = TestContent::alive;
        return new TestContent;
    });
    auto* second = static_cast<TestContent*>(dialog.SetContent(counting));
    ContentControlRegistry::Unregister(counting);
    EXPECT_EQ(aliveWhenMade, 0);
    EXPECT_TRUE(firstWindow.isNull());

    // Replaced while its own handler is on the stack: hidden, deaf, deleted later.
    QPointer<QWidget> secondWindow = second;
    second->Raise(QStringLiteral("itemActivated"));
    ASSERT_FALSE(secondWindow.isNull());
    EXPECT_FALSE(secondWindow->isVisible());
    EXPECT_EQ(second->listener, nullptr);
    EXPECT_NE(dialog.Content(), secondWindow.data());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(secondWindow.isNull());
    EXPECT_EQ(TestContent::alive, 1);

    // A name nobody registered: no content, and nothing breaks.
    EXPECT_EQ(dialog.SetContent(QStringLiteral("NoSuchControl")), nullptr);
    EXPECT_EQ(dialog.Content(), nullptr);
    EXPECT_EQ(TestContent::alive, 0);
}

TEST_F(LayoutBaseDialogTest, EventsReachThePageHelpFallsBackToTheDialogAndMenuCommands)
{
    LoggingPage page; // outlives the dialog, as pages do
    LayoutBaseDialog dialog(nullptr, &m_services);
    dialog.SetPage(&page);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

    BmpButtonImpl* home = dialog.Navigation()->Button(0);
    QTest::mouseClick(dialog.windowHandle(), Qt::LeftButton, {},
                      home->mapTo(&dialog, home->rect().center()));
    EXPECT_EQ(page.log.last(), QStringLiteral("goHome"));
    EXPECT_EQ(page.senders.back(), home);

    // Unhandled "help": the dialog shows the page's topic.
    EXPECT_EQ(dialog.OnEvent(Events::kHelp, dialog.TitleBar()->HelpButton()), 0);
    EXPECT_EQ(m_services.helpTopics, std::vector<int>{8});

    // A page that handles "help" itself suppresses it.
    page.handled << Events::kHelp;
    EXPECT_EQ(dialog.OnEvent(Events::kHelp, nullptr), 1);
    EXPECT_EQ(m_services.helpTopics.size(), 1u);

    // No topic: no help, from the help mark or the menu.
    page.handled.clear();
    page.helpTopic = -1;
    dialog.OnEvent(Events::kHelp, nullptr);
    dialog.findChild<QAction*>(QStringLiteral("32772"))->trigger();
    EXPECT_EQ(m_services.helpTopics.size(), 1u);
    page.helpTopic = 2;
    dialog.findChild<QAction*>(QStringLiteral("32772"))->trigger();
    EXPECT_EQ(m_services.helpTopics, std::vector<int>({8, 2}));

    QAction* preferences = dialog.findChild<QAction*>(QStringLiteral("32771"));
    ASSERT_NE(preferences, nullptr);
    EXPECT_EQ(preferences->text(), QStringLiteral("Preferences..."));
    page.log.clear();
    preferences->trigger(); // cancelled: the page hears nothing
    m_services.acceptPreferences = true;
    preferences->trigger();
    EXPECT_EQ(page.log, QStringList{QStringLiteral("preferences")});
    EXPECT_EQ(m_services.preferences, 2);
    QAction* about = dialog.findChild<QAction*>(QStringLiteral("32773"));
    EXPECT_EQ(about->text(), QStringLiteral("About"));
    about->trigger();
    EXPECT_EQ(m_services.abouts, 1);
}

TEST_F(LayoutBaseDialogTest, OkAppliesAndDetachesCancelKeepsThePageUntilTheDialogEnds)
{
    LoggingPage page;
    {
        LayoutBaseDialog dialog(nullptr, &m_services);
        dialog.SetPage(&page);
        dialog.accept();
        EXPECT_EQ(page.log, Names({"attach", "dialogApplied", "detach"}));
        EXPECT_EQ(page.senders.back(), nullptr);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        dialog.OnEvent(Events::kAdd, nullptr); // detached: not passed on
    }
    EXPECT_EQ(page.log.size(), 3);

    page.log.clear();
    {
        LayoutBaseDialog dialog(nullptr, &m_services);
        dialog.SetPage(&page);
        dialog.reject();
        EXPECT_EQ(page.log, QStringList{QStringLiteral("attach")});
        EXPECT_EQ(page.host, &dialog);
    }
    // Destroying the dialog lets the page go rather than leave it holding a dead host.
    EXPECT_EQ(page.log, Names({"attach", "detach"}));
    EXPECT_EQ(page.host, nullptr);

    // Ctrl+Return is the OK command, from whichever control has the focus.
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        page.log.clear();
        page.onAttach = [](PageHost& host) { host.SetContent(kTestContent); };
        LayoutBaseDialog dialog(nullptr, &m_services);
        dialog.SetPage(&page);
        UserInput::Activate(dialog);
        QTest::keyClick(QApplication::focusWidget(), key, Qt::ControlModifier);
        EXPECT_EQ(std::tuple(page.log, dialog.result(), dialog.isVisible()),
                  std::tuple(Names({"attach", "dialogApplied", "detach"}), 1, false));
    }
}

TEST_F(LayoutBaseDialogTest, SubPagesRunNestedAndCloseWithResultZero)
{
    LayoutBaseDialog dialog(nullptr, &m_services);
    dialog.SetContent(kTestContent);
    QTimer::singleShot(5000, &dialog, [] { // a loop that does not end fails, and is ended
        ADD_FAILURE() << "a modal dialog did not end";
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* open = qobject_cast<QDialog*>(widget))
                open->reject();
    });
    LoggingPage sub;
    PageHost* subHost = nullptr;
    sub.onAttach = [&subHost](PageHost& host) {
        subHost = &host;
        host.ShowMessage(QStringLiteral("Sub"), QStringLiteral("page"));
        QTimer::singleShot(0, [&host] { host.Close(); });
    };
    EXPECT_EQ(dialog.RunSubPage(&sub), 0);
    EXPECT_NE(subHost, static_cast<PageHost*>(&dialog));
    EXPECT_EQ(sub.log, Names({"attach", "detach"}));
    EXPECT_EQ(m_services.messages, QStringList{QStringLiteral("Sub: page")}); // same services

    // A page that closes while attaching ends the dialog without a modal loop.
    LoggingPage quitter;
    quitter.onAttach = [](PageHost& host) { host.Close(); };
    EXPECT_EQ(dialog.RunSubPage(&quitter), 0);
    EXPECT_EQ(quitter.log, Names({"attach", "detach"}));
}

TEST_F(LayoutBaseDialogTest, TabGoesFromTheTitleBarThroughTheContentToTheButtons)
{
    LoggingPage page;
    page.onAttach = [](PageHost& host) {
        host.SetBottomButton(0, QStringLiteral("done"));
        host.SetBottomButton(1, QStringLiteral("add"));
        host.SetContent(kTestContent);
    };
    LayoutBaseDialog dialog(nullptr, &m_services);
    dialog.SetPage(&page);
    auto* content = static_cast<TestContent*>(dialog.Content());

    QStringList order;
    QWidget* widget = dialog.TitleBar()->HelpButton();
    for (int i = 0; i < 40 && order.size() < 5; ++i) {
        widget = widget->nextInFocusChain();
        if (widget == content->edit)
            order << QStringLiteral("content");
        else if (widget == content->text && widget->focusPolicy() == Qt::StrongFocus)
            order << QStringLiteral("text"); // a scroll area keeps taking clicks and Tab
        else if (auto* button = qobject_cast<BmpButtonImpl*>(widget))
            order << button->Name();
    }
    EXPECT_EQ(order, Names({"content", "text", "add", "done", "goHome"}));

    // The content's first field has the focus once the dialog shows.
    UserInput::Activate(dialog);
    EXPECT_EQ(QApplication::focusWidget(), content->edit);
}
