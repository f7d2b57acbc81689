#include "blog/DataConnection.h"
#include "blog/LoopbackProxy.h"
#include "blog/PostRequest.h"
#include "blog/SubmitPost.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

// Answers the connection requests from a script and keeps the messages shown.
struct ScriptedNetwork
{
    QList<DataConnection::Answer> answers;
    int asked = 0;
    QStringList messages;

    DataConnection Connection()
    {
        return DataConnection([this] { return answers.value(asked++); },
                              [this](const QString& text) { messages.append(text); });
    }
};

} // namespace

TEST(DataConnection, FailureShowsCodeAndStatusAndNextAttemptTriesAgain)
{
    ScriptedNetwork network;
    network.answers = {{DataConnection::kFailed, DataConnection::kDisconnected},
                       {0, 0x40}, // call succeeded, still waiting for a path
                       {0, DataConnection::kConnected}};
    DataConnection connection = network.Connection();

    EXPECT_FALSE(connection.EnsureDataConnection());
    EXPECT_FALSE(connection.EnsureDataConnection());
    EXPECT_EQ(network.messages,
              QStringList({"Connection cold not be established (code: 0x80004005, status: "
                           "0x00000020)",
                           "Connection cold not be established (code: 0x00000000, status: "
                           "0x00000040)"}));
    EXPECT_FALSE(connection.IsHeld());

    EXPECT_TRUE(connection.EnsureDataConnection());
    EXPECT_TRUE(connection.EnsureDataConnection());
    EXPECT_EQ(network.asked, 3);
    EXPECT_EQ(network.messages.size(), 2);
}

TEST(DataConnection, SecondPostDoesNotAskAgainAndFailedOneSendsNothing)
{
    LoopbackProxy proxy;
    ScriptedNetwork network;
    network.answers = {{DataConnection::kFailed, 0x21}, {0, DataConnection::kConnected}};
    DataConnection connection = network.Connection();
    SubmitPostOptions options;
    options.ensureConnection = [&](const QUrl&, PostProgressSink*) {
        return connection.EnsureDataConnection();
    };
    const PostRequest request(QStringLiteral("b.blogspot.com e@x p"));
    const QString url = proxy.BaseUrl() + "/post";

    EXPECT_FALSE(SubmitPost(request, url, nullptr, options));
    EXPECT_EQ(network.messages.value(0),
              "Connection cold not be established (code: 0x80004005, status: 0x00000021)");
    EXPECT_TRUE(SubmitPost(request, url, nullptr, options));
    EXPECT_TRUE(SubmitPost(request, url, nullptr, options));
    ASSERT_TRUE(QTest::qWaitFor([&] { return proxy.Requests().size() == 2; }, 10000));
    EXPECT_EQ(network.asked, 2);
}
