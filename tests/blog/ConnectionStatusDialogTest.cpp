#include "blog/ConnectionStatusDialog.h"
#include "blog/LoopbackProxy.h"
#include "blog/PostProtocol.h"
#include "blog/PostRequest.h"
#include "blog/SubmitPost.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

constexpr int kWaitMs = 10000;

PostRequest JournalPost()
{
    PostRequest request(QStringLiteral("myblog.blogspot.com joe@example.com pw"));
    request.AppendField(QStringLiteral("Subject"));
    return request;
}

QPushButton* Button(ConnectionStatusDialog& dialog)
{
    return dialog.findChild<QPushButton*>(QStringLiteral("2"));
}

// Runs the dialog modally as the program does; a watchdog ends a run that would hang.
int RunModal(ConnectionStatusDialog& dialog)
{
    QTimer::singleShot(kWaitMs, &dialog, [&] {
        ADD_FAILURE() << "the modal run did not end";
        dialog.done(-1);
    });
    return dialog.exec();
}

} // namespace

TEST(ConnectionStatusDialog, SuccessEndsWithOkWithoutShowingTheAnswer)
{
    LoopbackProxy proxy;
    proxy.SetAnswer("200 posted");
    ConnectionStatusDialog dialog;
    ASSERT_TRUE(SubmitPost(JournalPost(), proxy.Url("/post"), &dialog));
    EXPECT_EQ(RunModal(dialog), QDialog::Accepted);
    EXPECT_FALSE(dialog.StatusText().contains("posted"));

    // A transfer that ended before the run started ends the run at once.
    ConnectionStatusDialog early;
    early.OnComplete(PostProtocol::Code(0x001900C8), QStringLiteral("ok"));
    QCoreApplication::processEvents();
    EXPECT_EQ(RunModal(early), QDialog::Accepted);
}

TEST(ConnectionStatusDialog, FailureShowsTheSentenceAsPlainTextUntilClose)
{
    LoopbackProxy proxy;
    proxy.SetAnswer("500 Blog <b>myblog</b> not found & no access");
    ConnectionStatusDialog dialog;
    ASSERT_TRUE(SubmitPost(JournalPost(), proxy.Url("/post"), &dialog));
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.open();
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.Failed(); }, kWaitMs));

    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("1018"))->textFormat(), Qt::PlainText);
    EXPECT_EQ(dialog.StatusText(), "Connection Error:\r\nBlog <b>myblog</b> not found & no access");
    EXPECT_EQ(Button(dialog)->text(), "Close");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(finished.isEmpty());
    QTest::mouseClick(Button(dialog), Qt::LeftButton);
    ASSERT_EQ(finished.size(), 1);
    EXPECT_EQ(finished.front().front().toInt(), QDialog::Rejected);
}

TEST(ConnectionStatusDialog, CancelAbortsTheTransferAndShowsNothingAfterwards)
{
    LoopbackProxy proxy;
    proxy.HoldAnswers();
    ConnectionStatusDialog dialog;
    ASSERT_TRUE(SubmitPost(JournalPost(), proxy.Url("/post"), &dialog));
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.open();
    const QString sending = QStringLiteral("Sending request...\r\nPlease wait...");
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.StatusText() == sending; }, kWaitMs));
    EXPECT_EQ(Button(dialog)->text(), "Cancel");

    QTest::mouseClick(Button(dialog), Qt::LeftButton);
    ASSERT_EQ(finished.size(), 1);
    EXPECT_EQ(finished.front().front().toInt(), QDialog::Rejected);
    ASSERT_TRUE(QTest::qWaitFor([&] { return proxy.closedUnanswered == 1; }, kWaitMs));
    QTest::qWait(100);
    EXPECT_EQ(dialog.StatusText(), sending);
}

TEST(ConnectionStatusDialog, DestroyedDialogHearsNothingMore)
{
    LoopbackProxy proxy;
    proxy.HoldAnswers();
    auto* dialog = new ConnectionStatusDialog;
    ASSERT_TRUE(SubmitPost(JournalPost(), proxy.Url("/post"), dialog));
    ASSERT_TRUE(QTest::qWaitFor([&] { return proxy.requests.size() == 1; }, kWaitMs));
    delete dialog;
    // The transfer still ends; a sink left behind would be freed memory (ASan catches it).
    EXPECT_EQ(proxy.AnswerHeld("500 nobody listens"), 1);
    QTest::qWait(200);
}

TEST(ConnectionStatusDialog, ButtonCentredAtBottomTextFillsTheRest)
{
    ConnectionStatusDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "Connection Status...");
    const QSize button = Button(dialog)->size();
    dialog.show();
    dialog.resize(301, 200);
    const int buttonTop = 200 - button.height() - 5;
    EXPECT_EQ(Button(dialog)->geometry(),
              QRect((301 - button.width()) / 2, buttonTop, button.width(), button.height()));
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("1018"))->geometry(),
              QRect(0, 5, 301, buttonTop - 10));
}
