#include "app/HomeDialog.h"
#include "app/TestPages.h"
#include "commands/UserEdits.h"
#include "controls/ControlsRegistration.h"
#include "data/UserDatabase.h"
#include "dialogs/LayoutBaseDialog.h"
#include "pages/AllPages.h"
#include "skin/AboutDialog.h"
#include "skin/HelpDialog.h"
#include "skin/HelpIndexDialog.h"
#include "skin/PreferencesDialog.h"
#include "views/BlogViewsRegistration.h"
#include "views/FitnessViewsRegistration.h"
#include "vocabulary/Events.h"
#include "vocabulary/Session.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>

namespace {

// What a screen reader finds under a window that a person operates yet cannot call by a name,
// as "window: ClassName objectName".
void CollectUnnamed(QAccessibleInterface* node, const QString& window, QStringList& found)
{
    static const std::set<QAccessible::Role> kControls{
        QAccessible::Button,       QAccessible::ButtonMenu,  QAccessible::ButtonDropDown,
        QAccessible::CheckBox,     QAccessible::RadioButton, QAccessible::ComboBox,
        QAccessible::EditableText, QAccessible::SpinBox,     QAccessible::List,
        QAccessible::Table,        QAccessible::Tree};
    if (!node || !node->isValid())
        return;
    if (kControls.contains(node->role()) && node->text(QAccessible::Name).trimmed().isEmpty()) {
        const QObject* object = node->object();
        found << window + QStringLiteral(": ") +
                     (object ? QString::fromLatin1(object->metaObject()->className()) + u' ' +
                                   object->objectName()
                             : QString::number(node->role()));
    }
    for (int i = 0; i < node->childCount(); ++i)
        CollectUnnamed(node->child(i), window, found);
}

} // namespace

// Every page as the program shows it, with the sub-pages "add" opens (a lookup, then its first
// item's details, or a journal entry), and the small dialogs.
TEST(AccessibleTree, EveryControlOfEveryWindowHasAName)
{
    RegisterControlContent();
    RegisterFitnessContent();
    RegisterBlogContent();
    QTemporaryDir dir;
    Session session;
    session.Open(std::make_unique<UserDatabase>(
        DatabaseFolders{dir.path(), {QCoreApplication::applicationDirPath()}}));
    UserDatabase& store = *session.Store();
    CompleteProfile(store.Profile());
    RecordingDialogs dialogs;
    QStringList walked;
    QStringList unnamed;
    const auto walk = [&](QWidget& window, const QString& name) {
        window.show();
        walked << name;
        CollectUnnamed(QAccessible::queryAccessibleInterface(&window), name, unnamed);
    };

    auto owned = MakeAllPages(session);
    std::vector<Page*> pages;
    for (const auto& page : owned)
        pages.push_back(page.get());
    HomeDialog home(session, std::move(owned), dialogs);
    walk(home, QStringLiteral("home"));
    for (Page* page : pages) {
        LayoutBaseDialog dialog(nullptr, &dialogs, &session.Edits()->Stack());
        dialog.runSubPageDialog = [&](LayoutBaseDialog& nested) {
            walk(nested, nested.CurrentPage()->GetName());
            nested.OnEvent(Events::kItemActivated, nullptr);
        };
        dialog.SetPage(page);
        walk(dialog, page->GetName());
        dialog.OnEvent(Events::kAdd, nullptr);
        dialog.SetPage(nullptr);
    }
    PreferencesDialog preferences(store.Profile(), store.Settings(), nullptr);
    walk(preferences, QStringLiteral("preferences"));
    HelpIndexDialog index(nullptr);
    walk(index, QStringLiteral("help index"));
    HelpDialog help(11, store.References().Texts(), nullptr);
    walk(help, QStringLiteral("help"));
    AboutDialog about(nullptr);
    walk(about, QStringLiteral("about"));

    EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(u'\n').toStdString();
    EXPECT_EQ(walked.join(u' ').toStdString(),
              "home goFitness fitness.lookup fitness.details goFood food.lookup food.details "
              "goJournal journal.entry profile goals results daily.chart blogger preferences "
              "help index help about");
}
