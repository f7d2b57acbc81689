#include "controls/RowLayoutContainer.h"
#include "skin/SkinSettings.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <map>

namespace {

using Occupancy = std::vector<std::pair<bool, bool>>;
using Code = ScrollCtrlContainer::ScrollCode;
using Info = ScrollCtrlContainer::ScrollInfo;
using Span = std::pair<int, int>;

// Each placement's horizontal extent as the handheld states it: left, exclusive right.
std::vector<Span> Spans(const std::vector<RowLayout::Placement>& placements)
{
    std::vector<Span> spans;
    for (const auto& p : placements)
        spans.emplace_back(p.rect.x(), p.rect.x() + p.rect.width());
    return spans;
}

std::vector<RowLayout::Placement> Skinned(const char* prefix, const Occupancy& rows, int width)
{
    return RowLayout::Compute(prefix, rows, QRect(0, 0, width, 300), RowLayout::SkinLookup());
}

// The blogger row's second width is -1, the rest after the spacing; doubled, the skin gives -2.
TEST(RowLayoutTest, TheRestWidthSurvivesDoubling)
{
    EXPECT_EQ(Spans(Skinned("layout/blogger", Occupancy{{true, true}}, 240)),
              (std::vector<Span>{{5, 70}, {72, 235}}));
    SkinSettings::Instance().Init(480, 640);
    EXPECT_EQ(Spans(Skinned("layout/blogger", Occupancy{{true, true}}, 480)),
              (std::vector<Span>{{10, 140}, {144, 470}}));
}

TEST(RowLayoutTest, WidthsCarryOverAndSingleControlsSpanTheRow)
{
    const std::map<QString, int> table{
        {"p/leftMargin", 5},      {"p/rightMargin", 5},     {"p/rowHeight", 10},
        {"p/xRowSpacing", 2},     {"p/rows/1/width1", 60},  {"p/rows/1/width2", 50},
        {"p/rows/4/width1", -1},  {"p/rows/4/width2", -1},  {"p/rows/5/width1", -1},
        {"p/rows/5/width2", 100}, {"p/rows/7/width1", 200}, {"p/rows/7/width2", 100}};
    const auto lookup = [&](const QString& key, int defaultValue) {
        const auto it = table.find(key);
        return it == table.end() ? defaultValue : it->second;
    };
    const Occupancy rows{{true, true}, {true, true},   {true, false}, {true, true}, {true, true},
                         {true, true}, {false, false}, {true, true},  {false, true}};
    const auto placements = RowLayout::Compute("p", rows, QRect(0, 0, 240, 200), lookup);
    EXPECT_EQ(Spans(placements), (std::vector<Span>{{5, 120},
                                                    {120, 235}, // row 0: halves of the whole width
                                                    {5, 65},
                                                    {185, 235}, // row 1: both fixed
                                                    {5, 235},   // row 2: one control, whole row
                                                    {5, 65},
                                                    {185, 235}, // row 3: repeats row 1
                                                    {5, 119},
                                                    {121, 235}, // row 4: (5 - 2 + 235) / 2
                                                    {5, 133},
                                                    {135, 235}, // row 5: second fixed
                                                    {5, 205},
                                                    {135, 235},  // row 7: overlapping
                                                    {5, 235}})); // row 8: second column alone
    EXPECT_EQ(placements.back().column, 1);
    EXPECT_EQ(placements.back().rect.y(), 8 * 12);
}

TEST(ScrollArithmeticTest, BarComesAndGoesWithTheContent)
{
    Info info;
    int offset = 7;
    // Adding the bar resizes the window, and that resize lays out: no layout now.
    auto result = ScrollCtrlContainer::ComputeUpdate(120, 139, info, offset);
    EXPECT_TRUE(result.changed && !result.layout);
    EXPECT_EQ(info, (Info{0, 139, 120, 0}));
    EXPECT_EQ(offset, 0);
    offset = info.position = 12;
    result = ScrollCtrlContainer::ComputeUpdate(120, 139, info, offset);
    EXPECT_TRUE(!result.changed && result.layout);
    EXPECT_EQ(offset, 12);
    // A new page: back to the top, laid out at once.
    result = ScrollCtrlContainer::ComputeUpdate(130, 139, info, offset);
    EXPECT_TRUE(result.changed && result.layout);
    EXPECT_EQ(info, (Info{0, 139, 130, 0}));
    // Content that fits removes the range; the resize that follows lays out.
    result = ScrollCtrlContainer::ComputeUpdate(139, 139, info, offset);
    EXPECT_TRUE(result.changed && !result.layout);
    EXPECT_FALSE(info.HasRange());
    result = ScrollCtrlContainer::ComputeUpdate(139, 139, info, offset);
    EXPECT_TRUE(!result.changed && result.layout);
}

TEST(ScrollArithmeticTest, PositionsStopAtTheLimitCountingThePage)
{
    const Info info{0, 139, 120, 15};
    const auto at = [&](Code code, int position, int thumb = 0) {
        return ScrollCtrlContainer::ComputePosition(code, thumb, {0, 139, 120, position});
    };
    EXPECT_EQ(info.Limit(), 20);
    EXPECT_EQ(at(Code::LineDown, 15), 20);
    EXPECT_EQ(at(Code::LineDown, 10), 15);
    EXPECT_EQ(at(Code::LineUp, 3), 0);
    EXPECT_EQ(at(Code::PageDown, 15), 20);
    EXPECT_EQ(ScrollCtrlContainer::ComputePosition(Code::PageDown, 0, {0, 400, 120, 15}), 135);
    EXPECT_EQ(at(Code::PageUp, 15), 0);
    EXPECT_EQ(at(Code::ThumbTrack, 15, 9), 9);
    EXPECT_EQ(at(Code::Bottom, 15), 20);
    EXPECT_EQ(at(Code::Top, 15), 0);
    EXPECT_EQ(at(Code::EndScroll, 15, 3), 15);
}

// Six profile rows, line edits in rows 0 and 5.
class Form final : public RowLayoutContainer
{
public:
    Form()
    {
        std::vector<RowLayout::Row> rows;
        for (int i = 0; i < 6; ++i) {
            labels.push_back(MakeStatic(100 + i, QString::number(i)));
            fields.push_back(i == 0 || i == 5 ? new QLineEdit(this) : nullptr);
            rows.push_back({labels.back(), fields.back()});
        }
        SetRowLayout(std::make_unique<RowLayout>("layout/profile", rows));
        resize(240, 120);
        show();
    }
    std::vector<QLabel*> labels;
    std::vector<QWidget*> fields;
};

TEST(ScrollCtrlContainerTest, ScrollsItsRowsByLayingThemOutAgain)
{
    Form form;
    ASSERT_TRUE(form.ScrollBar()->isVisible());
    EXPECT_EQ(form.Info(), (Info{0, 139, 120, 0}));
    EXPECT_EQ(form.ScrollBar()->maximum(), 20);
    EXPECT_EQ(form.ScrollBar()->pageStep(), 120);
    const int bar = form.ScrollBar()->width();
    EXPECT_EQ(form.fields[0]->x() + form.fields[0]->width(), 235 - bar);
    EXPECT_EQ(form.labels[1]->y(), 31);

    form.Scroll(Code::PageDown);
    EXPECT_EQ(form.ScrollBar()->value(), 20);
    EXPECT_EQ(form.labels[1]->y(), 11);
    // The Qt bar's own steps arrive at the same positions.
    form.ScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
    form.ScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(form.Offset(), 5);
    EXPECT_EQ(form.labels[0]->y(), 5);

    // Tall enough: the bar goes and gives its width back.
    form.resize(240, 139);
    EXPECT_FALSE(form.ScrollBar()->isVisible());
    EXPECT_EQ(form.Offset(), 0);
    EXPECT_EQ(form.fields[0]->x() + form.fields[0]->width(), 235);
}

TEST(ScrollCtrlContainerTest, FocusBringsTheFieldIntoView)
{
    Form form;
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    // Row 5 sits at 115..134, below the 120-pixel client.
    form.fields[5]->setFocus();
    EXPECT_EQ(form.Offset(), 14);
    EXPECT_EQ(form.ScrollBar()->value(), 14);
    EXPECT_EQ(form.fields[5]->y() + form.fields[5]->height(), 120);
    // Row 0 is then 4 pixels above the client: just enough to show it whole.
    form.fields[0]->setFocus();
    EXPECT_EQ(form.Offset(), 10);
    EXPECT_EQ(form.fields[0]->y(), 0);
}

} // namespace
