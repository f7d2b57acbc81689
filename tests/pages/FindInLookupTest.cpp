#include "PagesTestSupport.h"

#include "controls/BmpButtonImpl.h"
#include "controls/BottomButtonsContainer.h"
#include "controls/FindField.h"
#include "data/FoodItem.h"
#include "pages/ExerciseLookupPage.h"
#include "pages/FoodLogPage.h"
#include "pages/FoodLookupPage.h"
#include "pages/LookupModel.h"
#include "vocabulary/Events.h"

#include <QScrollBar>
#include <QTest>

namespace {

const QString kDairy = QStringLiteral("Dairy and Egg Products");
const QString kQueso = QStringLiteral("Cheese, dry white, queso seco");
using FindInLookupTest = LookupPagesTest;

} // namespace

TEST_F(FindInLookupTest, LeavingTheFindReturnsToTheSameGroupAndSelection)
{
    enum Leave
    {
        EscapeInField,
        EscapeInList,
        Clearing
    };
    for (bool food : {true, false}) {
        for (Leave leave : {EscapeInField, EscapeInList, Clearing}) {
            SCOPED_TRACE(testing::Message() << "food " << food << ", leave " << leave);
            FoodLookupPage foodLookup(m_session, false, false);
            ExerciseLookupPage exerciseLookup(m_session, false, false);
            LookupPage& lookup = food ? static_cast<LookupPage&>(foodLookup) : exerciseLookup;
            Open(lookup, true);
            GroupSelectContentControl* list = List(*m_dialog);
            if (food) {
                Choose(*m_dialog, 0, kDairy);
                Choose(*m_dialog, 1, QStringLiteral("Cheese"));
            } else {
                Choose(*m_dialog, 0, list->GroupList(0)->itemText(2));
            }
            QListWidget* items = list->ItemList();
            items->setCurrentRow(2);
            const QStringList before = {list->GroupList(0)->currentText(),
                                        list->GroupList(food ? 1 : 0)->currentText(),
                                        items->currentItem()->text()};
            const auto record = lookup.Model()->SelectedRecord();

            FindField* find = list->Find();
            ASSERT_NE(find, nullptr);
            // Typing in the list starts the find; the groups step aside for the names found.
            const QString typed = before[2].left(3).toLower();
            QTest::keyClicks(items, typed);
            EXPECT_EQ(find->text(), typed);
            EXPECT_FALSE(list->GroupList(0)->isVisible());
            ASSERT_GT(items->count(), 0);
            EXPECT_TRUE(items->item(0)->text().contains(QStringLiteral(" — ")));
            EXPECT_EQ(items->horizontalScrollBar()->maximum(), 0); // long results wrap
            EXPECT_EQ(items->currentRow(), 0);
            EXPECT_EQ(m_dialog->BottomPanel()->Button(-1)->Name(), Events::kAddFav);
            QTest::keyClick(find, Qt::Key_Down); // the arrows walk the names found
            EXPECT_EQ(items->currentRow(), std::min(1, items->count() - 1));

            if (leave == EscapeInField)
                QTest::keyClick(find, Qt::Key_Escape);
            else if (leave == EscapeInList)
                QTest::keyClick(items, Qt::Key_Escape);
            else
                find->clear();
            EXPECT_TRUE(m_dialog->isVisible()); // the lookup itself goes on
            EXPECT_TRUE(find->text().isEmpty());
            EXPECT_TRUE(list->GroupList(0)->isVisible());
            EXPECT_EQ(QStringList({list->GroupList(0)->currentText(),
                                   list->GroupList(food ? 1 : 0)->currentText(),
                                   items->currentItem()->text()}),
                      before);
            EXPECT_EQ(lookup.Model()->SelectedRecord(), record);
            m_dialog.reset();
        }
    }
}

TEST_F(FindInLookupTest, AddingFromAResultLogsTheRightFoodAndFavoritesComeFirst)
{
    auto& page = Keep<FoodLogPage>();
    Open(page, true);
    // The first letter typed in the list moves the typing into the find field.
    const auto type = [](LayoutBaseDialog& nested, const char* text) {
        QTest::keyClick(List(nested)->ItemList(), text[0]);
        QTest::keyClicks(List(nested)->Find(), QString::fromLatin1(text + 1));
    };
    m_script = {Adding({kDairy, QStringLiteral("Cheese")}, kQueso),
                [&](LayoutBaseDialog& nested) {
                    type(nested, "seco QUESO");
                    Pick(nested, kQueso + QStringLiteral(" — ") + kDairy);
                    nested.OnEvent(Events::kAddFav, nullptr);
                    nested.OnEvent(Events::kAdd, nullptr);
                },
                [&](LayoutBaseDialog& nested) {
                    // Among every cheese the favorite one leads, and Enter adds it.
                    type(nested, "chee");
                    EXPECT_EQ(List(nested)->ItemList()->item(0)->text(),
                              kQueso + QStringLiteral(" — ") + kDairy);
                    QTest::keyClick(List(nested)->Find(), Qt::Key_Return);
                }};
    for (int i = 0; i < 3; ++i)
        m_dialog->OnEvent(Events::kAdd, nullptr);

    EXPECT_EQ(m_subPages, Names({"food.lookup", "food.lookup", "food.lookup"}));
    ASSERT_EQ(m_store->FoodLog().Count(), 3);
    ASSERT_EQ(m_store->FavoriteFoods().Count(), 1);
    const std::uint32_t queso = m_store->FoodLog().ItemAt<FoodItem>(0)->Reference();
    EXPECT_EQ(m_store->FoodLog().ItemAt<FoodItem>(1)->Reference(), queso);
    EXPECT_EQ(m_store->FoodLog().ItemAt<FoodItem>(2)->Reference(), queso);
    EXPECT_EQ(m_store->FavoriteFoods().At(0)->Reference(), queso);
}
