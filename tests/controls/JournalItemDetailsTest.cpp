#include "controls/JournalItemDetailsCtrl.h"
#include "controls/RecordingListener.h"
#include "skin/SkinSettings.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The fields' names are AccessibleTreeTest's, and the walkthrough's, which finds them by name.
TEST(JournalItemDetailsTest, FieldsFillTheWidthAtEverySize)
{
    JournalItemDetailsCtrl control;
    control.show();
    EXPECT_EQ(control.Label()->text(), "Subject");
    for (const QSize size : {QSize(240, 192), QSize(480, 384)}) {
        SkinSettings::Instance().Init(size.width(), size.width() * 4 / 3);
        control.resize(size);
        EXPECT_EQ(control.SubjectField()->geometry().right(), size.width() - 1);
        const QRect body = control.BodyField()->geometry();
        EXPECT_GT(body.top(), control.SubjectField()->geometry().bottom());
        EXPECT_EQ(body.size(), QSize(size.width(), size.height() - body.top()));
    }
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
