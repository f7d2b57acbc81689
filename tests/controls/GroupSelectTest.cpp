#include "UserInput.h"
#include "controls/GroupSelectContentControl.h"
#include "controls/GroupSelectModel.h"
#include "controls/RecordingListener.h"

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Two groups, as the food lookup: a category, then a subcategory that depends on it; the items
// depend on both.
class Model final : public GroupSelectModel
{
public:
    int GetGroupCount() override { return groups; }
    int GetGroupChoice(int group) override { return choice[group]; }
    void SetGroupChoice(int group, int index) override
    {
        writes << QString("group %1 = %2").arg(group).arg(index);
        choice[group] = index;
        if (group == 0)
            choice[1] = 0;
    }
    int GetChoiceCount(int group) override
    {
        if (group == 0)
            return 3;
        return choice[0] == 2 ? 0 : 2 + choice[0];
    }
    QString GetChoiceText(int group, int index) override
    {
        ++textReads[group];
        return QString("g%1 c%2 of %3").arg(group).arg(index).arg(group ? choice[0] : -1);
    }
    int GetItemCount() override { return 4; }
    QString GetItemText(int index) override
    {
        ++itemReads;
        return QString("item %1 (%2/%3)").arg(index).arg(choice[0]).arg(choice[1]);
    }
    int GetSelectedItem() override { return selected; }
    void SetSelectedItem(int index) override
    {
        writes << QString("item = %1").arg(index);
        selected = index;
    }
    void ClearCounts()
    {
        textReads[0] = textReads[1] = itemReads = 0;
        writes.clear();
    }

    int groups = 2, selected = 0, itemReads = 0;
    int choice[2] = {0, 1};
    int textReads[2] = {0, 0};
    QStringList writes;
};

struct Fixture
{
    Fixture()
    {
        control.resize(240, 200);
        control.SetListener(&listener);
        UserInput::Activate(control);
        control.SetModel(&model);
        model.ClearCounts();
    }
    Model model;
    RecordingListener listener;
    GroupSelectContentControl control;
};

TEST(GroupSelectTest, FillsGroupsAndItemsFromTheModel)
{
    Fixture f;
    ASSERT_EQ(f.control.GroupCount(), 2);
    EXPECT_EQ(std::tuple(f.control.GroupList(0)->count(), f.control.GroupList(1)->currentText(),
                         f.control.GroupList(1)->objectName(), f.control.ItemList()->count()),
              std::tuple(3, QString("g1 c1 of 0"), QString("101"), 4));
    EXPECT_TRUE(f.control.ItemList()->item(0)->isSelected() && f.control.ItemList()->hasFocus());

    // The items fill what the groups leave, down to the bottom less a pixel.
    EXPECT_EQ(f.control.ItemList()->geometry().bottom(), 198);
    Model none;
    none.groups = 0;
    f.control.SetModel(&none);
    EXPECT_EQ(f.control.GroupCount(), 0);
    EXPECT_EQ(f.control.ItemList()->geometry(), QRect(0, 1, 240, 198));
}

TEST(GroupSelectTest, ReloadAndChoicesRefillOnlyWhatChangedOrDependsOnIt)
{
    Fixture f;
    f.control.Reload();
    EXPECT_EQ(f.model.textReads[0] + f.model.textReads[1] + f.model.itemReads, 0);
    EXPECT_TRUE(f.model.writes.isEmpty());
    // Only the item selection differs: it is written to the model, nothing is refilled.
    f.control.ItemList()->blockSignals(true);
    f.control.ItemList()->setCurrentRow(3);
    f.control.ItemList()->blockSignals(false);
    f.control.Reload();
    EXPECT_EQ(f.model.writes, QStringList{"item = 3"});
    EXPECT_EQ(f.model.itemReads, 0);

    f.model.ClearCounts();
    // A user's choice on the closed drop-down: one step down, confirmed.
    QTest::keyClick(f.control.GroupList(0), Qt::Key_Down);
    EXPECT_EQ(f.model.writes, QStringList{"group 0 = 1"});
    EXPECT_EQ(f.model.textReads[0], 0);
    EXPECT_EQ(f.control.GroupList(1)->count(), 3);
    EXPECT_EQ(f.control.GroupList(1)->currentText(), "g1 c0 of 1");
    EXPECT_EQ(f.control.ItemList()->item(0)->text(), "item 0 (1/0)");
    EXPECT_TRUE(f.control.ItemList()->hasFocus());

    // The last group's change refills only the items.
    f.model.ClearCounts();
    QTest::keyClick(f.control.GroupList(1), Qt::Key_Down);
    EXPECT_EQ(std::tuple(f.model.writes, f.model.textReads[0] + f.model.textReads[1],
                         f.model.itemReads, f.control.ItemList()->item(2)->text()),
              std::tuple(QStringList{"group 1 = 1"}, 0, 4, QString("item 2 (1/1)")));

    // The entry already chosen, confirmed again: no group is written, nothing refilled.
    f.model.ClearCounts();
    emit f.control.GroupList(0)->activated(1);
    EXPECT_TRUE(f.model.writes.isEmpty());
    EXPECT_EQ(f.model.itemReads, 0);

    // A group left without choices is emptied and disabled until it has some again.
    f.control.GroupList(0)->setCurrentIndex(2);
    f.control.Reload();
    const auto second = [&] {
        return std::pair(f.control.GroupList(1)->count(), f.control.GroupList(1)->isEnabled());
    };
    EXPECT_EQ(f.model.writes, QStringList{"group 0 = 2"});
    EXPECT_EQ(second(), std::pair(0, false));
    f.control.GroupList(0)->setCurrentIndex(0);
    f.control.Reload();
    EXPECT_EQ(second(), std::pair(2, true));
}

TEST(GroupSelectTest, ItemSelectionAndDoubleTap)
{
    Fixture f;
    QListWidget* list = f.control.ItemList();
    const QPoint centre = list->visualItemRect(list->item(2)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    EXPECT_EQ(f.model.writes.last(), "item = 2");
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
    EXPECT_EQ(f.listener.names, QStringList{"itemActivated"});
}

// Counts that are negative or absurd, choices and selections out of range.
class Wild final : public GroupSelectModel
{
public:
    int GetGroupCount() override { return groups; }
    int GetGroupChoice(int) override { return 9; }
    void SetGroupChoice(int group, int index) override { writes.push_back({group, index}); }
    int GetChoiceCount(int group) override { return group == 0 ? -3 : (group == 1 ? 2 : 1 << 30); }
    QString GetChoiceText(int, int) override { return {}; }
    int GetItemCount() override { return items; }
    QString GetItemText(int) override { return {}; }
    int GetSelectedItem() override { return -7; }
    void SetSelectedItem(int) override {}

    int groups = 1 << 30;
    int items = -1;
    std::vector<std::pair<int, int>> writes;
};

TEST(GroupSelectTest, ModelAnsweringNonsenseIsBounded)
{
    Wild wild;
    wild.groups = 2;
    GroupSelectContentControl control;
    control.resize(240, 200);
    control.SetModel(&wild);
    EXPECT_EQ(std::tuple(control.GroupCount(), control.GroupList(0)->isEnabled(),
                         control.GroupList(1)->currentIndex(), control.ItemList()->count()),
              std::tuple(2, false, -1, 0));
    // An out-of-range choice shows no selection and is never written back as one.
    control.Reload();
    EXPECT_TRUE(wild.writes.empty());

    wild.groups = 1 << 30;
    wild.items = 0;
    control.SetModel(&wild);
    EXPECT_EQ(control.GroupCount(), GroupSelectContentControl::kMaxGroups);
    EXPECT_EQ(control.GroupList(2)->count(), GroupSelectContentControl::kMaxChoices);
    control.SetModel(nullptr);
    control.Reload();
    EXPECT_EQ(control.GroupCount(), 0);
}

} // namespace
