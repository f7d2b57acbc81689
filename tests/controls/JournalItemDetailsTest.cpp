#include "controls/JournalItemDetailsCtrl.h"
#include "controls/RecordingListener.h"
#include "controls/RowLayout.h"
#include "skin/SkinSettings.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Left, top, exclusive right and bottom, as the layout is given.
constexpr auto Edges = &RowLayout::FromEdges;

TEST(JournalItemDetailsTest, LayoutFollowsTheSkin)
{
    SkinSettings::Instance().Init(240, 320);
    JournalItemDetailsCtrl control;
    control.resize(240, 192);
    control.show();
    EXPECT_EQ(control.Label()->text(), "Subject");
    // A screen reader names both fields as editable text.
    for (auto [field, name] : {std::pair<QWidget*, const char*>{control.SubjectField(), "Subject"},
                               {control.BodyField(), "Journal entry"}}) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(field);
        ASSERT_TRUE(accessible);
        EXPECT_EQ(accessible->text(QAccessible::Name), QString::fromLatin1(name));
        EXPECT_EQ(accessible->role(), QAccessible::EditableText);
    }
    EXPECT_EQ(control.Label()->geometry(), Edges(3, 4, 49, 21));
    EXPECT_EQ(control.SubjectField()->geometry(), Edges(51, 1, 240, 21));
    EXPECT_EQ(control.BodyField()->geometry(), Edges(0, 22, 240, 192));

    // Doubled screen: doubled skin geometry, the subject still reaching the right edge.
    SkinSettings::Instance().Init(480, 640);
    control.resize(480, 384);
    EXPECT_EQ(control.Label()->geometry(), Edges(6, 8, 98, 42));
    EXPECT_EQ(control.SubjectField()->geometry(), Edges(102, 2, 480, 42));
    EXPECT_EQ(control.BodyField()->geometry(), Edges(0, 43, 480, 384));
    SkinSettings::Instance().Init(240, 320);

    // Too small for its parts: nothing negative.
    control.resize(30, 10);
    EXPECT_GE(control.SubjectField()->width(), 0);
    EXPECT_GE(control.BodyField()->height(), 0);
}

TEST(JournalItemDetailsTest, EveryEditRaisesDataChanged)
{
    JournalItemDetailsCtrl control;
    RecordingListener counter;
    control.SetListener(&counter);
    control.resize(240, 192);
    control.show();
    QTest::keyClicks(control.BodyField(), "abc");
    EXPECT_EQ(counter.names, QStringList(3, "dataChanged"));
    EXPECT_EQ(counter.senders, std::vector<QWidget*>(3, nullptr));
    counter.names.clear();
    QTest::keyClicks(control.SubjectField(), "Run");
    EXPECT_EQ(counter.names.size(), 3);
    EXPECT_EQ(control.GetSubject(), "Run");

    control.SetListener(nullptr);
    QTest::keyClicks(control.SubjectField(), "!");
    EXPECT_EQ(counter.names.size(), 3);
}

// Stored entries keep CR LF line ends both ways; the field shows plain lines.
TEST(JournalItemDetailsTest, BodyKeepsStoredLineEnds)
{
    JournalItemDetailsCtrl control;
    control.SetBody("Morning\r\nEvening\r\n");
    EXPECT_EQ(control.BodyField()->toPlainText(), "Morning\nEvening\n");
    EXPECT_EQ(control.GetBody(), "Morning\r\nEvening\r\n");
    control.SetBody("a\rb\nc");
    EXPECT_EQ(control.GetBody(), "a\r\nb\r\nc");
}

} // namespace
