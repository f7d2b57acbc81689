#include "app/Application.h"
#include "app/HomeDialog.h"
#include "app/TestPages.h"
#include "controls/BmpButtonImpl.h"
#include "controls/BottomButtonsContainer.h"
#include "controls/ButtomNavigation.h"
#include "controls/ControlsRegistration.h"
#include "controls/CustomGrid.h"
#include "controls/GridEnumCellControl.h"
#include "controls/GridListView.h"
#include "controls/GroupSelectContentControl.h"
#include "controls/RecordingListener.h"
#include "data/FoodItem.h"
#include "data/UserDatabase.h"
#include "dialogs/LayoutBaseDialog.h"
#include "fitness/FitnessViewsRegistration.h"
#include "pages/FoodLogPage.h"
#include "vocabulary/Events.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs the program, acting on each modal window as it comes up, and on one an action has come
// back to; each action runs from the event loop so that the dialogs it opens nest as they do
// for a user. Ends the program when it hangs.
void RunDriven(Application& app, QStringList& steps, const std::function<void(QWidget*)>& act)
{
    QWidget* handled = nullptr;
    qsizetype handledAt = -1;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || (modal == handled && steps.size() == handledAt))
            return;
        handled = modal;
        handledAt = steps.size();
        QTimer::singleShot(0, modal, [&act, modal] { act(modal); });
    });
    driver.start(20);
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        ADD_FAILURE() << "hung at " << steps.join(u',').toStdString();
        app.CloseAllWindows();
    });
    watchdog.start(20000);
    EXPECT_EQ(app.Run(), 0);
}

} // namespace

// A day's food through the real pages and dialogs: the food tile, "add", a group, a subgroup
// and a food, "add", three portions chosen with the keyboard, home. The entry is then in
// user.pdb and the next start shows it on the same day.
TEST(EndToEnd, FoodEnteredThroughTheLookupIsThereOnTheNextStart)
{
    RegisterControlContent();
    RegisterFitnessContent();
    QTemporaryDir dir;
    {
        UserDatabase store({dir.path(), {QCoreApplication::applicationDirPath()}});
        CompleteProfile(store.Profile());
        store.Profile().SetFlags(store.Profile().Flags() | UserProfile::kBlogAccountSeen);
        store.Profile().SetLaunchCount(1);
        store.SaveProfile();
    }
    StartupOptions options;
    options.dataDir = dir.path();
    QStringList steps;
    {
        Application app(options, QCoreApplication::applicationFilePath());
        RunDriven(app, steps, [&](QWidget* modal) {
            auto* dialog = qobject_cast<LayoutBaseDialog*>(modal);
            const QString page = dialog ? dialog->CurrentPage()->GetName() : QString();
            if (qobject_cast<HomeDialog*>(modal)) {
                if (steps.isEmpty()) {
                    steps << QStringLiteral("home");
                    QTest::mouseClick(static_cast<HomeDialog*>(modal)->Button("food"),
                                      Qt::LeftButton);
                } else {
                    steps << QStringLiteral("home again");
                    app.CloseAllWindows();
                }
            } else if (page == Events::kGoFood && steps.size() == 1) {
                steps << page;
                QTest::mouseClick(dialog->BottomPanel()->Button(2), Qt::LeftButton); // add
            } else if (page == QStringLiteral("food.lookup")) {
                steps << page;
                auto* list = qobject_cast<GroupSelectContentControl*>(dialog->Content());
                for (const auto& [group, text] :
                     {std::pair{0, "Dairy and Egg Products"}, std::pair{1, "Butter"}}) {
                    QComboBox* combo = list->GroupList(group);
                    combo->setCurrentIndex(combo->findText(text));
                    emit combo->activated(combo->currentIndex());
                }
                list->ItemList()->setCurrentRow(0);
                QTest::mouseClick(dialog->BottomPanel()->Button(0), Qt::LeftButton); // add
            } else if (page == Events::kGoFood) {
                steps << QStringLiteral("quantity");
                auto* grid = qobject_cast<CustomGrid*>(dialog->Content());
                QTest::keyClick(grid->List(), Qt::Key_Right);
                QTest::keyClick(grid->List(), Qt::Key_Space); // the portions to choose from
                QAbstractItemView* choices = grid->Editor()->view();
                QTest::keyClick(choices, Qt::Key_Down);
                QTest::keyClick(choices, Qt::Key_Down);
                QTest::keyClick(choices, Qt::Key_Return);
                QTest::mouseClick(dialog->Navigation()->Button(0), Qt::LeftButton); // home
            } else {
                steps << QString::fromLatin1(modal->metaObject()->className());
                modal->close();
            }
        });
    }
    EXPECT_EQ(steps, Names({"home", "goFood", "food.lookup", "quantity", "home again"}));

    UserDatabase store({dir.path(), {QCoreApplication::applicationDirPath()}});
    ASSERT_EQ(store.FoodLog().Count(), 1);
    EXPECT_EQ(store.FoodLog().ItemAt<FoodItem>(0)->QuantityIndex(), 2);
    EXPECT_EQ(store.FoodLog().At(0)->Day(), TimeBase::Today());
    FoodLogPage page;
    LayoutBaseDialog dialog;
    dialog.SetPage(&page);
    ASSERT_EQ(page.GetRowCount(), 1);
    EXPECT_EQ(page.GetCellText({0, 0}), "Butter, salted");
    EXPECT_EQ(page.GetCellText({0, 1}), "3");
}
