#include "controls/BmpButtonAccessible.h"
#include "controls/BmpButtonImpl.h"
#include "controls/BottomButtonsContainer.h"
#include "controls/ButtomNavigation.h"
#include "controls/RecordingListener.h"
#include "skin/SkinSettings.h"
#include "skin/TestArt.h"

#include <QAccessible>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Names of the bottom buttons and line edits in tab order, starting after `from`.
QStringList TabOrder(QWidget* from, int steps)
{
    QStringList names;
    for (QWidget* widget = from; steps-- > 0;) {
        widget = widget->nextInFocusChain();
        if (auto* button = qobject_cast<BmpButtonImpl*>(widget))
            names << button->Name();
        else if (auto* edit = qobject_cast<QLineEdit*>(widget))
            names << edit->objectName();
    }
    return names;
}

} // namespace

// Slots 1, 2, ... count from the left edge, 0, -1, ... from the right; the tab order follows.
TEST(BottomButtonsContainer, SlotsCountFromEitherEdgeInPlaceAndTabOrder)
{
    QWidget window;
    RecordingListener listener;
    auto* before = new QLineEdit(&window);
    auto* panel = new BottomButtonsContainer(&window);
    (new QLineEdit(&window))->setObjectName(QStringLiteral("after"));
    panel->resize(240, 22);
    panel->SetListener(&listener);
    for (const auto& [slot, name] : {std::pair{0, "done"}, {1, "add"}, {-1, "delete"}})
        panel->SetButton(slot, QString::fromLatin1(name));
    EXPECT_EQ(TabOrder(before, 5), Names({"add", "delete", "done", "after"}));
    panel->SetButton(2, QStringLiteral("fav"));
    EXPECT_EQ(TabOrder(before, 6), Names({"add", "fav", "delete", "done", "after"}));

    window.show();
    const auto x = [panel](int slot) { return panel->Button(slot)->x(); };
    EXPECT_EQ(x(1), 2);
    EXPECT_TRUE(x(1) < x(2) && x(2) < x(-1) && x(-1) < x(0));
    EXPECT_EQ(panel->Button(0)->geometry().right(), 237);
}

TEST(BottomButtonsContainer, SlotsAreReusedAndClearHidesAll)
{
    QWidget window;
    RecordingListener listener;
    auto* panel = new BottomButtonsContainer(&window);
    panel->SetListener(&listener);
    panel->SetSection(QStringLiteral("food"));
    panel->SetButton(1, QStringLiteral("add"));
    panel->SetButton(0, QStringLiteral("done"));
    window.show();
    BmpButtonImpl* add = panel->Button(1);
    EXPECT_EQ(add->Section(), QStringLiteral("food"));
    EXPECT_EQ(add->Listener(), &listener);

    panel->SetButton(1, QString());
    EXPECT_FALSE(add->isVisible());
    panel->SetButton(1, QStringLiteral("fav"));
    EXPECT_EQ(panel->Button(1), add);
    EXPECT_TRUE(add->isVisible());

    panel->Clear();
    EXPECT_FALSE(add->isVisible() || panel->Button(0)->isVisible());
    EXPECT_EQ(panel->findChildren<BmpButtonImpl*>().size(), 2);
    // Section and listener reach buttons made before they were set.
    panel->SetSection(QStringLiteral("journal"));
    panel->SetListener(nullptr);
    EXPECT_EQ(panel->Button(0)->Section(), QStringLiteral("journal"));
    EXPECT_EQ(add->Listener(), nullptr);
}

TEST(BottomButtonsContainer, PaintsTheSectionColourWithARoundedOutline)
{
    BottomButtonsContainer panel(nullptr);
    panel.resize(240, 22);
    panel.SetSection(QStringLiteral("food"));
    const QImage image = panel.grab().toImage();
    EXPECT_EQ(image.pixelColor(120, 11), QColor(0x00, 0x73, 0x00));
    EXPECT_EQ(image.pixelColor(0, 11), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(120, 21), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::white)); // outside the rounded corner
}

TEST(ButtomNavigation, FiveButtonsFillTheWidthAndPressesReachTheListener)
{
    ScopedTestArt art({3029});
    SkinSettings::Instance().Init(320, 240);
    QWidget window;
    RecordingListener listener;
    auto* nav = new ButtomNavigation(&window);
    nav->SetListener(&listener);
    window.resize(320, 30);
    nav->resize(320, 30);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QStringList names = {"goHome", "goProfile", "goJournal", "goFitness", "goFood"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(std::tuple(nav->Button(i)->Name(), nav->Button(i)->Section(),
                             nav->Button(i)->geometry()),
                  std::tuple(names[i], QString("nav"), QRect(64 * i, 0, 64, 30)));
    }

    SkinSettings::Instance().Init(240, 320);
    window.resize(240, 30);
    nav->resize(240, 30);
    EXPECT_EQ(nav->Button(4)->geometry(), QRect(192, 0, 48, 30));
    EXPECT_EQ(nav->grab().toImage().pixelColor(200, 15), TestArt::ColorOf(3029));
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, QPoint(200, 15));
    ASSERT_EQ(listener.names, Names({"goFood"}));
    EXPECT_EQ(listener.senders.front(), nav->Button(4));
}

// The navigation buttons' names are AccessibleTreeTest's, which walks every page.
TEST(ButtonPanels, ScreenReadersHearWhatEachButtonDoes)
{
    QWidget window;
    RecordingListener listener;
    auto* panel = new BottomButtonsContainer(&window);
    panel->SetSection(QStringLiteral("food"));
    panel->SetListener(&listener);
    auto* navigation = new ButtomNavigation(&window);
    navigation->SetListener(&listener);
    window.show();

    const std::tuple<int, const char*, const char*> bottom[] = {{1, "add", "Add"},
                                                                {2, "add.fav", "Add to Favorites"},
                                                                {-1, "delete", "Delete"},
                                                                {0, "done", "Done"}};
    for (const auto& [slot, name, words] : bottom) {
        panel->SetButton(slot, QString::fromLatin1(name));
        QAccessibleInterface* button = QAccessible::queryAccessibleInterface(panel->Button(slot));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(std::pair(button->role(), button->text(QAccessible::Name)),
                  std::pair(QAccessible::Button, QString::fromLatin1(words)));
        EXPECT_EQ(button->actionInterface()->actionNames(),
                  QStringList{QAccessibleActionInterface::pressAction()});
    }
    // The action presses the button as a tap does.
    QAccessible::queryAccessibleInterface(panel->Button(0))
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(listener.names, Names({"done"}));
    for (QWidget* strip : std::initializer_list<QWidget*>{panel, navigation}) {
        QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(strip);
        EXPECT_EQ(bar->role(), QAccessible::ToolBar);
        EXPECT_FALSE(bar->text(QAccessible::Name).isEmpty());
    }
    // A name no table row knows is still spoken as words.
    EXPECT_EQ(BmpButtonAccessible::SpokenName(QStringLiteral("food"), QStringLiteral("new.item")),
              QStringLiteral("New Item"));
}
