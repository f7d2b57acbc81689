#include "app/Application.h"
#include "TestSupport.h"
#include "app/DisclamerDialog.h"
#include "app/HomeDialog.h"
#include "app/SingleInstance.h"
#include "data/UserDatabase.h"
#include "dialogs/LayoutBaseDialog.h"
#include "vocabulary/Session.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>
#include <optional>

#include <gtest/gtest.h>

namespace {

StartupOptions In(const QTemporaryDir& dir)
{
    StartupOptions options;
    options.dataDir = dir.path();
    return options;
}

// The test executable stands beside the reference databases, as the program does.
QString Executable()
{
    return QCoreApplication::applicationFilePath();
}

} // namespace

TEST(Application, TheDisclaimerShowsAtEveryStartUntilItIsAgreedTo)
{
    QTemporaryDir dir;
    StartupOptions options = In(dir); // a data folder that does not exist yet is made
    options.dataDir = QDir(dir.path()).filePath(QStringLiteral("new/data"));
    // "No", Escape, closing the window and a shutdown signal all reject the dialog. Gives the
    // disclaimers and home screens shown and the launches counted.
    const auto start = [&](std::optional<int> answer) {
        int disclaimers = 0;
        int homes = 0;
        Application app(options, Executable());
        app.runDisclaimer = [&](DisclamerDialog& dialog) {
            ++disclaimers;
            EXPECT_TRUE(dialog.Text().contains(QStringLiteral("physician")));
            return answer.value_or(int(QDialog::Accepted));
        };
        app.runHome = [&](HomeDialog& home) {
            ++homes;
            EXPECT_EQ(home.windowTitle(), QStringLiteral("Nutrava"));
        };
        EXPECT_EQ(app.Run(), 0);
        EXPECT_EQ(app.GetSession().Services(), &app);
        return std::tuple(disclaimers, homes, app.Store()->Profile().LaunchCount());
    };
    EXPECT_EQ(start(int(QDialog::Rejected)), std::tuple(1, 0, 0));
    EXPECT_TRUE(QFile::exists(QDir(options.dataDir).filePath(QStringLiteral("user.pdb"))));
    EXPECT_EQ(start(int(QDialog::Accepted)), std::tuple(1, 1, 1)); // asked again
    EXPECT_EQ(start(std::nullopt), std::tuple(0, 1, 2));
}

// Start-up leaves rewriting user.pdb until the home screen is painted, and no later.
TEST(Application, ALaterStartWritesItsLaunchOnceTheHomeScreenIsPainted)
{
    QTemporaryDir dir;
    {
        // Seen once, the blog account page does not follow the profile with its help.
        UserDatabase store({dir.path(), {}});
        store.Profile().SetLaunchCount(1);
        store.Profile().SetFlags(store.Profile().Flags() | UserProfile::kBlogAccountSeen);
    }
    const auto onDisk = [&] {
        return UserDatabase({dir.path(), {}}, UserDatabase::OpenMode::ReadCopy)
            .Profile()
            .LaunchCount();
    };
    Application app(In(dir), Executable());
    app.runHome = [&](HomeDialog& home) {
        EXPECT_EQ(onDisk(), 1);
        home.runPageDialog = [](LayoutBaseDialog&) {}; // the new user's profile page
        home.show();
        EXPECT_TRUE(QTest::qWaitFor([&] { return onDisk() == 2; }, 5000));
        EXPECT_TRUE(QFile::exists(QDir(dir.path()).filePath(QStringLiteral("user.pdb.bak"))));
    };
    EXPECT_EQ(app.Run(), 0);
}

TEST(Application, WithoutTheTextDatabaseTheBuiltInDisclaimerIsShown)
{
    const QString builtIn = DisclamerDialog::DisclaimerText(nullptr);
    const QByteArray source =
        TestSupport::ReadFile(QStringLiteral(NUTRAVA_SOURCE_DATA "/help/10-disclaimer.txt"));
    ASSERT_FALSE(source.isEmpty());
    // The help source without its title line.
    EXPECT_EQ(builtIn, QString::fromUtf8(source.mid(source.indexOf('\n') + 1)).trimmed());
    EXPECT_TRUE(builtIn.contains(QStringLiteral("physician")));
}

TEST(Application, StartUpThatCannotGoOnSaysWhyAndWritesNothing)
{
    // The start-up error of a run in that data folder, by a program in `folder`.
    const auto error = [](const QTemporaryDir& data, const QString& folder = Executable()) {
        Application app(In(data), folder);
        QString said;
        app.showStartupError = [&](const QString& text) { said = text; };
        app.runHome = [](HomeDialog&) { ADD_FAILURE() << "a home screen"; };
        EXPECT_EQ(app.Run(), 1);
        return said;
    };
    QTemporaryDir dir;
    const QString damaged = QDir(dir.path()).filePath(QStringLiteral("user.pdb"));
    ASSERT_TRUE(TestSupport::WriteFile(damaged, QByteArray("not a database")));
    const QString unreadable = error(dir);
    EXPECT_TRUE(unreadable.contains(QStringLiteral("user.pdb")));
    EXPECT_TRUE(unreadable.contains(QDir::toNativeSeparators(dir.path())));
    EXPECT_TRUE(unreadable.contains(QStringLiteral("move it out of the folder")));
    EXPECT_EQ(TestSupport::ReadFile(damaged), QByteArray("not a database"));
    // With the file of the previous start beside it, the user is told how to go back to it.
    ASSERT_TRUE(TestSupport::WriteFile(damaged + QStringLiteral(".bak"), QByteArray("older")));
    EXPECT_TRUE(error(dir).contains(QStringLiteral("rename user.pdb.bak to user.pdb")));
    EXPECT_EQ(TestSupport::ReadFile(damaged + QStringLiteral(".bak")), QByteArray("older"));

    // Damaged records: the program goes on with what was whole and says where the rest is.
    QTemporaryDir records;
    ASSERT_TRUE(QFile::copy(QStringLiteral(NUTRAVA_TEST_DATA "/broken/user_count_lies.pdb"),
                            QDir(records.path()).filePath(QStringLiteral("user.pdb"))));
    {
        Application app(In(records), Executable());
        QString notice;
        app.showDamageNotice = [&](const QString& text) { notice = text; };
        app.runHome = [](HomeDialog&) {};
        EXPECT_EQ(app.Run(), 0);
        EXPECT_TRUE(notice.contains(QStringLiteral("user.pdb.damaged-"))) << notice.toStdString();
    }

    // No exercise database anywhere: the program names it and ends.
    QTemporaryDir data;
    QTemporaryDir install;
    EXPECT_TRUE(error(data, QDir(install.path()).filePath(QStringLiteral("nutrava")))
                    .contains(QStringLiteral("fitness_data.pdb")));

    // A foods index that does not read is found once the home screen is painted; the run still
    // ends with the same words, and does not count as a start.
    ASSERT_TRUE(
        QFile::copy(QFileInfo(Executable()).dir().filePath(QStringLiteral("fitness_data.pdb")),
                    QDir(install.path()).filePath(QStringLiteral("fitness_data.pdb"))));
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(NUTRAVA_TEST_DATA "/reference/foods_group_count_past_end.pdb"),
                    QDir(install.path()).filePath(QStringLiteral("food_data.pdb"))));
    UserDatabase({data.path(), {}}).Profile().SetLaunchCount(2);
    QString said;
    {
        Application app(In(data), QDir(install.path()).filePath(QStringLiteral("nutrava")));
        app.showStartupError = [&](const QString& text) { said = text; };
        app.runHome = [&](HomeDialog& home) {
            home.runPageDialog = [](LayoutBaseDialog&) {};
            home.show();
            EXPECT_TRUE(QTest::qWaitFor([&] { return !said.isEmpty(); }, 5000));
            EXPECT_FALSE(home.isVisible());
        };
        app.endProcess = [](int code) { ADD_FAILURE() << "cut short: " << code; };
        EXPECT_EQ(app.Run(), 1);
        TestSupport::ResumeEventLoops();
    }
    EXPECT_TRUE(said.contains(QStringLiteral("foods database food_data.pdb"))) << qPrintable(said);
    EXPECT_TRUE(said.contains(QStringLiteral("lists more groups than the file holds")));
    EXPECT_EQ(UserDatabase({data.path(), {}}).Profile().LaunchCount(), 2);
}

// The real executable, as two processes.
class RunningProgram : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The single-instance socket lives in the temporary folder: one of its own keeps a
        // copy started by a test running alongside from answering for this one.
        m_tmp = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(m_sockets.path()));
        m_program =
            QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("nutrava"));
        ASSERT_TRUE(QFile::exists(m_program));
        // Not a first start: no disclaimer to answer.
        UserDatabase store({m_dir.path(), {m_dir.path()}});
        store.Profile().SetLaunchCount(1);
    }

    void Start(QProcess& process) { Start(process, m_dir.path()); }
    void Start(QProcess& process, const QString& dataDir)
    {
        process.setProgram(m_program);
        process.setArguments({QStringLiteral("--data-dir"), dataDir});
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start();
    }

    void TearDown() override
    {
        if (m_tmp.isNull())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", m_tmp);
    }

    QString m_program;
    QTemporaryDir m_sockets;
    QTemporaryDir m_dir;
    QByteArray m_tmp;
};

TEST_F(RunningProgram, ASecondStartHandsOverAndSigtermLeavesAValidStore)
{
    QProcess first;
    Start(first);
    ASSERT_TRUE(first.waitForStarted(5000));
    SingleInstance probe(m_program);
    QElapsedTimer waited;
    waited.start();
    while (!probe.ForwardToRunningInstance(200) && waited.elapsed() < 15000)
        QThread::msleep(100);
    ASSERT_EQ(first.state(), QProcess::Running);

    QProcess second;
    Start(second);
    ASSERT_TRUE(second.waitForFinished(15000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 255); // -1

    first.terminate(); // SIGTERM
    ASSERT_TRUE(first.waitForFinished(15000));
    EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first.exitCode(), 0);

    UserDatabase store({m_dir.path(), {m_dir.path()}});
    EXPECT_TRUE(store.IsWritable());
    EXPECT_EQ(store.Profile().LaunchCount(), 2);
}

// Each signal ends the program in good order (exit code 0, not the last resort's 128 + signal)
// while the notice of a damaged user.pdb waits for its OK; no home screen follows.
TEST_F(RunningProgram, EverySignalEndsItDuringTheDamageNotice)
{
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        QTemporaryDir dir;
        ASSERT_TRUE(QFile::copy(QStringLiteral(NUTRAVA_TEST_DATA "/broken/user_count_lies.pdb"),
                                QDir(dir.path()).filePath(QStringLiteral("user.pdb"))));
        QProcess process;
        Start(process, dir.path());
        // The copy of the file as found is made as the store opens, right before the notice.
        const QStringList copy{QStringLiteral("user.pdb.damaged-*")};
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return !QDir(dir.path()).entryList(copy).isEmpty(); }, 15000));
        ::kill(pid_t(process.processId()), signal);
        // A hang lasts forever: a second, and slack for a busy machine.
        ASSERT_TRUE(process.waitForFinished(3000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 0);
        EXPECT_TRUE(UserDatabase({dir.path(), {dir.path()}}).IsWritable());
    }
}

TEST_F(RunningProgram, WithoutADisplayItEndsWithTheStartupMessageAndTouchesNothing)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    process.setProcessEnvironment(env);
    QTemporaryDir empty;
    process.start(m_program, {QStringLiteral("--data-dir"), empty.path()});
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_NE(process.exitCode(), 0);
    EXPECT_TRUE(process.readAllStandardError().contains(
        "Program initialization failed (error code - 0x80004005)"));
    EXPECT_TRUE(QDir(empty.path()).isEmpty());
}
