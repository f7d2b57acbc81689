#include "blog/DataConnection.h"
#include "blog/LoopbackProxy.h"
#include "blog/PostRequest.h"
#include "blog/SubmitPost.h"

#include <QTest>

#include <gtest/gtest.h>

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
    SubmitPostOptions options;
    options.ensureConnection = [&](const QUrl&, PostProgressSink*) {
        return connection.EnsureDataConnection();
    };
    LoopbackProxy proxy;
    const PostRequest request(QStringLiteral("b.blogspot.com e@x p"));

    EXPECT_FALSE(SubmitPost(request, proxy.Url("/post"), nullptr, options));
    EXPECT_FALSE(SubmitPost(request, proxy.Url("/post"), nullptr, options));
    EXPECT_EQ(messages, QStringList({"Connection cold not be established (code: 0x80004005, "
                                     "status: 0x00000020)",
                                     "Connection cold not be established (code: 0x00000000, "
                                     "status: 0x00000040)"}));
    EXPECT_FALSE(connection.IsHeld());

    EXPECT_TRUE(SubmitPost(request, proxy.Url("/post"), nullptr, options));
    EXPECT_TRUE(SubmitPost(request, proxy.Url("/post"), nullptr, options));
    ASSERT_TRUE(QTest::qWaitFor([&] { return proxy.requests.size() == 2; }, 10000));
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(messages.size(), 2);
}
