#include "TestSupport.h"
#include "app/Application.h"
#include "app/HomeDialog.h"
#include "app/TestPages.h"
#include "controls/BmpButtonImpl.h"
#include "controls/BottomButtonsContainer.h"
#include "controls/ControlsRegistration.h"
#include "controls/JournalItemDetailsCtrl.h"
#include "data/JournalItem.h"
#include "data/UserDatabase.h"
#include "dialogs/LayoutBaseDialog.h"
#include "views/BlogViewsRegistration.h"
#include "views/BloggerEditorContentControl.h"
#include "views/FitnessViewsRegistration.h"
#include "views/ProfileEditorContentControl.h"
#include "vocabulary/Events.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>

namespace {

// A modal window's name in a script: a page's name, "home", any other window's title.
QString NameOf(QWidget* modal)
{
    if (qobject_cast<HomeDialog*>(modal))
        return QStringLiteral("home");
    if (auto* dialog = qobject_cast<LayoutBaseDialog*>(modal))
        return dialog->CurrentPage() ? dialog->CurrentPage()->GetName() : QString();
    return modal->windowTitle();
}

using Act = std::function<void(QWidget* modal)>;
struct Step
{
    QString modal;
    Act act;
};

// Runs the program through the steps, each acting on the modal window it names as it comes up,
// from the event loop so that the dialogs it opens nest as they do for a user. Other windows met
// on the way but the home screen and the pages (a tip, help) are closed, and once the steps are
// done every window is, as the window manager closes it; a hang ends the program. The names of
// the steps taken.
QStringList RunScript(Application& app, const std::vector<Step>& script)
{
    QStringList taken;
    QWidget* handled = nullptr;
    qsizetype handledAt = -1;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || (modal == handled && taken.size() == handledAt))
            return;
        handled = modal;
        handledAt = taken.size();
        QTimer::singleShot(0, modal, [&, modal] {
            const bool done = taken.size() == qsizetype(script.size());
            if (!done && NameOf(modal) == script[size_t(taken.size())].modal) {
                taken << NameOf(modal);
                script[size_t(taken.size() - 1)].act(modal);
            } else if (done || !(qobject_cast<HomeDialog*>(modal) ||
                                 qobject_cast<LayoutBaseDialog*>(modal))) {
                modal->windowHandle()->close();
            }
        });
    });
    driver.start(20);
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        ADD_FAILURE() << "hung at " << taken.join(u',').toStdString();
        app.RequestShutdown();
    });
    watchdog.start(20000);
    EXPECT_EQ(app.Run(), 0);
    TestSupport::ResumeEventLoops();
    return taken;
}

// A data folder past the disclaimer; `complete` spares the profile page, `seen` the blog account
// page.
void Prepare(const QTemporaryDir& dir, bool complete, bool seen)
{
    UserDatabase store({dir.path(), {QCoreApplication::applicationDirPath()}});
    if (complete)
        CompleteProfile(store.Profile());
    store.Profile().SetFlags(seen ? UserProfile::kBlogAccountSeen : 0);
    store.Profile().SetLaunchCount(1);
    store.Settings().SetTipDay(TimeBase::Today());
    store.SaveProfile();
}

StartupOptions In(const QTemporaryDir& dir)
{
    StartupOptions options;
    options.dataDir = dir.path();
    return options;
}

// Counts the windows shown, by title.
class ShownWindows final : public QObject
{
public:
    ShownWindows() { QCoreApplication::instance()->installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow())
            titles << static_cast<QWidget*>(watched)->windowTitle();
        return false;
    }
    QStringList titles;
};

} // namespace

// What is being typed is saved as "done" would save it when a signal or the session's end ends
// the program, or when the window manager closes the page; nothing is asked on the way.
TEST(EndToEnd, WhatIsTypedSurvivesSignalsTheSessionsEndAndClosedWindows)
{
    RegisterControlContent();
    RegisterFitnessContent();
    RegisterBlogContent();
    const auto content = [](QWidget* modal) {
        return qobject_cast<LayoutBaseDialog*>(modal)->Content();
    };
    const auto press = [](int slot) {
        return [slot](QWidget* modal) {
            QTest::mouseClick(qobject_cast<LayoutBaseDialog*>(modal)->BottomPanel()->Button(slot),
                              Qt::LeftButton);
        };
    };
    const Act openJournal = [](QWidget* home) {
        QTest::mouseClick(static_cast<HomeDialog*>(home)->Button(Events::kJournal), Qt::LeftButton);
    };
    const Act close = [](QWidget* window) { window->windowHandle()->close(); };
    const Act typeEntry = [&](QWidget* modal) {
        auto* details = qobject_cast<JournalItemDetailsCtrl*>(content(modal));
        QTest::keyClicks(details->SubjectField(), QStringLiteral("Run"));
        QTest::keyClicks(details->BodyField(), QStringLiteral("5 km"));
        QTest::keyClick(details->BodyField(), Qt::Key_Return);
        QTest::keyClicks(details->BodyField(), QStringLiteral("felt good"));
    };
    const Act typeProfile = [&](QWidget* modal) {
        auto* editor = qobject_cast<ProfileEditorContentControl*>(content(modal));
        QTest::keyClicks(editor->NameField(), QStringLiteral("Ann"));
        editor->AgeField()->selectAll();
        QTest::keyClicks(editor->AgeField(), QStringLiteral("42"));
    };
    const Act typeAccount = [&](QWidget* modal) {
        auto* editor = qobject_cast<BloggerEditorContentControl*>(content(modal));
        QTest::keyClicks(editor->BlogNameField(), QStringLiteral("myblog"));
        QTest::keyClicks(editor->EmailField(), QStringLiteral("joe@example.com"));
        QTest::keyClicks(editor->PasswordField(), QStringLiteral("pw"));
    };
    const Act typeNothing = [](QWidget*) {};

    using Check = std::function<void(UserDatabase&)>;
    const Check entryKept = [](UserDatabase& store) {
        ASSERT_EQ(store.Journal().Count(), 1);
        const auto* entry = store.Journal().ItemAt<JournalItem>(0);
        EXPECT_EQ(QStringList({entry->Subject(), entry->Body()}),
                  QStringList({"Run", "5 km\r\nfelt good"}));
    };
    const Check profileKept = [](UserDatabase& store) {
        EXPECT_EQ(std::pair(store.Profile().GetUserName(), store.Profile().GetAge()),
                  std::pair(QString("Ann"), 42));
    };
    const Check accountKept = [](UserDatabase& store) {
        const UserProfile& p = store.Profile();
        EXPECT_EQ(QStringList({p.BlogName(), p.BlogEmail(), p.BlogPassword()}),
                  QStringList({"myblog", "joe@example.com", "pw"}));
        EXPECT_EQ(p.Flags(), UserProfile::kBlogAccountSeen | UserProfile::kJournalFlag);
    };
    const Check onlySeen = [](UserDatabase& store) {
        EXPECT_EQ(std::pair(store.Profile().BlogName(), store.Profile().Flags()),
                  std::pair(QString(), UserProfile::kBlogAccountSeen));
    };

    // Where the typing happens, how it is reached, and what must be stored after; a "Formats
    // Error" box is shown only where it is the window typed into.
    struct Form
    {
        const char* name;
        bool complete, seen;
        std::vector<Step> reach;
        QString window;
        Act type;
        Check check;
    };
    const std::vector<Step> toEntry{{"home", openJournal}, {"goJournal", press(1)}};
    const std::vector<Step> toAccount{{"profile", close}}; // the blog account page follows
    const std::vector<Step> toBox{{"profile", close}, {"blogger", press(0)}};
    const Form forms[] = {
        {"journal entry", true, true, toEntry, "journal.entry", typeEntry, entryKept},
        {"profile", false, true, {}, "profile", typeProfile, profileKept},
        {"blog account", false, false, toAccount, "blogger", typeAccount, accountKept},
        {"empty blog account", false, false, toAccount, "blogger", typeNothing, onlySeen},
        {"empty blog account's box", false, false, toBox, "Formats Error", typeNothing, onlySeen},
    };
    const std::pair<const char*, Act> endings[] = {
        {"SIGTERM", [](QWidget*) { std::raise(SIGTERM); }},
        {"the session's end",
         [](QWidget*) {
             QEvent quit(QEvent::Quit); // the session manager's "die"
             QCoreApplication::sendEvent(QCoreApplication::instance(), &quit);
         }},
        {"closing the windows", close}};
    for (const Form& form : forms) {
        for (const auto& [ending, end] : endings) {
            SCOPED_TRACE(::testing::Message() << form.name << ", " << ending);
            QTemporaryDir dir;
            Prepare(dir, form.complete, form.seen);
            std::vector<Step> script = form.reach;
            script.push_back({form.window, [&form, &end](QWidget* modal) {
                                  form.type(modal);
                                  end(modal);
                              }});
            ShownWindows shown;
            {
                Application app(In(dir), QCoreApplication::applicationFilePath());
                app.endProcess = [](int code) { ADD_FAILURE() << "cut short: " << code; };
                EXPECT_EQ(RunScript(app, script).size(), qsizetype(script.size()));
            }
            EXPECT_EQ(shown.titles.count(QStringLiteral("Formats Error")),
                      form.window == QStringLiteral("Formats Error") ? 1 : 0);
            UserDatabase store({dir.path(), {QCoreApplication::applicationDirPath()}});
            form.check(store);
        }
    }
}

// A modal loop that does not heed the end (a native dialog's, say) is cut short: the store is
// written first, and the exit code tells the signal.
TEST(EndToEnd, ALoopThatIgnoresTheEndIsCutShortOnceTheStoreIsWritten)
{
    QTemporaryDir dir;
    Prepare(dir, true, true);
    Application app(In(dir), QCoreApplication::applicationFilePath());
    int ended = 0;
    QByteArray written;
    app.endProcess = [&](int code) {
        ended = code;
        written = TestSupport::ReadFile(app.Store()->UserFilePath());
    };
    RunScript(app, {{QStringLiteral("home"), [&](QWidget*) {
                         app.Store()->Profile().SetUserName(QStringLiteral("Zed"));
                         app.Store()->SaveProfile();
                         std::raise(SIGTERM);
                         EXPECT_TRUE(QTest::qWaitFor([&] { return ended != 0; }, 10000));
                     }}});
    EXPECT_EQ(ended, 128 + SIGTERM);
    EXPECT_TRUE(written.contains("Zed"));
}
