#include "app/Application.h"
#include "TestSupport.h"
#include "app/DisclamerDialog.h"
#include "app/HomeDialog.h"
#include "app/SingleInstance.h"
#include "data/UserDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

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

TEST(Application, FirstStartAsksOnceAndNoEndsTheProgram)
{
    QTemporaryDir dir;
    {
        StartupOptions fresh = In(dir); // a data folder that does not exist yet is made
        fresh.dataDir = QDir(dir.path()).filePath(QStringLiteral("new/data"));
        Application made(fresh, Executable());
        made.runDisclaimer = [](DisclamerDialog&) { return int(QDialog::Rejected); };
        EXPECT_EQ(made.Run(), 0);
        EXPECT_TRUE(QFile::exists(QDir(fresh.dataDir).filePath(QStringLiteral("user.pdb"))));
    }
    {
        Application app(In(dir), Executable());
        QString shown;
        app.runDisclaimer = [&](DisclamerDialog& dialog) {
            shown = dialog.Text();
            return int(QDialog::Rejected);
        };
        app.runHome = [](HomeDialog&) { ADD_FAILURE() << "home screen after No"; };
        EXPECT_EQ(app.Run(), 0);
        EXPECT_TRUE(shown.contains(QStringLiteral("physician"))) << shown.toStdString();
        EXPECT_EQ(AppServices::Instance(), &app);
    }
    EXPECT_EQ(AppServices::Instance(), nullptr);

    // The launch count 1 written at exit keeps the disclaimer away.
    Application again(In(dir), Executable());
    again.runDisclaimer = [](DisclamerDialog&) {
        ADD_FAILURE() << "disclaimer shown twice";
        return int(QDialog::Accepted);
    };
    int homes = 0;
    again.runHome = [&](HomeDialog& home) {
        ++homes;
        EXPECT_EQ(home.windowTitle(), QStringLiteral("Nutrava"));
    };
    EXPECT_EQ(again.Run(), 0);
    EXPECT_EQ(homes, 1);
    EXPECT_EQ(again.Store()->Profile().LaunchCount(), 2);
}

TEST(Application, StartUpThatCannotGoOnSaysWhyAndWritesNothing)
{
    QTemporaryDir dir;
    const QString damaged = QDir(dir.path()).filePath(QStringLiteral("user.pdb"));
    ASSERT_TRUE(TestSupport::WriteFile(damaged, QByteArray("not a database")));
    {
        Application app(In(dir), Executable());
        QString error;
        app.showStartupError = [&](const QString& text) { error = text; };
        EXPECT_EQ(app.Run(), 1);
        EXPECT_TRUE(error.contains(QStringLiteral("user.pdb")));
        EXPECT_TRUE(error.contains(QDir::toNativeSeparators(dir.path())));
    }
    EXPECT_EQ(TestSupport::ReadFile(damaged), QByteArray("not a database"));

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
    Application app(In(data), QDir(install.path()).filePath(QStringLiteral("nutrava")));
    QString error;
    app.showStartupError = [&](const QString& text) { error = text; };
    app.runHome = [](HomeDialog&) { ADD_FAILURE() << "home screen without exercises"; };
    EXPECT_EQ(app.Run(), 1);
    EXPECT_TRUE(error.contains(QStringLiteral("fitness_data.pdb"))) << error.toStdString();
}

// The real executable, as two processes.
class RunningProgram : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_program =
            QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("nutrava"));
        ASSERT_TRUE(QFile::exists(m_program));
        // Not a first start: no disclaimer to answer.
        UserDatabase store({m_dir.path(), {m_dir.path()}});
        store.Profile().SetLaunchCount(1);
    }

    void Start(QProcess& process)
    {
        process.setProgram(m_program);
        process.setArguments({QStringLiteral("--data-dir"), m_dir.path()});
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start();
    }

    QString m_program;
    QTemporaryDir m_dir;
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
