// Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y as a person presses them on each page, and the menu's Undo and
// Redo named after the edit.
#include "PagesTestSupport.h"
#include "UserInput.h"

#include "commands/SetDayWeightCommand.h"
#include "controls/BottomButtonsContainer.h"
#include "data/JournalItem.h"
#include "data/WeightItem.h"
#include "pages/DailyChartPage.h"
#include "pages/FitnessLogPage.h"
#include "pages/FoodLogPage.h"
#include "pages/JournalPage.h"
#include "pages/ProfilePage.h"
#include "pages/ResultsPage.h"
#include "skin/ShellMenu.h"
#include "views/DailyChartContentControl.h"
#include "views/ProfileEditorContentControl.h"

#include <QAction>
#include <QLineEdit>

namespace {

using namespace UserInput;

class UndoTest : public LookupPagesTest
{
protected:
    // The page in a shown, active dialog.
    void Show(Page& page)
    {
        Open(page);
        Activate(*m_dialog);
    }
    // Undo's and Redo's texts, empty when greyed.
    static QStringList Menu(QWidget& dialog)
    {
        QStringList texts;
        for (int id : {ShellMenu::kUndo, ShellMenu::kRedo}) {
            const auto* action = dialog.findChild<QAction*>(QString::number(id));
            texts << (action && action->isEnabled() ? action->text() : QString());
        }
        return texts;
    }
    void Keys(QWidget& dialog, Qt::KeyboardModifiers modifiers, Qt::Key key = Qt::Key_Z)
    {
        Press(dialog, key, modifiers);
    }
    static constexpr auto kCtrl = Qt::ControlModifier;
    static constexpr auto kCtrlShift = Qt::ControlModifier | Qt::ShiftModifier;
};

} // namespace

// An edit made on one page is undone on another, and shows when its page opens again.
TEST_F(UndoTest, FoodLogEditsGoBackAndForthWithTheKeys)
{
    auto& food = Keep<FoodLogPage>();
    auto& fitness = Keep<FitnessLogPage>();
    Show(food);
    EXPECT_EQ(Menu(*m_dialog), QStringList({"", ""}));
    m_script = {Adding({"Dairy and Egg Products", "Butter"}, "Butter, salted")};
    Event(Events::kAdd);
    food.SetChoice({0, 1}, 2);
    EXPECT_EQ(Menu(*m_dialog), QStringList({"Undo Change Portion", ""}));
    Activate(*m_dialog);
    Keys(*m_dialog, kCtrl);
    EXPECT_EQ(food.GetCellText({0, 1}), "1");
    EXPECT_EQ(Menu(*m_dialog), QStringList({"Undo Add Butter, salted", "Redo Change Portion"}));
    Keys(*m_dialog, kCtrl);
    EXPECT_EQ(std::pair(food.GetRowCount(), m_store->FoodLog().Count()), std::pair(0, 0));
    Keys(*m_dialog, kCtrlShift);
    Keys(*m_dialog, kCtrl, Qt::Key_Y);
    EXPECT_EQ(food.GetCellText({0, 1}), "3");
    EXPECT_EQ(Menu(*m_dialog), QStringList({"Undo Change Portion", ""}));

    Event(Events::kDelete);
    EXPECT_EQ(Menu(*m_dialog).first(), "Undo Delete Butter, salted");
    m_dialog->SetPage(&fitness);
    Keys(*m_dialog, kCtrl);
    m_dialog->SetPage(&food);
    EXPECT_EQ(food.GetCellText({0, 0}), "Butter, salted");
}

TEST_F(UndoTest, FitnessJournalAndFavoritesEditsAreUndoneWhereTheyShow)
{
    auto& fitness = Keep<FitnessLogPage>();
    Show(fitness);
    m_script = {Adding({"Running"}, "Running, 9 mph (6.5 min/mile)")};
    Event(Events::kAdd);
    fitness.SetChoice({0, 1}, 4);
    fitness.SetChoice({0, 1}, 5); // one edit with the one before
    Activate(*m_dialog);
    Keys(*m_dialog, kCtrl);
    EXPECT_EQ(fitness.GetCellText({0, 1}), "15 min");

    auto* entry = Add<JournalItem>(m_store->Journal(), TimeBase::Today());
    entry->SetSubject(QStringLiteral("Run"));
    auto& journal = Keep<JournalPage>();
    Show(journal);
    Event(Events::kDelete);
    EXPECT_EQ(journal.GetRowCount(), 0);
    Keys(*m_dialog, kCtrl);
    EXPECT_EQ(std::pair(journal.GetRowCount(), journal.GetCellText({0, 0})),
              std::pair(1, QString("Run")));

    // In the lookup's own window, over the list of favorites it shows.
    m_script = {[this](LayoutBaseDialog& nested) {
        Choose(nested, 0, QStringLiteral("Running"));
        Pick(nested, QStringLiteral("Running, 9 mph (6.5 min/mile)"));
        nested.OnEvent(Events::kAddFav, nullptr);
        Choose(nested, 0, QStringLiteral("Favorites"));
        EXPECT_EQ(List(nested)->ItemList()->count(), 1);
        Activate(nested);
        EXPECT_EQ(Menu(nested).first(), "Undo Add Favorite Running...");
        Keys(nested, kCtrl);
        EXPECT_EQ(List(nested)->ItemList()->count(), 0);
        nested.OnEvent(Events::kCancel, nullptr);
    }};
    Show(fitness);
    Event(Events::kAdd);
    EXPECT_EQ(m_store->FavoriteExercises().Count(), 0);
}

// What is typed and not yet stored is the edit the keys take back, once the focus has left the
// text field (whose own undo has the keys until then).
TEST_F(UndoTest, TypedWeightAndProfileAreTakenBackWhenTheFocusIsElsewhere)
{
    CompleteProfile(Profile());
    m_store->Settings().SetMetric(1);
    auto& chart = Keep<DailyChartPage>();
    Show(chart);
    auto* view = qobject_cast<DailyChartContentControl*>(m_dialog->Content());
    QLineEdit* weight = view->FieldAt(DailyChartContentControl::Weight);
    weight->setFocus();
    weight->selectAll();
    Type(*m_dialog, "75");
    m_dialog->BottomPanel()->Button(0)->setFocus();
    Keys(*m_dialog, kCtrl);
    EXPECT_EQ(std::pair(weight->text(), m_store->Weights().Count()), std::pair(QString("80"), 0));
    Keys(*m_dialog, kCtrl, Qt::Key_Y);
    EXPECT_EQ(weight->text(), "75");
    EXPECT_EQ(m_store->Weights().ItemAt<WeightItem>(0)->Kilograms(), 75.0f);

    auto& profile = Keep<ProfilePage>();
    Show(profile);
    auto* editor = qobject_cast<ProfileEditorContentControl*>(m_dialog->Content());
    editor->NameField()->setFocus();
    editor->NameField()->selectAll();
    Type(*m_dialog, "Zoe");
    editor->FoodTrackingField()->setFocus();
    Keys(*m_dialog, kCtrl);
    EXPECT_EQ(editor->NameField()->text(), Profile().GetUserName());
    EXPECT_NE(Profile().GetUserName(), "Zoe");
    EXPECT_EQ(Menu(*m_dialog), QStringList({"Undo Set Weight", "Redo Change Profile"}));
}

TEST_F(UndoTest, ResultsRedrawWhatAnUndoTakesBack)
{
    CompleteProfile(Profile());
    auto& results = Keep<ResultsPage>();
    Show(results);
    results.SetMode(ResultsSeries::kWeightMode);
    const size_t shown = results.Series().Points().size();
    m_edits->Push(new SetDayWeightCommand(*m_edits, TimeBase::Today(), 79));
    EXPECT_EQ(results.Series().Points().size(), shown + 1);
    Keys(*m_dialog, kCtrl);
    EXPECT_EQ(results.Series().Points().size(), shown);
}
