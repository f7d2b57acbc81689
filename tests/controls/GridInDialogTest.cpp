#include "app/Page.h"
#include "controls/BmpButtonImpl.h"
#include "controls/BottomButtonsContainer.h"
#include "controls/ControlsRegistration.h"
#include "controls/Grid.h"
#include "controls/GridListView.h"
#include "controls/GridModel.h"
#include "skin/ContentControl.h"
#include "skin/ContentControlRegistry.h"
#include "skin/DeviceScreen.h"
#include "skin/LayoutBaseDialog.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The food log's shape in its dialog: the grid above a bottom panel of buttons.
class LogPage final : public Page, public GridModel
{
public:
    void Attach(PageHost& host) override
    {
        host.SetSection("food");
        host.SetBottomButton(1, "add");
        host.SetBottomButton(0, "delete");
        grid = dynamic_cast<Grid*>(host.SetContent("GridContentControl"));
        grid->SetModel(this);
    }
    void Detach() override {}
    int OnEvent(const QString& name, QWidget*) override
    {
        events << name;
        return 1;
    }
    int GetHelpTopic() const override { return -1; }
    QString GetName() const override { return "goFood"; }

    int GetColumnCount() override { return 2; }
    QString GetColumnTitle(int) override { return "Food"; }
    int GetColumnWidth(int) override { return grid->GetClientWidth() / 2; }
    int GetRowCount() override { return 3; }
    QString GetCellText(const GridCell& cell) override { return QString::number(cell.row); }
    int GetSelectedRow() override { return selected; }
    void SetCurrentRow(int row) override { selected = row; }
    GridCellEditor* GetCellEditor(const GridCell&) override { return nullptr; }

    Grid* grid = nullptr;
    int selected = 2;
    QStringList events;
};

TEST(GridInDialogTest, DownOnTheLastRowMovesToTheBottomPanel)
{
    const QSize screen = DeviceScreen::Instance().Size();
    DeviceScreen::Instance().SetSize(QSize(240, 320));
    RegisterControlContent();
    {
        LogPage page;
        LayoutBaseDialog dialog;
        dialog.SetPage(&page);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        auto* list = dialog.Content()->findChild<GridListView*>();
        ASSERT_NE(list, nullptr);
        EXPECT_TRUE(list->hasFocus());
        EXPECT_EQ(dialog.Content()->width(), 240);
        EXPECT_EQ(page.grid->GetClientWidth(), 240);

        QTest::keyClick(list, Qt::Key_Down);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_NE(qobject_cast<BmpButtonImpl*>(QApplication::focusWidget()), nullptr);
        EXPECT_TRUE(dialog.BottomPanel()->isAncestorOf(QApplication::focusWidget()));

        // Double tap reaches the page through the dialog.
        list->setFocus();
        const QPoint cell = list->visualRect(list->model()->index(1, 0)).center();
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell);
        EXPECT_EQ(page.events, QStringList{"gridActivate"});
        EXPECT_EQ(page.selected, 1);
    }
    ContentControlRegistry::Unregister("GridContentControl");
    ContentControlRegistry::Unregister("GroupSelectControl");
    ContentControlRegistry::Unregister("JournalItemDetailsControl");
    DeviceScreen::Instance().SetSize(screen);
}

} // namespace
