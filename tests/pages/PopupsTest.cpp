#include "PagesTestSupport.h"

#include "controls/CustomGrid.h"
#include "controls/DayPicker.h"
#include "controls/GridEnumCellControl.h"
#include "controls/GridListView.h"
#include "controls/TitleBarControl.h"
#include "pages/FitnessLogPage.h"
#include "pages/FoodLogPage.h"
#include "pages/ProfilePage.h"
#include "posting/ConnectionStatusDialog.h"
#include "skin/DeviceScreen.h"
#include "skin/PreferencesDialog.h"
#include "skin/ReportDialog.h"
#include "skin/ScreenFileDialog.h"
#include "views/ProfileEditorContentControl.h"
#include "vocabulary/Events.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTest>
#include <QToolButton>
#include <QUrl>

namespace {

// Where a window shows its contents, without the frame a window manager may add.
QRect Client(const QWidget* window)
{
    return {window->mapToGlobal(QPoint(0, 0)), window->size()};
}

// Whether the window lies inside the handheld's screen: the full-screen dialog `on` belongs to.
bool OnScreen(const QWidget* window, const QWidget* on)
{
    EXPECT_EQ(on->window()->size(), DeviceScreen::Instance().Size());
    return Client(on->window()).contains(Client(window));
}

// Pixels of a list's rows darker than mid-grey: the entries' text. A list drawn blank has none.
int TextPixels(QAbstractItemView* view)
{
    const QImage image = view->viewport()->grab().toImage();
    int dark = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    }
    return dark;
}

// Every drop-down list, calendar and dialog that opens over a page, in every screen mode: lists
// show their entries, and nothing reaches past the screen.
class PopupsTest : public LookupPagesTest
{
protected:
    static void CheckOpenList(QComboBox* combo, const char* name)
    {
        SCOPED_TRACE(name);
        QWidget* popup = combo->view()->window();
        ASSERT_TRUE(popup->isVisible());
        EXPECT_TRUE(OnScreen(popup, combo));
        EXPECT_GT(TextPixels(combo->view()), 50);
    }
    static void CheckList(QComboBox* combo, const char* name)
    {
        combo->showPopup();
        CheckOpenList(combo, name);
        combo->hidePopup();
    }
    // A tap on the cell of the first row opens its list.
    void CheckCell(int column, const char* name)
    {
        auto* grid = qobject_cast<CustomGrid*>(m_dialog->Content());
        ASSERT_NE(grid, nullptr);
        GridListView* list = grid->List();
        const QRect cell = list->visualRect(list->model()->index(0, column));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
        CheckOpenList(grid->Editor(), name);
        grid->Editor()->hidePopup();
    }
    // A tap on the field's arrow opens its calendar, a tap on the month its twelve months.
    static void CheckCalendar(DayPicker* field, const char* name)
    {
        SCOPED_TRACE(name);
        QTest::mouseClick(field, Qt::LeftButton, {},
                          QPoint(field->width() - 4, field->height() / 2));
        QWidget* popup = QApplication::activePopupWidget();
        ASSERT_NE(popup, nullptr);
        EXPECT_TRUE(OnScreen(popup, field));
        EXPECT_EQ(popup->font().pixelSize(), DeviceScreen::Instance().Font().pixelSize());
        auto* month = popup->findChild<QToolButton*>(QStringLiteral("qt_calendar_monthbutton"));
        ASSERT_TRUE(month && month->menu());
        month->menu()->popup(month->mapToGlobal(QPoint(0, month->height())));
        EXPECT_TRUE(OnScreen(month->menu(), field));
        EXPECT_EQ(month->menu()->size(), month->menu()->sizeHint()); // none cut off
        month->menu()->close();
        popup->close();
    }
};

} // namespace

TEST_F(PopupsTest, ListsShowTheirEntriesAndPopupsStayOnTheScreenInEveryMode)
{
    CompleteProfile(m_store->Profile());
    m_store->Profile().SetFlags(UserProfile::kBlogAccountSeen);
    for (const QSize size : {QSize(240, 240), QSize(240, 320), QSize(320, 240), QSize(480, 480),
                             QSize(480, 640), QSize(640, 480)}) {
        SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height());
        DeviceScreen::Instance().SetSize(size);

        auto& food = Keep<FoodLogPage>();
        Open(food, true);
        m_script = {[](LayoutBaseDialog& nested) {
            Choose(nested, 0, QStringLiteral("Dairy and Egg Products"));
            CheckList(List(nested)->GroupList(0), "groups");
            CheckList(List(nested)->GroupList(1), "subgroups");
            Choose(nested, 1, QStringLiteral("Butter"));
            Pick(nested, QStringLiteral("Butter, salted"));
            nested.OnEvent(Events::kAdd, nullptr);
        }};
        m_dialog->OnEvent(Events::kAdd, nullptr);
        CheckCell(1, "portions");
        CheckCell(2, "units");
        CheckCalendar(m_dialog->TitleBar()->DatePicker(), "day");

        auto& fitness = Keep<FitnessLogPage>();
        m_dialog->SetPage(&fitness);
        m_script = {Adding({"Running"}, QStringLiteral("Running, 9 mph (6.5 min/mile)"))};
        m_dialog->OnEvent(Events::kAdd, nullptr);
        CheckCell(1, "time");

        auto& profile = Keep<ProfilePage>();
        m_dialog->SetPage(&profile);
        auto* editor = qobject_cast<ProfileEditorContentControl*>(m_dialog->Content());
        ASSERT_NE(editor, nullptr);
        CheckList(editor->FoodTrackingField(), "food tracking");
        CheckCalendar(editor->StartDateField(), "start date");
        CheckCalendar(editor->GoalDateField(), "goal date");

        PreferencesDialog preferences(m_store->Profile(), m_store->Settings(), m_dialog.get());
        preferences.show();
        CheckList(preferences.findChild<QComboBox*>(QStringLiteral("1004")), "track");
        preferences.close();

        ConnectionStatusDialog status(m_dialog.get());
        status.OnComplete(-1, QStringLiteral("The proxy at http://127.0.0.1:8780/post could not be "
                                             "reached: the connection was refused."));
        status.show();
        QCoreApplication::processEvents();
        ASSERT_TRUE(status.Failed());
        EXPECT_TRUE(OnScreen(&status, m_dialog.get()));
        status.close();

        for (const auto choose :
             {ScreenFileDialog::Choose::Folder, ScreenFileDialog::Choose::File}) {
            ScreenFileDialog files(QStringLiteral("Export to"), m_dir->path(), m_dialog.get(),
                                   choose, QStringLiteral("Weights (*.csv)"));
            files.show();
            EXPECT_EQ(Client(&files), Client(m_dialog.get()));
            EXPECT_EQ(files.font().pixelSize(), DeviceScreen::Instance().Font().pixelSize());
            // Laid out within its least size: nothing in it overlaps or is cut.
            const QSize least = files.Files()->layout()->totalMinimumSize();
            EXPECT_EQ(least.boundedTo(files.Files()->size()), least);
        }

        // A long report scrolls between its heading and its buttons, all on the screen.
        QStringList lines;
        for (int line = 2; line < 200; ++line)
            lines
                << QStringLiteral("line %1: weight 0 kg is out of range (20 to 450 kg)").arg(line);
        ReportDialog report(QStringLiteral("Import Weights"),
                            QStringLiteral("Add 3,650 weights from ten years of weighing?"),
                            lines.join(u'\n'), QStringLiteral("Import"), m_dialog.get());
        report.show();
        QCoreApplication::processEvents();
        EXPECT_EQ(Client(&report), Client(m_dialog.get()));
        const QRect heading = report.Heading()->geometry();
        const QRect text = report.Report()->geometry();
        EXPECT_GE(heading.height(), report.Heading()->heightForWidth(heading.width()));
        EXPECT_LT(heading.bottom(), text.top());
        EXPECT_LT(text.bottom(), report.AcceptButton()->geometry().top());
        EXPECT_TRUE(report.rect().contains(report.CancelButton()->geometry()));
        EXPECT_FALSE(
            report.AcceptButton()->geometry().intersects(report.CancelButton()->geometry()));
        EXPECT_TRUE(report.Report()->verticalScrollBar()->isVisible());
    }
}

TEST_F(PopupsTest, TheFolderChooserLeavesNothingInTheSharedQtSettings)
{
    {
        ScreenFileDialog files(QStringLiteral("Export to"), m_dir->path());
        files.show();
    }
    const QSettings shared(QSettings::UserScope, QStringLiteral("QtProject"));
    const QStringList history = shared.value(QStringLiteral("FileDialog/history")).toStringList();
    EXPECT_FALSE(history.contains(QUrl::fromLocalFile(m_dir->path()).toString()));
}
