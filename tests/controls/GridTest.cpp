#include "controls/CustomGrid.h"
#include "controls/GridCellEditor.h"
#include "controls/GridEnumCellControl.h"
#include "controls/GridListView.h"
#include "controls/GridModel.h"
#include "controls/RecordingListener.h"
#include "skin/SkinSettings.h"

#include <QAbstractItemModelTester>
#include <QAbstractItemView>
#include <QApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <map>

namespace {

class Editor final : public GridCellEditor
{
public:
    int Activate(const GridCell&) override { return handled; }
    int GetChoiceCount(const GridCell&) override { return choices.size(); }
    QString GetChoiceText(const GridCell&, int index) override { return choices.value(index); }
    int GetCurrentChoice(const GridCell&) override { return current; }
    void SetChoice(const GridCell& cell, int index) override { chosen.push_back({cell, index}); }

    int handled = 0;
    QStringList choices{"1/2", "1", "2"};
    int current = 1;
    std::vector<std::pair<GridCell, int>> chosen;
};

// Food-log-like: four columns sized as percentages of the grid's client width.
class Model final : public GridModel
{
public:
    explicit Model(CustomGrid* grid = nullptr) : grid(grid) {}

    int GetColumnCount() override { return columns; }
    QString GetColumnTitle(int column) override { return QString("Col %1").arg(column); }
    int GetColumnWidth(int column) override
    {
        if (width)
            return width;
        const int p = SkinSettings::Instance().GetUnscaled(
            QString::asprintf("layout/food/col%d", column), 0);
        return int(float(grid->GetClientWidth()) * float(p) * 0.01f);
    }
    int GetRowCount() override { return rows; }
    QString GetCellText(const GridCell& cell) override
    {
        ++asked[cell.row];
        return QString("r%1c%2").arg(cell.row).arg(cell.column);
    }
    int GetSelectedRow() override { return selected; }
    void SetCurrentRow(int row) override { current.push_back(row); }
    GridCellEditor* GetCellEditor(const GridCell& cell) override
    {
        return cell.column == 1 ? &editor : nullptr;
    }

    CustomGrid* grid;
    int columns = 4;
    int width = 0;
    int rows = 10;
    int selected = -1;
    std::map<int, int> asked;
    std::vector<int> current;
    Editor editor;
};

struct Fixture
{
    Fixture(int rows = 10)
    {
        SkinSettings::Instance().Init(240, 320);
        window.resize(240, 260);
        auto* layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        before = new QPushButton("before", &window);
        grid = new CustomGrid(&window);
        grid->setFixedSize(240, 200);
        after = new QPushButton("after", &window);
        layout->addWidget(before);
        layout->addWidget(grid);
        layout->addWidget(after);
        model.grid = grid;
        model.rows = rows;
        grid->SetListener(&listener);
        window.show();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        grid->SetModel(&model);
        QApplication::processEvents();
    }

    QPoint CellCentre(int row, int column) const
    {
        GridListView* list = grid->List();
        return list->visualRect(list->model()->index(row, column)).center();
    }

    // Lets the pending updates paint, no more than they ask for.
    // (Twice: the view lays out rows on a zero timer, and that layout posts its own update.)
    void Paint()
    {
        QApplication::processEvents();
        QApplication::processEvents();
    }

    Model model;
    RecordingListener listener;
    QWidget window;
    QPushButton* before = nullptr;
    QPushButton* after = nullptr;
    CustomGrid* grid = nullptr;
};

TEST(GridTest, FoodColumnsFollowTheClientWidth)
{
    Fixture f(3);
    EXPECT_EQ(f.grid->GetName(), "GridContentControl");
    ASSERT_EQ(f.grid->GetClientWidth(), 240);
    const QHeaderView* header = f.grid->List()->horizontalHeader();
    ASSERT_EQ(header->count(), 4);
    EXPECT_EQ(header->sectionSize(0), 96);
    EXPECT_EQ(header->sectionSize(1), 33);
    EXPECT_EQ(header->sectionSize(2), 50);
    EXPECT_EQ(header->sectionSize(3), 60);
    EXPECT_EQ(f.grid->List()->model()->headerData(2, Qt::Horizontal).toString(), "Col 2");

    // Rows enough for a scroll bar narrow the client; the columns follow.
    f.model.rows = 100;
    f.grid->Refresh(-1);
    f.Paint();
    const int client = f.grid->GetClientWidth();
    ASSERT_LT(client, 240);
    EXPECT_EQ(header->sectionSize(0), int(float(client) * 40.0f * 0.01f));
}

TEST(GridTest, RefreshRedrawsOneRowOrAll)
{
    Fixture f(6);
    f.Paint();
    f.model.asked.clear();
    f.grid->Refresh(3);
    f.Paint();
    ASSERT_EQ(f.model.asked.size(), 1u);
    EXPECT_EQ(f.model.asked.begin()->first, 3);

    // Row 0 means every row, not the first alone.
    f.model.asked.clear();
    f.grid->Refresh(0);
    f.Paint();
    EXPECT_EQ(f.model.asked.size(), 6u);

    f.model.asked.clear();
    f.model.rows = 4;
    f.grid->Refresh(-1);
    f.Paint();
    EXPECT_EQ(f.grid->List()->model()->rowCount(), 4);
    ASSERT_FALSE(f.model.asked.empty());
    EXPECT_EQ(f.model.asked.rbegin()->first, 3);
}

TEST(GridTest, RefreshSelectsTheModelsRow)
{
    Fixture f(5);
    QAbstractItemModelTester tester(f.grid->List()->model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    f.model.selected = 2;
    f.grid->Refresh(-1);
    EXPECT_EQ(f.grid->List()->SelectedRow(), 2);
    // Refresh itself reports nothing back to the model.
    EXPECT_TRUE(f.model.current.empty());

    f.model.selected = -1;
    f.model.rows = 4;
    f.grid->Refresh(-1);
    EXPECT_EQ(f.grid->List()->SelectedRow(), -1);

    f.model.rows = 0;
    f.model.selected = 0;
    f.grid->Refresh(-1);
    EXPECT_EQ(f.grid->List()->model()->rowCount(), 0);
    EXPECT_EQ(f.grid->List()->SelectedRow(), -1);
}

TEST(GridTest, TapOnAnEditableCellOffersItsChoices)
{
    Fixture f;
    GridEnumCellControl* combo = f.grid->Editor();
    QTest::mouseClick(f.grid->List()->viewport(), Qt::LeftButton, {}, f.CellCentre(2, 1));
    ASSERT_TRUE(combo->isVisible());
    EXPECT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->currentText(), "1");
    EXPECT_EQ(combo->EditedCell(), (GridCell{2, 1}));
    EXPECT_EQ(f.model.current.back(), 2);
    // It covers the cell.
    const QRect cell = f.grid->List()->visualRect(f.grid->List()->model()->index(2, 1));
    EXPECT_EQ(combo->geometry().topLeft(),
              f.grid->List()->viewport()->mapTo(f.grid, cell.topLeft()));

    QAbstractItemView* popup = combo->view();
    ASSERT_TRUE(popup->isVisible());
    popup->setCurrentIndex(popup->model()->index(2, 0));
    QTest::keyClick(popup, Qt::Key_Return);
    EXPECT_FALSE(combo->isVisible());
    ASSERT_EQ(f.model.editor.chosen.size(), 1u);
    EXPECT_EQ(f.model.editor.chosen[0].first, (GridCell{2, 1}));
    EXPECT_EQ(f.model.editor.chosen[0].second, 2);
    EXPECT_TRUE(f.grid->List()->hasFocus());
}

TEST(GridTest, CancelledOrHandledEditsChooseNothing)
{
    Fixture f;
    GridEnumCellControl* combo = f.grid->Editor();
    QTest::mouseClick(f.grid->List()->viewport(), Qt::LeftButton, {}, f.CellCentre(1, 1));
    ASSERT_TRUE(combo->view()->isVisible());
    QTest::keyClick(combo->view(), Qt::Key_Escape);
    EXPECT_FALSE(combo->isVisible());

    // A toggle handled by Activate shows no list.
    f.model.editor.handled = 1;
    QTest::mouseClick(f.grid->List()->viewport(), Qt::LeftButton, {}, f.CellCentre(3, 1));
    EXPECT_FALSE(combo->isVisible());

    // A cell without an editor only selects its row.
    QTest::mouseClick(f.grid->List()->viewport(), Qt::LeftButton, {}, f.CellCentre(4, 0));
    EXPECT_FALSE(combo->isVisible());
    EXPECT_EQ(f.grid->List()->SelectedRow(), 4);
    EXPECT_TRUE(f.model.editor.chosen.empty());
}

TEST(GridTest, EditorAnsweringNonsenseIsBounded)
{
    Fixture f;
    class Wild final : public GridCellEditor
    {
    public:
        int Activate(const GridCell&) override { return 0; }
        int GetChoiceCount(const GridCell&) override { return count; }
        QString GetChoiceText(const GridCell&, int) override { return {}; }
        int GetCurrentChoice(const GridCell&) override { return 77; }
        void SetChoice(const GridCell&, int) override {}
        int count = 0;
    } wild;
    GridEnumCellControl* combo = f.grid->Editor();
    wild.count = -5;
    combo->Edit(&wild, {0, 1}, QRect(0, 0, 50, 20));
    EXPECT_EQ(combo->count(), 0);
    EXPECT_EQ(combo->currentIndex(), -1);
    combo->hidePopup();
    wild.count = 1 << 30;
    combo->Edit(&wild, {0, 1}, QRect(0, 0, 50, 20));
    EXPECT_EQ(combo->count(), GridEnumCellControl::kMaxChoices);
    EXPECT_EQ(combo->currentIndex(), 77);
    combo->hidePopup();
}

TEST(GridTest, DoubleTapRaisesGridActivate)
{
    Fixture f;
    QTest::mouseDClick(f.grid->List()->viewport(), Qt::LeftButton, {}, f.CellCentre(5, 0));
    EXPECT_EQ(f.listener.names, QStringList{"gridActivate"});
    ASSERT_FALSE(f.model.current.empty());
    EXPECT_EQ(f.model.current.back(), 5);
}

TEST(GridTest, UpAndDownLeaveTheGridAtItsEnds)
{
    Fixture f(3);
    f.grid->setFocus();
    ASSERT_TRUE(f.grid->List()->hasFocus());
    f.model.selected = 2;
    f.grid->Refresh(-1);
    QTest::keyClick(f.grid->List(), Qt::Key_Up);
    EXPECT_TRUE(f.grid->List()->hasFocus());
    EXPECT_EQ(f.grid->List()->SelectedRow(), 1);
    EXPECT_EQ(f.model.current.back(), 1);
    QTest::keyClick(f.grid->List(), Qt::Key_Down);
    QTest::keyClick(f.grid->List(), Qt::Key_Down);
    EXPECT_TRUE(f.after->hasFocus());
    // Losing the focus reported the row.
    EXPECT_EQ(f.model.current.back(), 2);

    f.grid->setFocus();
    f.model.selected = 0;
    f.grid->Refresh(-1);
    QTest::keyClick(f.grid->List(), Qt::Key_Up);
    EXPECT_TRUE(f.before->hasFocus());
}

TEST(GridTest, HundredThousandRowsAskOnlyForWhatShows)
{
    Fixture f(100000);
    f.Paint();
    EXPECT_EQ(f.grid->List()->model()->rowCount(), 100000);
    EXPECT_LT(f.model.asked.size(), 40u);
    f.model.asked.clear();
    f.grid->List()->scrollToBottom();
    f.Paint();
    ASSERT_FALSE(f.model.asked.empty());
    EXPECT_EQ(f.model.asked.rbegin()->first, 99999);
    EXPECT_LT(f.model.asked.size(), 40u);
}

TEST(GridTest, ModelAnsweringNonsenseIsBounded)
{
    Fixture f;
    f.model.rows = -4;
    f.model.columns = -1;
    f.grid->SetModel(&f.model);
    EXPECT_EQ(f.grid->List()->model()->rowCount(), 0);
    EXPECT_EQ(f.grid->List()->model()->columnCount(), 0);

    f.model.rows = 1 << 30;
    f.model.columns = 1 << 30;
    f.model.width = -30;
    f.model.selected = (1 << 30) + 5;
    f.grid->SetModel(&f.model);
    EXPECT_EQ(f.grid->List()->model()->rowCount(), 1 << 20);
    EXPECT_EQ(f.grid->List()->model()->columnCount(), 64);
    EXPECT_EQ(f.grid->List()->SelectedRow(), -1);
    EXPECT_EQ(f.grid->List()->horizontalHeader()->sectionSize(0), 0);

    // Only the low 16 bits of a width count.
    f.model.rows = 2;
    f.model.columns = 1;
    f.model.width = 0x10000 + 70;
    f.grid->SetModel(&f.model);
    EXPECT_EQ(f.grid->List()->horizontalHeader()->sectionSize(0), 70);

    f.grid->SetModel(nullptr);
    f.grid->Refresh(-1);
    f.Paint();
    EXPECT_EQ(f.grid->List()->model()->columnCount(), 0);
}

} // namespace
