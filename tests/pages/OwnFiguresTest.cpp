// The user's own figures as a person gives them: "Quick Add..." on the food log and "My
// Calories..." on the fitness log, through the menu and the keys, with a refused figure, the
// rows, the day's sums, the export and Undo.
#include "PagesTestSupport.h"
#include "UserInput.h"

#include "data/DaySummaries.h"
#include "data/DaySummary.h"
#include "data/FitnessItem.h"
#include "data/FoodItem.h"
#include "export/LogExporter.h"
#include "pages/FitnessLogPage.h"
#include "pages/FoodLogPage.h"
#include "skin/DeviceScreen.h"
#include "views/OwnCaloriesDialog.h"
#include "views/QuickAddDialog.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

using namespace UserInput;

TEST_F(LookupPagesTest, QuickAddLogsAFoodByItsFiguresAndOneUndoTakesItBack)
{
    for (const QSize size : {QSize(240, 320), QSize(320, 240)}) {
        DeviceScreen::Instance().SetSize(size);
        QuickAddDialog dialog;
        dialog.show();
        QCoreApplication::processEvents();
        for (QWidget* child : dialog.findChildren<QWidget*>()) {
            if (child->isVisible()) {
                EXPECT_TRUE(dialog.rect().contains(child->geometry()))
                    << child->objectName().toStdString() << " at " << size.width();
            }
        }
        for (int i = 0; i < 5; ++i)
            EXPECT_FALSE(QAccessible::queryAccessibleInterface(dialog.Field(i))
                             ->text(QAccessible::Name)
                             .isEmpty());
    }

    DeviceScreen::Instance().SetSize(QSize(240, 320));

    auto& food = Keep<FoodLogPage>();
    Open(food);
    Activate(*m_dialog);
    QMenu* menu = m_dialog->MenuBar()->actions().first()->menu();
    QAction* quickAdd = menu->actions().last();
    ASSERT_EQ(quickAdd->text(), QStringLiteral("Quick Add..."));

    QStringList problems;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QuickAddDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        Activate(*dialog);
        Press(*dialog, Qt::Key_Return); // nothing typed
        problems << dialog->Problem();
        Type(*dialog, "Soup of the day");
        Press(*dialog, Qt::Key_Tab);
        Type(*dialog, "99999"); // refused past 10000
        Press(*dialog, Qt::Key_Return);
        problems << dialog->Problem();
        dialog->Field(1)->clear();
        Type(*dialog, "240");
        Press(*dialog, Qt::Key_Tab);
        Type(*dialog, "7,5");
        Press(*dialog, Qt::Key_Return);
    });
    quickAdd->trigger();
    EXPECT_EQ(problems,
              QStringList({"Enter a name for the food.", "Calories must be at most 10000."}));
    ASSERT_EQ(food.GetRowCount(), 1);
    EXPECT_EQ(QStringList({food.GetCellText({0, 0}), food.GetCellText({0, 1}),
                           food.GetCellText({0, 2}), food.GetCellText({0, 3})}),
              QStringList({"Soup of the day", "1", "serving", "240"}));
    // Two portions count twice in the day's sums, and the export carries the entry.
    food.SetChoice({0, 1}, 1);
    ItemList summaries(DaySummaryKind);
    BuildDaySummaries(*m_store, summaries, m_store->References().Values());
    ASSERT_EQ(summaries.Count(), 1);
    EXPECT_EQ(summaries.ItemAt<DaySummary>(0)->Value(DaySummary::NetCalories), 480);
    const QByteArray foods = LogExporter(*m_store).Build().front().data;
    EXPECT_TRUE(foods.contains(",Soup of the day,Quick Add,2,serving,,480,"))
        << foods.toStdString();

    Activate(*m_dialog);
    Press(*m_dialog, Qt::Key_Z, Qt::ControlModifier); // the portion
    Press(*m_dialog, Qt::Key_Z, Qt::ControlModifier); // the quick add, entry and item
    EXPECT_EQ(std::tuple(food.GetRowCount(), m_store->FoodLog().Count(), m_store->Quick().Count()),
              std::tuple(0, 0, 0));
}

TEST_F(LookupPagesTest, MyCaloriesCountInsteadOfTheWorkedOutFigureUntilCleared)
{
    Add<FitnessItem>(m_store->FitnessLog(), TimeBase::Today())->SetExerciseId(1);
    auto& fitness = Keep<FitnessLogPage>();
    Open(fitness);
    Activate(*m_dialog);
    const QString figure = fitness.GetCellText({0, 2});
    QMenu* menu = m_dialog->MenuBar()->actions().first()->menu();
    QAction* mine = menu->actions().last();
    ASSERT_EQ(mine->text(), QStringLiteral("My Calories..."));
    const auto answer = [](const char* typed) {
        QTimer::singleShot(0, [typed] {
            auto* dialog = qobject_cast<OwnCaloriesDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            Activate(*dialog);
            Press(*dialog, Qt::Key_Backspace);
            Type(*dialog, typed);
            Press(*dialog, Qt::Key_Return);
            if (dialog->isVisible()) { // refused: says why, then gives up
                EXPECT_EQ(dialog->Problem(), QStringLiteral("Calories must be at most 5000."));
                Press(*dialog, Qt::Key_Escape);
            }
        });
    };
    answer("321");
    mine->trigger();
    EXPECT_EQ(fitness.GetCellText({0, 2}), QStringLiteral("321"));
    ItemList summaries(DaySummaryKind);
    BuildDaySummaries(*m_store, summaries, m_store->References().Values());
    EXPECT_EQ(summaries.ItemAt<DaySummary>(0)->Value(DaySummary::NetCalories), -321);
    answer("99999");
    mine->trigger();
    EXPECT_EQ(fitness.GetCellText({0, 2}), QStringLiteral("321"));
    answer(""); // empty: the worked-out figure again
    mine->trigger();
    EXPECT_EQ(fitness.GetCellText({0, 2}), figure);
    Activate(*m_dialog);
    Press(*m_dialog, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(fitness.GetCellText({0, 2}), QStringLiteral("321"));
}
