#include "LookupTestSupport.h"

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
#include <QTest>

#include <optional>

// The log and lookup pages driven by keys as a user presses them: each goes to the window, which
// hands it to its focus widget or to the drop-down open over it.
namespace {

class KeyboardTest : public LookupPagesTest
{
protected:
    // The dialog goes first: its focus leaves the grid of the page as it closes.
    ~KeyboardTest() override { m_dialog.reset(); }

    // Shows the food log in the window the keys go to.
    void OpenActive()
    {
        Open(m_page, true);
        Activate(*m_dialog);
    }
    static void Activate(QWidget& window)
    {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    static void Press(QWidget& window, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(window.windowHandle(), key, modifiers);
    }
    static void Type(QWidget& window, const char* text)
    {
        for (; *text; ++text)
            QTest::keyClick(window.windowHandle(), *text);
    }
    // Whether the focus ring shows on the left edge of the widget, halfway down `area`.
    static bool RingDrawn(QWidget& widget, const QRect& area)
    {
        return widget.grab().toImage().pixelColor(area.left(), area.center().y()) ==
               widget.palette().color(QPalette::Highlight);
    }
    static std::optional<std::uint32_t> Selected(LayoutBaseDialog& lookup)
    {
        return dynamic_cast<LookupPage&>(*lookup.CurrentPage()).Model()->SelectedRecord();
    }
    std::uint32_t AddTodaysFood()
    {
        const std::uint32_t food = m_store->References().FoodListAt(1, 0)->RecordAt(0);
        Add<FoodItem>(m_store->FoodLog(), TimeBase::Today())->SetReference(food);
        return food;
    }
    GridListView* Grid() const { return m_dialog->Content()->findChild<GridListView*>(); }

    FoodLogPage m_page;
};

TEST_F(KeyboardTest, EnterInTheLookupAddsTheHighlightedItemOrTheFirstFound)
{
    OpenActive();
    std::vector<std::uint32_t> chosen;
    m_script = {[&](LayoutBaseDialog& nested) {
                    Activate(nested);
                    Press(nested, Qt::Key_Down);
                    chosen.push_back(Selected(nested).value());
                    Press(nested, Qt::Key_Return);
                },
                [&](LayoutBaseDialog& nested) {
                    Activate(nested);
                    Type(nested, "egg white");
                    chosen.push_back(Selected(nested).value());
                    Press(nested, Qt::Key_Return);
                }};
    m_dialog->OnEvent(Events::kAdd, nullptr);
    m_dialog->OnEvent(Events::kAdd, nullptr);

    EXPECT_EQ(m_subPages, Names({"food.lookup", "food.lookup"})); // no details on the way
    ASSERT_EQ(m_store->FoodLog().Count(), 2);
    EXPECT_EQ(std::vector<std::uint32_t>({m_store->FoodLog().ItemAt<FoodItem>(0)->Reference(),
                                          m_store->FoodLog().ItemAt<FoodItem>(1)->Reference()}),
              chosen);
}

TEST_F(KeyboardTest, SpaceArrowsAndEnterChooseThePortionsWithoutDetails)
{
    AddTodaysFood();
    OpenActive();
    GridListView* grid = Grid();
    ASSERT_TRUE(grid->hasFocus());
    // The current cell is the name's: Space opens the row's portions.
    Press(*m_dialog, Qt::Key_Space);
    auto* portions = m_dialog->Content()->findChild<GridEnumCellControl*>();
    ASSERT_TRUE(portions->view()->isVisible());
    Press(*m_dialog, Qt::Key_Down);
    Press(*m_dialog, Qt::Key_Down);
    Press(*m_dialog, Qt::Key_Return);

    EXPECT_FALSE(portions->isVisible());
    EXPECT_EQ(m_store->FoodLog().ItemAt<FoodItem>(0)->QuantityIndex(), 2);
    EXPECT_EQ(m_page.GetCellText({0, 1}), QStringLiteral("3"));
    EXPECT_TRUE(m_subPages.isEmpty());
    EXPECT_TRUE(grid->hasFocus());
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

TEST_F(KeyboardTest, ClosingASubPageGivesTheFocusBackAndItIsDrawn)
{
    AddTodaysFood();
    OpenActive();
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
    GridListView* grid = Grid();
    EXPECT_TRUE(grid->hasFocus());
    EXPECT_TRUE(RingDrawn(*grid, grid->viewport()->geometry()));
}

} // namespace
