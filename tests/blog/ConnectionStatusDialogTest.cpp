#include "posting/ConnectionStatusDialog.h"
#include "blog/LoopbackProxy.h"
#include "blog/PostProtocol.h"
#include "blog/PostRequest.h"
#include "posting/DataConnection.h"
#include "posting/SubmitPost.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

constexpr int kWaitMs = 10000;

// A dialog whose journal post to a proxy of its own has started; an empty answer is held.
struct Posting
{
    explicit Posting(const QByteArray& answer)
    {
        answer.isEmpty() ? proxy.HoldAnswers() : proxy.SetAnswer(answer);
        PostRequest request(QStringLiteral("myblog.blogspot.com joe@example.com pw"));
        request.AppendField(QStringLiteral("Subject"));
        EXPECT_TRUE(SubmitPost(request, proxy.Url("/post"), &dialog));
    }

    LoopbackProxy proxy;
    ConnectionStatusDialog dialog;
};

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

TEST(DataConnection, FailureShowsCodeAndStatusNextPostTriesAgainThenItIsHeld)
{
    const QList<DataConnection::Answer> answers = {
        {DataConnection::kFailed, DataConnection::kDisconnected},
        {0, 0x40}, // the call succeeded, still waiting for a path
        {0, DataConnection::kConnected}};
    int asked = 0;
    QStringList messages;
    DataConnection connection([&] { return answers.value(asked++); },
                              [&](const QString& text) { messages.append(text); });

    EXPECT_FALSE(connection.EnsureDataConnection());
    EXPECT_FALSE(connection.EnsureDataConnection());
    EXPECT_EQ(messages, QStringList({"Connection cold not be established (code: 0x80004005, "
                                     "status: 0x00000020)",
                                     "Connection cold not be established (code: 0x00000000, "
                                     "status: 0x00000040)"}));
    EXPECT_FALSE(connection.IsHeld());

    EXPECT_TRUE(connection.EnsureDataConnection());
    EXPECT_TRUE(connection.EnsureDataConnection());
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(messages.size(), 2);
}

TEST(ConnectionStatusDialog, SuccessEndsWithOkWithoutShowingTheAnswer)
{
    Posting posting("200 posted");
    EXPECT_EQ(RunModal(posting.dialog), QDialog::Accepted);
    EXPECT_FALSE(posting.dialog.StatusText().contains("posted"));

    // A transfer that ended before the run started ends the run at once.
    ConnectionStatusDialog early;
    early.OnComplete(PostProtocol::Code(0x001900C8), QStringLiteral("ok"));
    QCoreApplication::processEvents();
    EXPECT_EQ(RunModal(early), QDialog::Accepted);
}

TEST(ConnectionStatusDialog, FailureShowsTheSentenceAsPlainTextUntilClose)
{
    Posting posting("500 Blog <b>myblog</b> not found & no access");
    ConnectionStatusDialog& dialog = posting.dialog;
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.open();
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.Failed(); }, kWaitMs));

    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("1018"))->textFormat(), Qt::PlainText);
    EXPECT_EQ(dialog.StatusText(), "Connection Error:\r\nBlog <b>myblog</b> not found & no access");
    EXPECT_EQ(Button(dialog)->text(), "Close");
    EXPECT_TRUE(finished.isEmpty());
    QTest::mouseClick(Button(dialog), Qt::LeftButton);
    EXPECT_EQ(finished, QList<QVariantList>({{int(QDialog::Rejected)}}));
}

TEST(ConnectionStatusDialog, CancelAbortsTheTransferAndShowsNothingAfterwards)
{
    Posting posting({});
    ConnectionStatusDialog& dialog = posting.dialog;
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.open();
    const QString sending = QStringLiteral("Sending request...\r\nPlease wait...");
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.StatusText() == sending; }, kWaitMs));
    EXPECT_EQ(Button(dialog)->text(), "Cancel");

    QTest::mouseClick(Button(dialog), Qt::LeftButton);
    EXPECT_EQ(finished, QList<QVariantList>({{int(QDialog::Rejected)}}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return posting.proxy.closedUnanswered == 1; }, kWaitMs));
    QTest::qWait(100);
    EXPECT_EQ(dialog.StatusText(), sending);
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
