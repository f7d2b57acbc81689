#include "app/SingleInstance.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <future>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

const QString kProgram = QStringLiteral("/opt/nutrava/bin/nutrava");

class SingleInstanceTest : public ::testing::Test
{
protected:
    SingleInstanceTest() : m_tmp(qgetenv("TMPDIR")) { qputenv("TMPDIR", m_dir.path().toUtf8()); }
    ~SingleInstanceTest() override
    {
        if (m_tmp.isNull())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", m_tmp);
    }
    QString SocketPath() const { return m_dir.filePath(SingleInstance::SocketName(kProgram)); }
    // A later start, asking from a thread of its own while this one answers.
    static bool Forwarded()
    {
        std::future<bool> asked = std::async(std::launch::async, [] {
            return SingleInstance(kProgram).ForwardToRunningInstance(3000);
        });
        while (asked.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
            QCoreApplication::processEvents();
        return asked.get();
    }

    QTemporaryDir m_dir;
    QByteArray m_tmp;
};

} // namespace

TEST_F(SingleInstanceTest, ALaterStartRaisesTheFirstThroughASocketOnlyTheUserReaches)
{
    EXPECT_FALSE(Forwarded());
    int raised = 0;
    {
        SingleInstance first(kProgram);
        QObject::connect(&first, &SingleInstance::raiseRequested, [&raised] { ++raised; });
        ASSERT_TRUE(first.Listen());
        EXPECT_EQ(QFileInfo(SocketPath()).permissions() & ~(QFile::ReadUser | QFile::WriteUser),
                  QFile::ReadOwner | QFile::WriteOwner);
        EXPECT_FALSE(SingleInstance(kProgram).Listen()); // the first is there
        EXPECT_TRUE(Forwarded());
        EXPECT_TRUE(Forwarded());
        EXPECT_EQ(raised, 2);
    }
    EXPECT_FALSE(QFile::exists(SocketPath()));
    EXPECT_FALSE(Forwarded());
}

TEST_F(SingleInstanceTest, ASocketLeftByACopyThatDiedIsTakenOver)
{
    const QByteArray path = QFile::encodeName(SocketPath());
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, path.constData(), sizeof address.sun_path);
    const int dead = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::bind(dead, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::close(dead);
    ASSERT_TRUE(QFile::exists(SocketPath()));

    EXPECT_FALSE(Forwarded());
    SingleInstance first(kProgram);
    EXPECT_TRUE(first.Listen());
    EXPECT_TRUE(Forwarded());
}

// A copy of an earlier version listens with Qt's local socket at the same place.
TEST_F(SingleInstanceTest, AnEarlierCopyIsFoundAndKeptAsItIs)
{
    QLocalServer earlier;
    earlier.setSocketOptions(QLocalServer::UserAccessOption);
    ASSERT_TRUE(earlier.listen(SingleInstance::SocketName(kProgram)));
    QObject::connect(&earlier, &QLocalServer::newConnection, [&earlier] {
        QLocalSocket* client = earlier.nextPendingConnection();
        QObject::connect(client, &QLocalSocket::readyRead, client, [client] {
            if (client->readAll().startsWith("raise"))
                client->write("ok\n");
        });
    });
    EXPECT_TRUE(Forwarded());
    EXPECT_FALSE(SingleInstance(kProgram).Listen());
}
