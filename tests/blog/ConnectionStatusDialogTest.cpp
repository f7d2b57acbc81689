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
int RunModal(ConnectionStatusDialog& dialog, bool* timedOut)
{
    *timedOut = false;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, &dialog, [&] {
        *timedOut = true;
        dialog.done(-1);
    });
    watchdog.start(kWaitMs);
    return dialog.exec();
}

} // namespace

TEST(ConnectionStatusDialog, SuccessEndsWithOkWithoutShowingTheAnswer)
{
    LoopbackProxy proxy;
    proxy.SetAnswer("200 posted");
    ConnectionStatusDialog dialog;
    ASSERT_TRUE(SubmitPost(JournalPost(), proxy.BaseUrl() + "/post", &dialog));
    bool timedOut = false;
    EXPECT_EQ(RunModal(dialog, &timedOut), QDialog::Accepted);
    EXPECT_FALSE(timedOut);
    EXPECT_FALSE(dialog.StatusText().contains("posted"));
    EXPECT_FALSE(dialog.isVisible());
}

TEST(ConnectionStatusDialog, RefusalShowsTheSentenceAsPlainTextUntilClose)
{
    LoopbackProxy proxy;
    proxy.SetAnswer("500 Blog <b>myblog</b> not found & no access");
    ConnectionStatusDialog dialog;
    ASSERT_TRUE(SubmitPost(JournalPost(), proxy.BaseUrl() + "/post", &dialog));
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.open();
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.Failed(); }, kWaitMs));

    const QLabel* text = dialog.findChild<QLabel*>(QStringLiteral("1018"));
    EXPECT_EQ(text->textFormat(), Qt::PlainText);
    EXPECT_EQ(dialog.StatusText(), "Connection Error:\r\nBlog <b>myblog</b> not found & no access");
    EXPECT_EQ(Button(dialog)->text(), "Close");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(finished.isEmpty());

    QTest::mouseClick(Button(dialog), Qt::LeftButton);
    ASSERT_EQ(finished.size(), 1);
    EXPECT_EQ(finished.front().front().toInt(), QDialog::Rejected);
}

TEST(ConnectionStatusDialog, SilentProxyEndsInTimeOutText)
{
    LoopbackProxy proxy;
    proxy.HoldAnswers();
    ConnectionStatusDialog dialog;
    SubmitPostOptions options;
    options.idleTimeout = std::chrono::milliseconds(150);
    ASSERT_TRUE(SubmitPost(JournalPost(), proxy.BaseUrl() + "/post", &dialog, options));
    dialog.open();
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.Failed(); }, kWaitMs));
    EXPECT_EQ(dialog.StatusText(), "Connection Error:\r\nThe Internet connection has timed out");
}

TEST(ConnectionStatusDialog, CancelAbortsTheTransferAndShowsNothingAfterwards)
{
    LoopbackProxy proxy;
    proxy.HoldAnswers();
    ConnectionStatusDialog dialog;
    ASSERT_TRUE(SubmitPost(JournalPost(), proxy.BaseUrl() + "/post", &dialog));
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.open();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return dialog.StatusText() == "Sending request...\r\nPlease wait..."; }, kWaitMs));
    EXPECT_EQ(Button(dialog)->text(), "Cancel");

    QTest::mouseClick(Button(dialog), Qt::LeftButton);
    ASSERT_EQ(finished.size(), 1);
    EXPECT_EQ(finished.front().front().toInt(), QDialog::Rejected);
    ASSERT_TRUE(QTest::qWaitFor([&] { return proxy.ClosedByClient() == 1; }, kWaitMs));
    proxy.AnswerHeld("500 too late");
    QTest::qWait(100);
    EXPECT_EQ(dialog.StatusText(), "Sending request...\r\nPlease wait...");
    EXPECT_FALSE(dialog.Failed());
}

TEST(ConnectionStatusDialog, DestroyedDialogHearsNothingMore)
{
    LoopbackProxy proxy;
    proxy.HoldAnswers();
    auto* dialog = new ConnectionStatusDialog;
    ASSERT_TRUE(SubmitPost(JournalPost(), proxy.BaseUrl() + "/post", dialog));
    ASSERT_TRUE(QTest::qWaitFor([&] { return proxy.Requests().size() == 1; }, kWaitMs));
    delete dialog;
    // The answer still arrives and the transfer still ends; with a sink left behind this
    // would touch freed memory (and fail under the address sanitizer).
    EXPECT_EQ(proxy.AnswerHeld("500 nobody listens"), 1);
    QTest::qWait(200);
}

TEST(ConnectionStatusDialog, TransferEndedBeforeTheRunEndsTheRunAtOnce)
{
    ConnectionStatusDialog dialog;
    dialog.OnComplete(PostProtocol::Code(0x001900C8), QStringLiteral("ok"));
    QCoreApplication::processEvents();
    bool timedOut = false;
    EXPECT_EQ(RunModal(dialog, &timedOut), QDialog::Accepted);
    EXPECT_FALSE(timedOut);
}

TEST(ConnectionStatusDialog, ButtonCentredAtBottomTextFillsTheRest)
{
    ConnectionStatusDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "Connection Status...");
    const QSize button = Button(dialog)->size();
    dialog.show();
    dialog.resize(301, 200);
    EXPECT_EQ(Button(dialog)->geometry(),
              QRect((301 - button.width()) / 2, 200 - button.height() - 5, button.width(),
                    button.height()));
    const int buttonTop = 200 - button.height() - 5;
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("1018"))->geometry(),
              QRect(0, 5, 301, buttonTop - 10));
    dialog.resize(200, 120);
    EXPECT_EQ(Button(dialog)->size(), button);
    EXPECT_EQ(Button(dialog)->y(), 120 - button.height() - 5);
}
