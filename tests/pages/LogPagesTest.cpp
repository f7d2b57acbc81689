#include "PagesTestSupport.h"

#include "controls/BmpButtonImpl.h"
#include "controls/BottomButtonsContainer.h"
#include "controls/GridListView.h"
#include "data/FitnessItem.h"
#include "data/FoodItem.h"
#include "pages/ExerciseLookupPage.h"
#include "pages/FitnessLogPage.h"
#include "pages/FoodLogPage.h"
#include "pages/FoodLookupPage.h"
#include "pages/LookupModel.h"
#include "views/FitnessDetailsContentControl.h"
#include "views/FoodDetailsContentControl.h"
#include "vocabulary/Events.h"

#include <QLabel>

namespace {

class LogPagesTest : public LookupPagesTest
{
protected:
    static QString Extra(LayoutBaseDialog& nested)
    {
        return nested.BottomPanel()->Button(-1)->Name();
    }

    QStringList Row(GridLogPage& page, int row)
    {
        QStringList texts;
        for (int c = 0; c < page.GetColumnCount(); ++c)
            texts << page.GetCellText({row, c});
        return texts;
    }

    template <class T> T* AddToday(ItemList& list, std::uint32_t reference)
    {
        T* item = Add<T>(list, TimeBase::Today());
        item->SetReference(reference);
        return item;
    }
};

} // namespace

TEST_F(LogPagesTest, FoodLogAddsFromTheLookupEditsInPlaceAndDeletes)
{
    auto& page = Keep<FoodLogPage>();
    Open(page);
    EXPECT_EQ(page.GetRowCount(), 0);
    EXPECT_EQ(page.GetSelectedRow(), -1);
    m_dialog->OnEvent(Events::kDelete, nullptr); // an empty day: nothing to delete

    const auto dairy = [](const char* subgroup, const char* food) {
        return Adding({"Dairy and Egg Products", subgroup}, food);
    };
    m_script = {dairy("Butter", "Butter, salted"), dairy("Butter", "Butter, without salt"),
                dairy("Cheese", "Cheese, dry white, queso seco")};
    for (int i = 0; i < 3; ++i)
        m_dialog->OnEvent(Events::kAdd, nullptr);
    ASSERT_EQ(page.GetRowCount(), 3);
    // Appended with one portion of the first unit, and selected.
    EXPECT_EQ(Row(page, 0), Names({"Butter, salted", "1", "1 cup", "1627"})); // 717 x 227 x 0.01
    EXPECT_EQ(std::pair(page.GetSelectedRow(), m_store->Settings().LastFoodGroup()),
              std::pair(2, 1));

    // Two tablespoons: 2 x 717 x 14.2 x 0.01.
    ASSERT_NE(page.GetCellEditor({0, 1}), nullptr);
    EXPECT_EQ(page.GetCellEditor({0, 0}), nullptr);
    EXPECT_EQ(page.GetChoiceText({0, 1}, 9), "10");
    EXPECT_EQ(page.GetChoiceText({0, 2}, 1), "1 tbsp");
    page.SetChoice({0, 1}, 1);
    page.SetChoice({0, 2}, 1);
    EXPECT_EQ(Row(page, 0), Names({"Butter, salted", "2", "1 tbsp", "203"}));
    EXPECT_EQ(m_store->FoodLog().ItemAt<FoodItem>(0)->QuantityIndex(), 1);

    // Queso seco's fibre is unknown: none, never a negative amount.
    m_store->Profile().SetFoodTracking(2);
    m_dialog->OnEvent(Events::kPreferences, nullptr);
    auto* grid = m_dialog->Content()->findChild<GridListView*>();
    EXPECT_EQ(QStringList({grid->model()->headerData(3, Qt::Horizontal).toString(),
                           grid->model()->index(2, 3).data().toString()}),
              Names({"Fiber", "0"}));

    // Deleting the last of three selects the new last; the only one leaves nothing selected.
    m_dialog->OnEvent(Events::kDelete, nullptr);
    EXPECT_EQ(page.GetSelectedRow(), 1);
    page.SetCurrentRow(0);
    m_dialog->OnEvent(Events::kDelete, nullptr);
    m_dialog->OnEvent(Events::kDelete, nullptr);
    EXPECT_EQ(page.GetSelectedRow(), -1);
    EXPECT_EQ(m_store->FoodLog().Count(), 0);
    EXPECT_EQ(m_subPages, Names({"food.lookup", "food.lookup", "food.lookup"}));
}

TEST_F(LogPagesTest, FavoritesKeepTheRememberedGroupAndHoldEachFoodOnce)
{
    auto& page = Keep<FoodLogPage>();
    Open(page);
    m_store->Settings().SetLastFoodGroup(3);
    m_script = {[](LayoutBaseDialog& nested) {
                    EXPECT_EQ(Extra(nested), "add.fav");
                    Choose(nested, 0, QStringLiteral("Dairy and Egg Products"));
                    Choose(nested, 1, QStringLiteral("Butter"));
                    Pick(nested, QStringLiteral("Butter, salted"));
                    nested.OnEvent(Events::kAddFav, nullptr);
                    nested.OnEvent(Events::kAddFav, nullptr);
                    nested.OnEvent(Events::kCancel, nullptr);
                },
                [](LayoutBaseDialog& nested) {
                    // "fav" opens in Favorites, where the extra button deletes.
                    EXPECT_EQ(std::tuple(List(nested)->GroupList(0)->currentText(),
                                         List(nested)->GroupList(1)->isEnabled(), Extra(nested),
                                         List(nested)->ItemList()->count()),
                              std::tuple(QString("Favorites"), false, QString("delete"), 1));
                    nested.OnEvent(Events::kDelete, nullptr);
                    EXPECT_EQ(List(nested)->ItemList()->count(), 0);
                    // Nothing left to choose: neither a button nor OK adds anything.
                    nested.OnEvent(Events::kAdd, nullptr);
                    nested.OnEvent(Events::kItemActivated, nullptr);
                    nested.accept();
                }};
    const auto state = [&] {
        return std::tuple(m_store->FavoriteFoods().Count(), m_store->Settings().LastFoodGroup(),
                          page.GetRowCount());
    };
    m_dialog->OnEvent(Events::kAdd, nullptr);
    EXPECT_EQ(state(), std::tuple(1, 1, 0));
    m_dialog->OnEvent(Events::kFav, nullptr);
    EXPECT_EQ(state(), std::tuple(0, 1, 0));
    EXPECT_EQ(m_subPages, Names({"food.lookup", "food.lookup"})); // no details of nothing
}

TEST_F(LogPagesTest, RememberedGroupOutsideTheGroupsOpensTheFirstRealOne)
{
    for (int remembered : {-3, 26, 1000}) {
        for (bool food : {true, false}) {
            if (food)
                m_store->Settings().SetLastFoodGroup(remembered);
            else
                m_store->Settings().SetLastExerciseGroup(remembered);
            FoodLookupPage foodLookup(m_session, false, false);
            ExerciseLookupPage exerciseLookup(m_session, false, false);
            LookupPage& lookup = food ? static_cast<LookupPage&>(foodLookup) : exerciseLookup;
            Open(lookup);
            // The food lookup's first group after the favorites is the user's own foods.
            EXPECT_EQ(lookup.Model()->Group(), food ? 2 : 1) << remembered;
            EXPECT_GT(List(*m_dialog)->ItemList()->count(), 0);
            m_dialog.reset();
        }
    }
}

TEST_F(LogPagesTest, LeavingASubPageThroughNavigationLeavesTheLogPageToo)
{
    auto& food = Keep<FoodLogPage>();
    auto& fitness = Keep<FitnessLogPage>();
    Open(food);
    m_script = {[](LayoutBaseDialog& nested) {
                    Choose(nested, 0, QStringLiteral("Dairy and Egg Products"));
                    nested.OnEvent(Events::kItemActivated,
                                   nullptr); // the details of the first food
                },
                [](LayoutBaseDialog& nested) { nested.OnEvent(Events::kGoFitness, nullptr); }};
    m_dialog->OnEvent(Events::kLookup, nullptr);
    EXPECT_EQ(m_subPages, Names({"food.lookup", "food.details"}));
    EXPECT_EQ(m_dialog->CurrentPage(), &fitness);
    EXPECT_EQ(food.ShownGrid(), nullptr); // detached

    m_script = {[](LayoutBaseDialog& nested) { nested.OnEvent(Events::kGoHome, nullptr); }};
    m_dialog->OnEvent(Events::kFav, nullptr);
    EXPECT_EQ(fitness.ShownGrid(), nullptr);
    EXPECT_FALSE(m_dialog->isVisible());
}

TEST_F(LogPagesTest, FitnessLogCaloriesFollowTheDurationAndTheWeightClass)
{
    CompleteProfile(m_store->Profile());
    m_store->Profile().SetGoalWeight(78, true); // the middle weight class
    m_store->Profile().SetFoodTracking(3);      // the fitness log shows calories regardless
    auto& page = Keep<FitnessLogPage>();
    Open(page);
    m_script = {[](LayoutBaseDialog& nested) {
        EXPECT_EQ(List(nested)->GroupCount(), 1);
        Choose(nested, 0, QStringLiteral("Running"));
        Pick(nested, QStringLiteral("Running, 9 mph (6.5 min/mile)"));
        nested.OnEvent(Events::kAdd, nullptr);
    }};
    m_dialog->OnEvent(Events::kAdd, nullptr);
    EXPECT_EQ(page.GetColumnTitle(2), "Calories");
    // The middle class's figure is 1000 (250 a quarter hour): a quarter of it, then eight.
    EXPECT_EQ(Row(page, 0), Names({"Running, 9 mph (6.5 min/mile)", "15 min", "250"}));
    EXPECT_EQ(page.GetCellEditor({0, 2}), nullptr);
    EXPECT_EQ(page.GetChoiceCount({0, 1}), 7);
    page.SetChoice({0, 1}, 4);
    EXPECT_EQ(Row(page, 0), Names({"Running, 9 mph (6.5 min/mile)", "2 hours", "2000"}));

    m_script = {[](LayoutBaseDialog& nested) {
        auto* view = qobject_cast<FitnessDetailsContentControl*>(nested.Content());
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(QStringList({view->CategoryLabel()->text(), view->NameLabel()->text(),
                               view->CaloriesLabel()->text()}),
                  Names({"Running", "Running, 9 mph (6.5 min/mile)", "250"}));
    }};
    m_dialog->OnEvent(Events::kGridActivate, nullptr);
    EXPECT_EQ(m_subPages.last(), "fitness.details");
}

TEST_F(LogPagesTest, ItemsTheReferenceDataLacksShowPlaceholdersAndCanBeDeleted)
{
    CompleteProfile(m_store->Profile());
    AddToday<FoodItem>(m_store->FoodLog(), 0x7FFFFFF0)->SetQuantityIndex(-4);
    AddToday<FitnessItem>(m_store->FitnessLog(), 9999)->SetDurationIndex(42);
    auto& food = Keep<FoodLogPage>();
    auto& fitness = Keep<FitnessLogPage>();
    Open(food);
    EXPECT_EQ(Row(food, 0), Names({"Unknown food", "1", "", "0"}));
    m_script = {[](LayoutBaseDialog& nested) {
        auto* view = qobject_cast<FoodDetailsContentControl*>(nested.Content());
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->NameLabel()->text(), "Unknown food");
        for (int n = 0; n < 6; ++n)
            EXPECT_EQ(view->ValueLabel(n)->text(), "0") << n;
    }};
    m_dialog->OnEvent(Events::kGridActivate, nullptr);
    m_dialog->OnEvent(Events::kDelete, nullptr);
    EXPECT_EQ(m_store->FoodLog().Count(), 0);

    m_dialog->SetPage(&fitness);
    EXPECT_EQ(Row(fitness, 0), Names({"Unknown exercise", "4 hours", "0"}));
    m_script = {[](LayoutBaseDialog& nested) {
        auto* view = qobject_cast<FitnessDetailsContentControl*>(nested.Content());
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(QStringList({view->CategoryLabel()->text(), view->CaloriesLabel()->text()}),
                  Names({"Unknown", "0"}));
    }};
    m_dialog->OnEvent(Events::kGridActivate, nullptr);
    m_dialog->OnEvent(Events::kDelete, nullptr);
    EXPECT_EQ(m_store->FitnessLog().Count(), 0);
}
