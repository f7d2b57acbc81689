// "Copy From..." and "Copy To..." on the log pages, chosen from the menu and answered in the day
// dialog with keys as a person presses them.
#include "PagesTestSupport.h"
#include "UserInput.h"

#include "commands/CommandText.h"
#include "commands/SetItemFieldCommand.h"
#include "controls/DayPicker.h"
#include "data/ItemGroup.h"
#include "data/ReferenceDatabases.h"
#include "pages/FitnessLogPage.h"
#include "pages/FoodLogPage.h"
#include "skin/DeviceScreen.h"
#include "views/DayChoiceDialog.h"

#include <QAccessible>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>

namespace {

using namespace UserInput;

class CopyDayTest : public LookupPagesTest
{
protected:
    // Mid-year: a step of the field's month stays in the year.
    const TimeBase::ScopedClock m_clock{QDateTime(QDate(2026, 6, 15), QTime(9, 30))};
    const TimeBase::Stamp m_today = TimeBase::Today();

    // `count` foods or exercises on the day, the n-th with the n-th portions or duration.
    void Log(ItemKind kind, TimeBase::Stamp day, int count)
    {
        for (int n = 0; n < count; ++n) {
            Item* item = Add(m_store->List(kind), day);
            item->SetReference(kind == FoodKind
                                   ? m_store->References().FoodListAt(1, 0)->RecordAt(n)
                                   : std::uint32_t(1 + n));
            SetItemFieldCommand::SetValue(*item, 0, n);
        }
    }
    // F10, Down to the command and Return; the keys answer the day dialog from its modal loop.
    void Menu(const QString& command, std::initializer_list<Qt::Key> answer)
    {
        bool asked = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<DayChoiceDialog*>(QApplication::activeModalWidget());
            if (!dialog || asked)
                return;
            asked = true;
            Activate(*dialog);
            for (Qt::Key key : answer)
                Press(*dialog, key);
            if (dialog->isVisible()) { // a failed step never leaves the test waiting
                ADD_FAILURE() << "the day dialog stayed open";
                dialog->reject();
            }
        });
        poll.start(10);
        Press(*m_dialog, Qt::Key_F10);
        const QMenu* menu = m_dialog->MenuBar()->actions().first()->menu();
        for (int n = 0;
             n < 12 && !(menu->activeAction() && menu->activeAction()->text() == command); ++n)
            Press(*m_dialog, Qt::Key_Down);
        Press(*m_dialog, Qt::Key_Return);
        EXPECT_TRUE(asked) << command.toStdString();
    }
};

} // namespace

// Yesterday's items come into today as new items with the same choices, after the day's own;
// one Ctrl+Z takes them all back and Ctrl+Y makes them again, on both logs.
TEST_F(CopyDayTest, CopyFromBringsYesterdayAsOneEdit)
{
    auto& food = Keep<FoodLogPage>();
    auto& fitness = Keep<FitnessLogPage>();
    for (GridLogPage* page : std::initializer_list<GridLogPage*>{&food, &fitness}) {
        SCOPED_TRACE(page->GetName().toStdString());
        const ItemList& list = m_store->List(page->Kind());
        Log(page->Kind(), TimeBase::AddDays(m_today, -1), 3);
        Log(page->Kind(), m_today, 1);
        Open(*page, true);
        Activate(*m_dialog);
        Menu(QStringLiteral("Copy From..."), {Qt::Key_Return});
        ASSERT_EQ(std::pair(page->GetRowCount(), page->GetSelectedRow()), std::pair(4, 1));
        for (int n = 0; n < 3; ++n) {
            const Item* copy = list.At(4 + n);
            EXPECT_EQ(
                std::tuple(copy->Day(), copy->Reference(), page->GetCurrentChoice({1 + n, 1})),
                std::tuple(m_today, list.At(n)->Reference(), n));
        }
        EXPECT_EQ(m_edits->Stack().undoText(), QStringLiteral("Copy 3 Items"));
        Press(*m_dialog, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(std::pair(page->GetRowCount(), list.Count()), std::pair(1, 4));
        Press(*m_dialog, Qt::Key_Y, Qt::ControlModifier);
        EXPECT_EQ(page->GetRowCount(), 4);
    }
}

// The selected item goes to the day the user keys in; Escape copies nothing, and an empty day
// says so.
TEST_F(CopyDayTest, CopyToTakesTheSelectedItemToTheChosenDay)
{
    auto& food = Keep<FoodLogPage>();
    Log(FoodKind, m_today, 2);
    Open(food, true);
    Activate(*m_dialog);
    Press(*m_dialog, Qt::Key_Down); // the second row
    Menu(QStringLiteral("Copy To..."), {Qt::Key_Escape});
    // Tomorrow is offered; the field's month is stepped up.
    Menu(QStringLiteral("Copy To..."), {Qt::Key_Up, Qt::Key_Return});
    const TimeBase::Stamp chosen = TimeBase::FromDate(QDate(2026, 7, 16));
    const ItemList& log = m_store->FoodLog();
    ASSERT_EQ(std::pair(food.GetRowCount(), log.Count()), std::pair(2, 3));
    EXPECT_EQ(std::tuple(log.At(2)->Day(), log.At(2)->Reference(),
                         log.ItemAt<FoodItem>(2)->QuantityIndex()),
              std::tuple(chosen, log.At(1)->Reference(), 1));
    const QString name = food.GetCellText({1, 0});
    EXPECT_EQ(m_edits->Stack().undoText(), CommandText::Copied(1, name));

    m_dialog->SetPage(&Keep<FitnessLogPage>());
    Menu(QStringLiteral("Copy From..."), {Qt::Key_Return});
    EXPECT_EQ(m_edits->Stack().count(), 1);
    EXPECT_EQ(m_dialogs.messages,
              QStringList({"Copy To: " + name + " was copied to 07/16/26.",
                           "Copy From: Nothing is logged on 06/14/26: there is nothing to copy."}));
}

// Read by a screen reader, and whole on the small screens of both orientations.
TEST_F(CopyDayTest, DayDialogIsNamedAndFitsTheSmallScreens)
{
    for (const QSize size : {QSize(240, 320), QSize(320, 240)}) {
        DeviceScreen::Instance().SetSize(size);
        DayChoiceDialog dialog("Copy To", "Copy Running, 9 mph... to:", m_today, nullptr);
        dialog.show();
        QStringList heard;
        std::vector<QRect> places;
        for (QWidget* widget : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            EXPECT_TRUE(dialog.rect().contains(widget->geometry())) << size.width();
            for (const QRect& other : places)
                EXPECT_FALSE(other.intersects(widget->geometry())) << size.width();
            places.push_back(widget->geometry());
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
            if (widget->focusPolicy() != Qt::NoFocus)
                heard << QString::number(accessible->role()) + ' ' +
                             accessible->text(QAccessible::Name);
        }
        EXPECT_EQ(heard, QStringList({QString::number(QAccessible::SpinBox) + " Day",
                                      QString::number(QAccessible::Button) + " OK",
                                      QString::number(QAccessible::Button) + " Cancel"}));
        EXPECT_EQ(dialog.focusWidget(), dialog.DayField());
    }
}
