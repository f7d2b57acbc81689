// The user's own foods and recipes as a person makes them: "New Food..." and "New Recipe..." in
// the food lookup's menu, typed with the keys, found in "My Foods" and by the find field, an
// ingredient chosen in a nested lookup, and the food logged, summed and exported.
#include "PagesTestSupport.h"
#include "UserInput.h"

#include "controls/FindField.h"
#include "data/FoodItem.h"
#include "export/LogExporter.h"
#include "pages/FoodLogPage.h"
#include "pages/FoodLookupPage.h"
#include "pages/LookupModel.h"
#include "skin/DeviceScreen.h"
#include "views/OwnFoodDialog.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace UserInput;

namespace {

QAction* MenuCommand(LayoutBaseDialog& dialog, const QString& text)
{
    for (QAction* action : dialog.MenuBar()->actions().first()->menu()->actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

// Answers the dialog the next menu command opens.
template <class F> void Answer(F&& answer)
{
    QTimer::singleShot(0, [answer] {
        auto* dialog = qobject_cast<OwnFoodDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        Activate(*dialog);
        answer(*dialog);
    });
}

} // namespace

TEST_F(LookupPagesTest, MyFoodsAreMadeFoundLoggedAndExportedLikeReferenceFoods)
{
    DeviceScreen::Instance().SetSize(QSize(240, 320));
    FoodLookupPage lookup(m_session, false, false);
    Open(lookup, true);
    Activate(*m_dialog);
    QAction* newFood = MenuCommand(*m_dialog, QStringLiteral("New Food..."));
    ASSERT_NE(newFood, nullptr);

    QStringList problems;
    Answer([&problems](OwnFoodDialog& dialog) {
        // Every field and button fits the screen and has a name a screen reader says.
        for (QWidget* child : dialog.findChildren<QWidget*>()) {
            if (child->isVisible() && child->parentWidget() == &dialog) {
                EXPECT_TRUE(dialog.rect().contains(child->geometry()))
                    << child->metaObject()->className();
            }
        }
        for (QLineEdit* field : dialog.findChildren<QLineEdit*>()) {
            EXPECT_FALSE(
                QAccessible::queryAccessibleInterface(field)->text(QAccessible::Name).isEmpty());
        }
        Type(dialog, "Rye bread");
        Press(dialog, Qt::Key_Return); // no unit yet
        problems << dialog.Problem();  // and the unit's field has the focus
        Type(dialog, "slice");
        Press(dialog, Qt::Key_Tab);
        Type(dialog, "40");
        Press(dialog, Qt::Key_Tab);
        Press(dialog, Qt::Key_Tab);
        Press(dialog, Qt::Key_Tab); // to the calories
        Type(dialog, "2500");
        Press(dialog, Qt::Key_Return); // refused: past any food
        problems << dialog.Problem();
        EXPECT_TRUE(dialog.FigureField(Food::Calories)->hasFocus());
        Type(dialog, "250");
        Press(dialog, Qt::Key_Tab);
        Type(dialog, "3,5"); // fat, with a comma
        Press(dialog, Qt::Key_Return);
    });
    newFood->trigger();
    EXPECT_EQ(problems, QStringList({"Enter a unit the food is eaten in, such as slice or cup.",
                                     "Calories in 100 g must be at most 1000."}));

    // Shown and selected in "My Foods", the group after the favorites.
    GroupSelectContentControl* list = List(*m_dialog);
    EXPECT_EQ(list->GroupList(0)->currentText(), QStringLiteral("My Foods"));
    ASSERT_NE(list->ItemList()->currentItem(), nullptr);
    EXPECT_EQ(list->ItemList()->currentItem()->text(), QStringLiteral("Rye bread"));
    const std::optional<std::uint32_t> bread = lookup.Model()->SelectedRecord();
    ASSERT_TRUE(bread && OwnFoods::IsOwnId(*bread));
    EXPECT_EQ(m_store->References().FoodAt(*bread).numbers[Food::Fat], 3.5);
    Activate(*m_dialog);
    Press(*m_dialog, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(m_store->MyFoods().Find(*bread), nullptr);
    Press(*m_dialog, Qt::Key_Y, Qt::ControlModifier);
    ASSERT_NE(m_store->MyFoods().Find(*bread), nullptr);

    // A recipe: two servings of four slices and whatever the nested lookup offers first.
    Answer([this](OwnFoodDialog& dialog) {
        Type(dialog, "Toast for two");
        Press(dialog, Qt::Key_Tab);
        Press(dialog, Qt::Key_Backspace);
        Type(dialog, "2");
        Press(dialog, Qt::Key_Return);
        EXPECT_EQ(dialog.Problem(), QStringLiteral("Add the foods the recipe is made of."));
        EXPECT_TRUE(dialog.AddIngredientButton()->hasFocus());
        // The lookup opens on "My Foods" with the bread selected: Enter adds it.
        m_script.push_back([](LayoutBaseDialog& nested) {
            // Modal over the food's dialog, as running it would make it.
            nested.hide();
            nested.setWindowModality(Qt::ApplicationModal);
            Activate(nested);
            Press(nested, Qt::Key_Return);
        });
        Press(dialog, Qt::Key_Space);
        Activate(dialog); // back from the lookup
        ASSERT_EQ(dialog.Ingredients()->count(), 1);
        EXPECT_EQ(dialog.focusWidget(), dialog.AmountField()); // the amount is typed next
        Type(dialog, "4");
        EXPECT_EQ(dialog.Ingredients()->item(0)->text(), QStringLiteral("4 slice, Rye bread"));
        Press(dialog, Qt::Key_Return);
    });
    MenuCommand(*m_dialog, QStringLiteral("New Recipe..."))->trigger();
    const std::optional<std::uint32_t> toast = lookup.Model()->SelectedRecord();
    ASSERT_TRUE(toast && OwnFoods::IsOwnId(*toast) && *toast != *bread);
    EXPECT_EQ(list->ItemList()->count(), 2);

    // The find field finds own foods first, named with their group.
    QTest::keyClicks(list->ItemList(), "toast");
    ASSERT_GT(list->ItemList()->count(), 0);
    EXPECT_EQ(list->ItemList()->item(0)->text(), QStringLiteral("Toast for two — My Foods"));
    QTest::keyClick(list->Find(), Qt::Key_Escape);

    // Logged: the row, the day's sums and the export read them as they read reference foods.
    auto* item = Add<FoodItem>(m_store->FoodLog(), TimeBase::Today());
    item->SetFoodId(*toast);
    item->SetQuantityIndex(1);
    auto& log = Keep<FoodLogPage>();
    Open(log);
    ASSERT_EQ(log.GetRowCount(), 1);
    // A serving is half of 4 x 250 x 40 x 0.01 = 200 calories; two servings 400.
    EXPECT_EQ(
        QStringList({log.GetCellText({0, 0}), log.GetCellText({0, 2}), log.GetCellText({0, 3})}),
        QStringList({"Toast for two", "serving", "400"}));
    const std::vector<LogExporter::File> files = LogExporter(*m_store).Build();
    EXPECT_TRUE(files.front().data.contains(",Toast for two,My Foods,2,serving,,400,"))
        << files.front().data.toStdString();
    EXPECT_TRUE(files.back().data.contains("Rye bread,Food,slice,40,,,,,100 g,250,3.5,"))
        << files.back().data.toStdString();
    EXPECT_TRUE(
        files.back().data.contains("Toast for two,Recipe,,,,,2,4 slice Rye bread,serving,200,"))
        << files.back().data.toStdString();
}
