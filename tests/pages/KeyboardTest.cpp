#include "PagesTestSupport.h"
#include "UserInput.h"

#include "controls/DayPicker.h"
#include "controls/GridEnumCellControl.h"
#include "controls/GridListView.h"
#include "controls/TitleBarControl.h"
#include "data/FoodItem.h"
#include "data/ItemGroup.h"
#include "data/ReferenceDatabases.h"
#include "pages/FoodLogPage.h"
#include "pages/LookupModel.h"
#include "pages/LookupPage.h"
#include "vocabulary/Events.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>

// The log and lookup pages driven by keys as a user presses them.
namespace {

using namespace UserInput;

class KeyboardTest : public LookupPagesTest
{
protected:
    // Shows the food log with that many foods of today in the window the keys go to.
    void OpenActive(int foods = 0)
    {
        const std::uint32_t food = m_store->References().FoodListAt(1, 0)->RecordAt(0);
        for (int i = 0; i < foods; ++i)
            Add<FoodItem>(m_store->FoodLog(), TimeBase::Today())->SetReference(food);
        Open(m_page, true);
        Activate(*m_dialog);
    }
    // Whether the focus ring shows on the left edge of the widget, halfway down `area`.
    static bool RingDrawn(QWidget& widget, const QRect& area)
    {
        return widget.grab().toImage().pixelColor(area.left(), area.center().y()) ==
               widget.palette().color(QPalette::Highlight);
    }
    GridListView* Grid() const { return m_dialog->Content()->findChild<GridListView*>(); }

    FoodLogPage& m_page = Keep<FoodLogPage>();
};

// Typing a name and Enter, which adds the first found, is FindInLookupTest's.
TEST_F(KeyboardTest, EnterInTheLookupAddsTheHighlightedItem)
{
    OpenActive();
    std::optional<std::uint32_t> chosen;
    m_script = {[&](LayoutBaseDialog& nested) {
        Activate(nested);
        Press(nested, Qt::Key_Down);
        chosen = dynamic_cast<LookupPage&>(*nested.CurrentPage()).Model()->SelectedRecord();
        Press(nested, Qt::Key_Return);
    }};
    m_dialog->OnEvent(Events::kAdd, nullptr);

    EXPECT_EQ(m_subPages, Names({"food.lookup"})); // no details on the way
    ASSERT_EQ(m_store->FoodLog().Count(), 1);
    EXPECT_EQ(m_store->FoodLog().ItemAt<FoodItem>(0)->Reference(), chosen);
}

TEST_F(KeyboardTest, SpaceArrowsAndEnterChooseThePortionsWithoutDetails)
{
    OpenActive(1);
    ASSERT_TRUE(Grid()->hasFocus());
    // The current cell is the name's: Space opens the row's portions.
    Press(*m_dialog, Qt::Key_Space);
    auto* portions = m_dialog->Content()->findChild<GridEnumCellControl*>();
    ASSERT_TRUE(portions->view()->isVisible());
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Return})
        Press(*m_dialog, key);

    EXPECT_FALSE(portions->isVisible());
    EXPECT_EQ(m_page.GetCellText({0, 1}), QStringLiteral("3"));
    EXPECT_TRUE(m_subPages.isEmpty());
    EXPECT_TRUE(Grid()->hasFocus());
}

// Up and Down move the row inside the grid and leave it at its ends, for the title bar above and
// the buttons below.
TEST_F(KeyboardTest, ArrowsMoveTheRowAndLeaveTheGridAtItsEnds)
{
    OpenActive(2);
    ASSERT_TRUE(Grid()->hasFocus());
    Press(*m_dialog, Qt::Key_Down);
    EXPECT_EQ(std::pair(Grid()->hasFocus(), m_page.GetSelectedRow()), std::pair(true, 1));
    Press(*m_dialog, Qt::Key_Down);
    EXPECT_TRUE(m_dialog->BottomPanel()->isAncestorOf(QApplication::focusWidget()));
    Grid()->setFocus();
    Press(*m_dialog, Qt::Key_Up);
    EXPECT_EQ(std::pair(Grid()->hasFocus(), m_page.GetSelectedRow()), std::pair(true, 0));
    Press(*m_dialog, Qt::Key_Up);
    EXPECT_TRUE(m_dialog->TitleBar()->isAncestorOf(QApplication::focusWidget()));
}

TEST_F(KeyboardTest, TabLeavesTheDateWithTheDateUnchanged)
{
    OpenActive();
    DayPicker* date = m_dialog->TitleBar()->DatePicker();
    const QDate day = date->date();
    for (const Qt::KeyboardModifiers modifiers : {Qt::NoModifier, Qt::ShiftModifier}) {
        date->setFocus(Qt::TabFocusReason);
        Press(*m_dialog, Qt::Key_Tab, modifiers);
        EXPECT_FALSE(date->hasFocus()) << modifiers;
        EXPECT_EQ(std::pair(date->date(), m_page.Day()), std::pair(day, TimeBase::Today()));
    }
}

// A desktop keyboard has no Select key, Qt's only way into the calendar.
TEST_F(KeyboardTest, F4OrAltDownOpensTheDatesCalendarAndEscapeClosesIt)
{
    OpenActive();
    DayPicker* date = m_dialog->TitleBar()->DatePicker();
    const QDate day = date->date();
    for (const auto& [key, modifiers] :
         {std::pair(Qt::Key_F4, Qt::KeyboardModifiers()),
          std::pair(Qt::Key_Down, Qt::KeyboardModifiers(Qt::AltModifier))}) {
        date->setFocus(Qt::TabFocusReason);
        Press(*m_dialog, key, modifiers);
        QWidget* calendar = date->calendarWidget()->window();
        EXPECT_TRUE(QTest::qWaitFor([&] { return calendar->isVisible(); }, 2000)) << key;
        QTest::keyClick(calendar->windowHandle(), Qt::Key_Escape);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !calendar->isVisible(); }, 2000)) << key;
        EXPECT_EQ(date->date(), day) << key;
    }
}

TEST_F(KeyboardTest, ClosingASubPageGivesTheFocusBackAndItIsDrawn)
{
    OpenActive(1);
    // A look-up only: Enter shows the details; Escape closes each.
    m_script = {[&](LayoutBaseDialog& lookup) {
                    Activate(lookup);
                    QListWidget* items = List(lookup)->ItemList();
                    Press(lookup, Qt::Key_Return);
                    ASSERT_TRUE(QTest::qWaitForWindowActive(&lookup));
                    EXPECT_TRUE(items->hasFocus());
                    EXPECT_TRUE(RingDrawn(*items, items->rect()));
                    Press(lookup, Qt::Key_Escape);
                },
                [&](LayoutBaseDialog& details) {
                    Activate(details);
                    Press(details, Qt::Key_Escape);
                }};
    m_dialog->OnEvent(Events::kLookup, nullptr);

    EXPECT_EQ(m_subPages, Names({"food.lookup", "food.details"}));
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_dialog.get()));
    EXPECT_TRUE(Grid()->hasFocus());
    EXPECT_TRUE(RingDrawn(*Grid(), Grid()->viewport()->geometry()));
}

} // namespace
