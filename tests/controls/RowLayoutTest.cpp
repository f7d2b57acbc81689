#include "controls/RowLayout.h"
#include "controls/ScrollCtrlContainer.h"
#include "skin/SkinSettings.h"

#include <QLabel>
#include <QLineEdit>
#include <QApplication>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <map>

namespace {

using Occupancy = std::vector<std::pair<bool, bool>>;
using Code = ScrollCtrlContainer::ScrollCode;
using Info = ScrollCtrlContainer::ScrollInfo;

// Horizontal extent as the handheld states it: left and exclusive right.
std::pair<int, int> Span(const QRect& r)
{
    return {r.x(), r.x() + r.width()};
}

RowLayout::Lookup Table(std::map<QString, int> values)
{
    return [values = std::move(values)](const QString& key, int defaultValue) {
        const auto it = values.find(key);
        return it == values.end() ? defaultValue : it->second;
    };
}

TEST(RowLayoutTest, ProfileRowsOnTheQvgaScreen)
{
    SkinSettings::Instance().Init(240, 320);
    const auto placements = RowLayout::Compute(
        "layout/profile", Occupancy(3, {true, true}), QRect(0, 0, 240, 200),
        RowLayout::SkinLookup());
    ASSERT_EQ(placements.size(), 6u);
    for (const auto& p : placements) {
        EXPECT_EQ(p.rect.y(), 10 + 21 * p.row);
        EXPECT_EQ(p.rect.height(), 19);
    }
    EXPECT_EQ(Span(placements[0].rect), std::make_pair(5, 125));
    EXPECT_EQ(Span(placements[1].rect), std::make_pair(145, 235));
    // Row 1: 70 and 135 from the screen mode's entries.
    EXPECT_EQ(Span(placements[2].rect), std::make_pair(5, 75));
    EXPECT_EQ(Span(placements[3].rect), std::make_pair(100, 235));
}

TEST(RowLayoutTest, BloggerRowZeroTakesTheRestAfterTheLabel)
{
    SkinSettings::Instance().Init(240, 320);
    const auto placements = RowLayout::Compute("layout/blogger", Occupancy{{true, true}},
                                               QRect(0, 0, 240, 100), RowLayout::SkinLookup());
    ASSERT_EQ(placements.size(), 2u);
    EXPECT_EQ(Span(placements[0].rect), std::make_pair(5, 70));
    EXPECT_EQ(Span(placements[1].rect), std::make_pair(72, 235));
    EXPECT_EQ(placements[0].rect.y(), 4);
}

TEST(RowLayoutTest, DoubledScreenStillTakesTheRestWithAScaledMinusOne)
{
    SkinSettings::Instance().Init(480, 640);
    EXPECT_EQ(SkinSettings::Instance().GetScaled(u"layout/blogger/rows/0/width2", 0), -2);
    const auto placements = RowLayout::Compute("layout/blogger", Occupancy{{true, true}},
                                               QRect(0, 0, 480, 200), RowLayout::SkinLookup());
    ASSERT_EQ(placements.size(), 2u);
    EXPECT_EQ(Span(placements[0].rect), std::make_pair(10, 140));
    EXPECT_EQ(Span(placements[1].rect), std::make_pair(144, 470));
    SkinSettings::Instance().Init(240, 320);
}

TEST(RowLayoutTest, WidthsCarryOverAndDefaultToHalves)
{
    const auto lookup = Table({{"p/leftMargin", 5},
                               {"p/rightMargin", 5},
                               {"p/rowHeight", 10},
                               {"p/xRowSpacing", 2},
                               {"p/rows/1/width1", 60},
                               {"p/rows/1/width2", 50},
                               {"p/rows/3/width1", -1},
                               {"p/rows/3/width2", -1},
                               {"p/rows/4/width1", -1},
                               {"p/rows/4/width2", 100}});
    const auto placements = RowLayout::Compute(
        "p", Occupancy{{true, true}, {true, true}, {true, true}, {true, true}, {true, true}},
        QRect(0, 0, 240, 100), lookup);
    ASSERT_EQ(placements.size(), 10u);
    // Row 0 without entries: split at the middle of the whole width.
    EXPECT_EQ(Span(placements[0].rect), std::make_pair(5, 120));
    EXPECT_EQ(Span(placements[1].rect), std::make_pair(120, 235));
    // Row 1 fixed at both ends; row 2 repeats it.
    EXPECT_EQ(Span(placements[2].rect), std::make_pair(5, 65));
    EXPECT_EQ(Span(placements[3].rect), std::make_pair(185, 235));
    EXPECT_EQ(Span(placements[4].rect), std::make_pair(5, 65));
    EXPECT_EQ(Span(placements[5].rect), std::make_pair(185, 235));
    // Row 3 both flexible: (5 - 2 + 235) / 2 = 119, the second after the spacing.
    EXPECT_EQ(Span(placements[6].rect), std::make_pair(5, 119));
    EXPECT_EQ(Span(placements[7].rect), std::make_pair(121, 235));
    // Row 4: the second is fixed and the first takes the rest.
    EXPECT_EQ(Span(placements[8].rect), std::make_pair(5, 133));
    EXPECT_EQ(Span(placements[9].rect), std::make_pair(135, 235));
    EXPECT_EQ(placements[9].rect.y(), 48);
}

TEST(RowLayoutTest, SingleControlsSpanTheRowAndEmptyRowsStillTakeSpace)
{
    const auto lookup = Table({{"p/leftMargin", 5}, {"p/rightMargin", 7}, {"p/topMargin", 3}});
    const auto placements = RowLayout::Compute(
        "p", Occupancy{{true, false}, {false, false}, {false, true}}, QRect(0, 10, 100, 90),
        lookup);
    ASSERT_EQ(placements.size(), 2u);
    EXPECT_EQ(placements[0].column, 0);
    EXPECT_EQ(RowLayout::FromEdges(5, 13, 93, 33), placements[0].rect);
    EXPECT_EQ(placements[1].row, 2);
    EXPECT_EQ(placements[1].column, 1);
    EXPECT_EQ(RowLayout::FromEdges(5, 59, 93, 79), placements[1].rect);
}

TEST(RowLayoutTest, ContentHeightAndRowsRect)
{
    SkinSettings::Instance().Init(240, 320);
    std::vector<RowLayout::Row> rows(6);
    RowLayout layout("layout/profile", rows);
    EXPECT_EQ(layout.GetContentHeight(), 139);
    EXPECT_EQ(layout.GetRowsRect(QRect(0, 30, 240, 100)), RowLayout::FromEdges(5, 40, 235, 164));
    RowLayout none("layout/profile", {});
    EXPECT_EQ(none.GetContentHeight(), 13);
}

TEST(ScrollArithmeticTest, BarAppearsWithTheContentHeightAsMaximum)
{
    Info info;
    int offset = 7;
    auto result = ScrollCtrlContainer::ComputeUpdate(120, 139, info, offset);
    EXPECT_TRUE(result.changed);
    EXPECT_FALSE(result.layout);
    EXPECT_EQ(info, (Info{0, 139, 120, 0}));
    EXPECT_EQ(offset, 0);

    // The resize that follows lays out and changes nothing.
    offset = 12;
    info.position = 12;
    result = ScrollCtrlContainer::ComputeUpdate(120, 139, info, offset);
    EXPECT_FALSE(result.changed);
    EXPECT_TRUE(result.layout);
    EXPECT_EQ(offset, 12);

    // A taller client still short of the content: new page, back to the top, laid out.
    result = ScrollCtrlContainer::ComputeUpdate(130, 139, info, offset);
    EXPECT_TRUE(result.changed);
    EXPECT_TRUE(result.layout);
    EXPECT_EQ(info, (Info{0, 139, 130, 0}));
    EXPECT_EQ(offset, 0);

    // Content that fits removes the range without laying out.
    result = ScrollCtrlContainer::ComputeUpdate(139, 139, info, offset);
    EXPECT_TRUE(result.changed);
    EXPECT_FALSE(result.layout);
    EXPECT_FALSE(info.HasRange());

    result = ScrollCtrlContainer::ComputeUpdate(139, 139, info, offset);
    EXPECT_FALSE(result.changed);
    EXPECT_TRUE(result.layout);
}

TEST(ScrollArithmeticTest, PositionsStopAtTheLimitCountingThePage)
{
    const Info info{0, 139, 120, 15};
    EXPECT_EQ(info.Limit(), 20);
    EXPECT_EQ(ScrollCtrlContainer::ComputePosition(Code::LineDown, 0, info), 20);
    EXPECT_EQ(ScrollCtrlContainer::ComputePosition(Code::LineDown, 0, {0, 139, 120, 10}), 15);
    EXPECT_EQ(ScrollCtrlContainer::ComputePosition(Code::LineUp, 0, info), 10);
    EXPECT_EQ(ScrollCtrlContainer::ComputePosition(Code::LineUp, 0, {0, 139, 120, 3}), 0);
    EXPECT_EQ(ScrollCtrlContainer::ComputePosition(Code::PageDown, 0, {0, 400, 120, 15}), 135);
    EXPECT_EQ(ScrollCtrlContainer::ComputePosition(Code::PageDown, 0, info), 20);
    EXPECT_EQ(ScrollCtrlContainer::ComputePosition(Code::PageUp, 0, info), 0);
    EXPECT_EQ(ScrollCtrlContainer::ComputePosition(Code::ThumbTrack, 9, info), 9);
    EXPECT_EQ(ScrollCtrlContainer::ComputePosition(Code::ThumbPosition, 4, info), 4);
    EXPECT_EQ(ScrollCtrlContainer::ComputePosition(Code::Top, 0, info), 0);
    EXPECT_EQ(ScrollCtrlContainer::ComputePosition(Code::Bottom, 0, info), 20);
    EXPECT_EQ(ScrollCtrlContainer::ComputePosition(Code::EndScroll, 3, info), 15);
    EXPECT_EQ(ScrollCtrlContainer::ComputePosition(Code::Other, 3, info), 15);
}

// Six profile rows with a line edit in the last.
class Form final : public ScrollCtrlContainer
{
public:
    Form()
    {
        std::vector<RowLayout::Row> rows;
        for (int i = 0; i < 6; ++i) {
            auto* label = new QLabel(QString::number(i), this);
            QWidget* field = nullptr;
            if (i == 0 || i == 5)
                field = new QLineEdit(this);
            rows.push_back({label, field});
            labels.push_back(label);
            fields.push_back(field);
        }
        layout = std::make_unique<RowLayout>("layout/profile", rows);
    }

    std::unique_ptr<RowLayout> layout;
    std::vector<QLabel*> labels;
    std::vector<QWidget*> fields;
    int layouts = 0;

protected:
    void LayoutContent(const QRect& content, const QRect&, int) override
    {
        ++layouts;
        layout->LayoutRows(content);
    }
    int GetContentHeight(const QRect&, const ScrollInfo&) override { return layout->GetContentHeight(); }
};

TEST(ScrollCtrlContainerTest, ScrollsItsRowsByLayingThemOutAgain)
{
    SkinSettings::Instance().Init(240, 320);
    Form form;
    form.resize(240, 120);
    form.show();
    ASSERT_TRUE(form.ScrollBar()->isVisible());
    EXPECT_EQ(form.Info(), (Info{0, 139, 120, 0}));
    EXPECT_EQ(form.ScrollBar()->maximum(), 20);
    EXPECT_EQ(form.ScrollBar()->pageStep(), 120);
    const int barWidth = form.ScrollBar()->width();
    EXPECT_EQ(form.ClientRect().width(), 240 - barWidth);
    EXPECT_EQ(form.labels[1]->y(), 31);
    // The right column ends at the margin of the narrowed client.
    EXPECT_EQ(form.fields[0]->x() + form.fields[0]->width(), 235 - barWidth);

    form.Scroll(Code::PageDown);
    EXPECT_EQ(form.Offset(), 20);
    EXPECT_EQ(form.ScrollBar()->value(), 20);
    EXPECT_EQ(form.labels[1]->y(), 11);

    // The Qt bar's own steps arrive at the same positions.
    form.ScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(form.Offset(), 0);
    form.ScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(form.Offset(), 5);
    EXPECT_EQ(form.labels[0]->y(), 5);

    // Growing the window until everything fits removes the bar and gives back its width.
    form.resize(240, 139);
    EXPECT_FALSE(form.ScrollBar()->isVisible());
    EXPECT_EQ(form.Offset(), 0);
    EXPECT_EQ(form.labels[0]->y(), 10);
    EXPECT_EQ(form.fields[0]->x() + form.fields[0]->width(), 235);
}

TEST(ScrollCtrlContainerTest, FocusBringsTheFieldIntoView)
{
    SkinSettings::Instance().Init(240, 320);
    Form form;
    form.resize(240, 120);
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    // Focus moving inside scrolls by itself. Row 5 sits at 115..134, below the 120-pixel client.
    form.fields[5]->setFocus();
    ASSERT_TRUE(form.fields[5]->hasFocus());
    EXPECT_EQ(form.Offset(), 14);
    EXPECT_EQ(form.ScrollBar()->value(), 14);
    EXPECT_EQ(form.fields[5]->y() + form.fields[5]->height(), 120);

    // Row 0 is 4 pixels above the client: scrolled just enough to show it whole.
    form.fields[0]->setFocus();
    EXPECT_EQ(form.Offset(), 10);
    EXPECT_EQ(form.fields[0]->y(), 0);
}

} // namespace
