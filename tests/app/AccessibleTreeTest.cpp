#include "app/HomeDialog.h"
#include "app/TestPages.h"
#include "blog/BlogViewsRegistration.h"
#include "controls/ControlsRegistration.h"
#include "data/UserDatabase.h"
#include "dialogs/LayoutBaseDialog.h"
#include "fitness/FitnessViewsRegistration.h"
#include "pages/AllPages.h"
#include "skin/AboutDialog.h"
#include "skin/DeviceScreen.h"
#include "skin/HelpDialog.h"
#include "skin/HelpIndexDialog.h"
#include "skin/PreferencesDialog.h"
#include "vocabulary/Events.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

bool IsControl(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::Button:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::List:
    case QAccessible::Table:
    case QAccessible::Tree:
        return true;
    default:
        return false;
    }
}

// The controls a screen reader finds under `window` with nothing to call them by, as
// "window: ClassName objectName".
QStringList Unnamed(QWidget* window)
{
    QStringList found;
    const std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* node) {
        if (!node || !node->isValid())
            return;
        if (IsControl(node->role()) && node->text(QAccessible::Name).trimmed().isEmpty()) {
            const QObject* object = node->object();
            const QString what = object ? QString::fromLatin1(object->metaObject()->className()) +
                                              u' ' + object->objectName()
                                        : QStringLiteral("role %1").arg(int(node->role()));
            found << window->objectName() + QStringLiteral(": ") + what;
        }
        for (int i = 0; i < node->childCount(); ++i)
            walk(node->child(i));
    };
    walk(QAccessible::queryAccessibleInterface(window));
    return found;
}

class AccessibleTreeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        DeviceScreen::Instance().SetSize(QSize(240, 320));
        RegisterControlContent();
        RegisterFitnessContent();
        RegisterBlogContent();
        m_store = std::make_unique<UserDatabase>(
            DatabaseFolders{m_dir.path(), {QCoreApplication::applicationDirPath()}});
        CompleteProfile(m_store->Profile());
    }
    void TearDown() override
    {
        m_store.reset();
        DeviceScreen::Instance().SetSize(DeviceScreen::kDefaultSize);
    }

    // Walks the window, named after what it shows.
    void Check(QWidget& window, const QString& name)
    {
        window.setObjectName(name);
        window.show();
        m_unnamed << Unnamed(&window);
        ++m_walked;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<UserDatabase> m_store;
    RecordingDialogs m_dialogs;
    QStringList m_unnamed;
    int m_walked = 0;
};

} // namespace

TEST_F(AccessibleTreeTest, EveryControlOfEveryWindowHasAName)
{
    auto pages = MakeAllPages();
    std::vector<Page*> shown;
    for (const auto& page : pages)
        shown.push_back(page.get());
    HomeDialog home(*m_store, std::move(pages), m_dialogs);
    home.runPageDialog = [](LayoutBaseDialog&) {};
    Check(home, QStringLiteral("home"));

    // Each page with the sub-pages its "add" opens (a lookup, whose first item's details follow,
    // or a journal entry).
    for (Page* page : shown) {
        LayoutBaseDialog dialog(nullptr, &m_dialogs);
        dialog.runSubPageDialog = [this](LayoutBaseDialog& nested) {
            Check(nested, nested.CurrentPage()->GetName());
            nested.OnEvent(Events::kItemActivated, nullptr);
        };
        dialog.SetPage(page);
        Check(dialog, page->GetName());
        dialog.OnEvent(Events::kAdd, nullptr);
        dialog.SetPage(nullptr);
    }

    PreferencesDialog preferences(m_store->Profile(), m_store->Settings(), nullptr);
    Check(preferences, QStringLiteral("preferences"));
    HelpIndexDialog index(nullptr);
    Check(index, QStringLiteral("help index"));
    HelpDialog help(11, nullptr);
    Check(help, QStringLiteral("help"));
    AboutDialog about(nullptr);
    Check(about, QStringLiteral("about"));

    EXPECT_TRUE(m_unnamed.isEmpty()) << m_unnamed.join(u'\n').toStdString();
    // Home, eight pages, two lookups and two details, the journal entry, four dialogs.
    EXPECT_EQ(m_walked, 18);
}
