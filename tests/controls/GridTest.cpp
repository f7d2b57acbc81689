#include "UserInput.h"
#include "controls/CustomGrid.h"
#include "controls/GridCellEditor.h"
#include "controls/GridEnumCellControl.h"
#include "controls/GridListView.h"
#include "controls/GridModel.h"
#include "controls/RecordingListener.h"
#include "skin/SkinSettings.h"

#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QApplication>
#include <QHeaderView>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <map>

namespace {

class Editor final : public GridCellEditor
{
public:
    int Activate(const GridCell&) override { return handled; }
    int GetChoiceCount(const GridCell&) override { return count; }
    QString GetChoiceText(const GridCell&, int index) override { return QString::number(index); }
    int GetCurrentChoice(const GridCell&) override { return current; }
    void SetChoice(const GridCell& cell, int index) override { chosen.push_back({cell, index}); }

    int handled = 0;
    int count = 3;
    int current = 1;
    std::vector<std::pair<GridCell, int>> chosen;
};

// Food-log-like: four columns sized as percentages of the grid's client width; column 1 edits.
class Model final : public GridModel
{
public:
    int GetColumnCount() override { return columns; }
    QString GetColumnTitle(int column) override { return QString("Col %1").arg(column); }
    int GetColumnWidth(int column) override
    {
        const int p =
            SkinSettings::Instance().GetUnscaled(QString::asprintf("layout/food/col%d", column), 0);
        return width ? width : int(float(grid->GetClientWidth()) * float(p) * 0.01f);
    }
    int GetRowCount() override { return rows; }
    QString GetCellText(const GridCell& cell) override
    {
        ++asked[cell.row];
        if (cell.row == 0 && cell.column == 0 && !first.isEmpty())
            return first;
        return QString("r%1c%2").arg(cell.row).arg(cell.column);
    }
    int GetSelectedRow() override { return selected; }
    void SetCurrentRow(int row) override { current.push_back(row); }
    GridCellEditor* GetCellEditor(const GridCell& cell) override
    {
        return cell.column == 1 ? &editor : nullptr;
    }

    Grid* grid = nullptr;
    int columns = 4, width = 0, rows = 10, selected = -1;
    QString first;            // the first cell's text, when given
    std::map<int, int> asked; // row -> texts asked
    std::vector<int> current;
    Editor editor;
};

// A shown grid of the given rows.
struct Fixture
{
    explicit Fixture(int rows = 10)
    {
        grid = new CustomGrid(&window);
        grid->setGeometry(0, 0, 240, 200);
        model.grid = grid;
        model.rows = rows;
        grid->SetListener(&listener);
        UserInput::Activate(window);
        grid->SetModel(&model);
        Paint();
    }
    QPoint Cell(int row, int column) const
    {
        return List()->visualRect(List()->model()->index(row, column)).center();
    }
    void Tap(int row, int column)
    {
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, Cell(row, column));
    }
    GridListView* List() const { return grid->List(); }
    // Lets pending updates paint no more than they ask for. Twice: the view lays rows out on a
    // zero timer, and that layout posts its own update.
    static void Paint()
    {
        QApplication::processEvents();
        QApplication::processEvents();
    }

    Model model;
    RecordingListener listener;
    QWidget window;
    CustomGrid* grid = nullptr;
};

TEST(GridTest, ColumnsFollowTheClientWidthAndScreenReadersGetATable)
{
    Fixture f(3);
    ASSERT_EQ(f.grid->GetClientWidth(), 240);
    const QHeaderView* header = f.List()->horizontalHeader();
    EXPECT_EQ(header->sectionSize(0), 96); // 40 % of the client

    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(f.List());
    EXPECT_EQ(std::pair(list->role(), list->text(QAccessible::Name)),
              std::pair(QAccessible::Table, QString("Entries")));
    QAccessibleTableInterface* table = list->tableInterface();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(std::tuple(table->rowCount(), table->columnCount(), table->columnDescription(2),
                         table->cellAt(1, 2)->text(QAccessible::Name)),
              std::tuple(3, 4, QString("Col 2"), QString("r1c2")));

    // Rows enough for a scroll bar narrow the client; the columns follow.
    f.model.rows = 100;
    f.grid->Refresh(-1);
    f.Paint();
    const int client = f.grid->GetClientWidth();
    ASSERT_LT(client, 240);
    EXPECT_EQ(header->sectionSize(0), int(float(client) * 40.0f * 0.01f));
}

// A cell cut short tells its whole text in a tooltip; one that fits needs none.
TEST(GridTest, CutCellsShowTheirWholeTextAsATooltip)
{
    Fixture f(2);
    f.model.width = 50;
    f.model.first = QStringLiteral("1 cup, quartered or chopped");
    f.grid->SetModel(&f.model);
    f.Paint();
    const auto tip = [&](int row) {
        QHelpEvent help(QEvent::ToolTip, f.Cell(row, 0),
                        f.List()->viewport()->mapToGlobal(f.Cell(row, 0)));
        QApplication::sendEvent(f.List()->viewport(), &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    EXPECT_EQ(tip(1), QString());
    EXPECT_EQ(tip(0), f.model.first);
}

TEST(GridTest, RefreshRedrawsOneRowOrAllAndSelectsTheModelsRow)
{
    Fixture f(6);
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

    QAbstractItemModelTester tester(f.List()->model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    f.model.selected = 2;
    f.grid->Refresh(-1);
    EXPECT_EQ(f.List()->SelectedRow(), 2);
    // Refresh itself reports nothing back to the model.
    EXPECT_TRUE(f.model.current.empty());
    // A deletion leaving no row selected.
    f.model.selected = -1;
    f.model.rows = 4;
    f.grid->Refresh(-1);
    EXPECT_EQ(std::pair(f.List()->model()->rowCount(), f.List()->SelectedRow()), std::pair(4, -1));
    f.model.rows = 0;
    f.model.selected = 0;
    f.grid->Refresh(-1);
    EXPECT_EQ(f.List()->SelectedRow(), -1);
}

TEST(GridTest, TapOnAnEditableCellOffersItsChoicesAndDoubleTapActivates)
{
    Fixture f;
    GridEnumCellControl* combo = f.grid->Editor();
    f.Tap(2, 1);
    ASSERT_TRUE(combo->view()->isVisible());
    EXPECT_EQ(std::tuple(combo->count(), combo->currentIndex(), f.model.current.back()),
              std::tuple(3, 1, 2));
    const QRect cell = f.List()->visualRect(f.List()->model()->index(2, 1));
    EXPECT_EQ(combo->pos(), f.List()->viewport()->mapTo(f.grid, cell.topLeft()));

    combo->view()->setCurrentIndex(combo->view()->model()->index(2, 0));
    QTest::keyClick(combo->view(), Qt::Key_Return);
    EXPECT_FALSE(combo->isVisible());
    const std::vector<std::pair<GridCell, int>> chosen{{{2, 1}, 2}};
    EXPECT_EQ(f.model.editor.chosen, chosen);
    EXPECT_TRUE(f.List()->hasFocus());

    // Cancelled: nothing chosen.
    f.Tap(1, 1);
    QTest::keyClick(combo->view(), Qt::Key_Escape);
    EXPECT_FALSE(combo->isVisible());
    // A toggle handled by Activate shows no list; a cell without editor only selects its row.
    f.model.editor.handled = 1;
    f.Tap(3, 1);
    EXPECT_FALSE(combo->isVisible());
    f.Tap(4, 0);
    EXPECT_FALSE(combo->isVisible());
    EXPECT_EQ(f.List()->SelectedRow(), 4);
    EXPECT_EQ(f.model.editor.chosen, chosen);

    QTest::mouseDClick(f.List()->viewport(), Qt::LeftButton, {}, f.Cell(5, 0));
    EXPECT_EQ(f.listener.names, QStringList{"gridActivate"});
    EXPECT_EQ(f.model.current.back(), 5);
}

TEST(GridTest, HundredThousandRowsAskOnlyForWhatShows)
{
    Fixture f(100000);
    EXPECT_EQ(f.List()->model()->rowCount(), 100000);
    EXPECT_LT(f.model.asked.size(), 40u);
    f.model.asked.clear();
    f.List()->scrollToBottom();
    f.Paint();
    ASSERT_FALSE(f.model.asked.empty());
    EXPECT_EQ(f.model.asked.rbegin()->first, 99999);
    EXPECT_LT(f.model.asked.size(), 40u);
}

TEST(GridTest, ModelsAnsweringNonsenseAreBounded)
{
    Fixture f;
    f.model.rows = -4;
    f.model.columns = -1;
    f.grid->SetModel(&f.model);
    const auto shape = [&f] {
        return std::pair(f.List()->model()->rowCount(), f.List()->model()->columnCount());
    };
    EXPECT_EQ(shape(), std::pair(0, 0));

    f.model.rows = f.model.columns = 1 << 30;
    f.model.width = -30;
    f.model.selected = (1 << 30) + 5;
    f.grid->SetModel(&f.model);
    EXPECT_EQ(shape(), std::pair(1 << 20, 64));
    EXPECT_EQ(f.List()->SelectedRow(), -1);
    EXPECT_EQ(f.List()->horizontalHeader()->sectionSize(0), 0);
    // Only the low 16 bits of a width count.
    f.model.rows = 2;
    f.model.width = 0x10000 + 70;
    f.grid->SetModel(&f.model);
    EXPECT_EQ(f.List()->horizontalHeader()->sectionSize(0), 70);

    GridEnumCellControl* combo = f.grid->Editor();
    f.model.editor.count = -5;
    f.model.editor.current = 77;
    f.Tap(0, 1);
    EXPECT_EQ(std::pair(combo->count(), combo->currentIndex()), std::pair(0, -1));
    combo->hidePopup();
    f.model.editor.count = 1 << 30;
    f.Tap(1, 1);
    EXPECT_EQ(combo->count(), GridEnumCellControl::kMaxChoices);
    combo->hidePopup();

    f.grid->SetModel(nullptr);
    f.grid->Refresh(-1);
    f.Paint();
    EXPECT_EQ(f.List()->model()->columnCount(), 0);
}

} // namespace
