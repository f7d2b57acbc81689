// Kills a program that commits in a loop (tools/commit_loop) with SIGKILL at random moments and
// checks after each kill that nothing committed was lost or damaged and that the next start
// finds a clean folder it may write to: commits of the store's own, and edits that the edits'
// saver writes after its delay (a kill in the delay loses the edit and nothing else).
// NUTRAVA_KILL_CYCLES sets the number of kills of each.
#include "CommitState.h"

#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

namespace {

// A fresh folder now and then, so that kills also land in the very first start.
constexpr int kCyclesPerFolder = 50;
constexpr int kLongestRunMs = 250;

int Cycles()
{
    bool ok = false;
    const int cycles = qEnvironmentVariableIntValue("NUTRAVA_KILL_CYCLES", &ok);
    return ok && cycles > 0 ? cycles : 200;
}

void KillTheLoop(const QStringList& options)
{
    QRandomGenerator random(QRandomGenerator::global()->generate());
    std::unique_ptr<QTemporaryDir> folder;
    int commits = 0;
    int lastCommitted = 0;
    bool backupMade = false;
    bool damaged = false;

    for (int cycle = 0; cycle < Cycles(); ++cycle) {
        SCOPED_TRACE("cycle " + std::to_string(cycle));
        // A damaged file ends the folder's useful life: every later start would refuse it.
        if (cycle % kCyclesPerFolder == 0 || damaged) {
            folder = std::make_unique<QTemporaryDir>();
            ASSERT_TRUE(folder->isValid());
            lastCommitted = 0;
            backupMade = false;
            damaged = false;
        }
        const QString path = folder->filePath(QStringLiteral("user.pdb"));
        const QString backup = path + QStringLiteral(".bak");

        QProcess loop;
        loop.start(QStringLiteral(NUTRAVA_COMMIT_LOOP), QStringList{folder->path()} + options);
        ASSERT_TRUE(loop.waitForStarted(10000)) << qPrintable(loop.errorString());
        QThread::msleep(random.bounded(kLongestRunMs));
        loop.kill();
        loop.waitForFinished(10000);

        // The loop reports "start N", "committed N", and "refused ..." or "leftover NAME" when a
        // start is locked out (a damaged file starts a new folder) or finds files beside user.pdb.
        for (const QByteArray& line : loop.readAllStandardOutput().split('\n')) {
            const QString text = QString::fromUtf8(line);
            const int number = text.section(QLatin1Char(' '), 1).toInt();
            if (text.startsWith(QStringLiteral("committed "))) {
                lastCommitted = number;
                ++commits;
            } else if (text.startsWith(QStringLiteral("refused ")) ||
                       text.startsWith(QStringLiteral("leftover "))) {
                ADD_FAILURE() << qPrintable(text);
            } else if (text.startsWith(QStringLiteral("start "))) {
                EXPECT_TRUE(number == lastCommitted || number == lastCommitted + 1)
                    << "started on " << number << " after " << lastCommitted;
            }
        }

        if (QFileInfo::exists(path)) {
            const std::vector<QByteArray> records = CommitState::RecordsOf(path);
            const int sequence = CommitState::SequenceOf(records);
            // A first start cut off before its first save holds nothing yet; the next start
            // must then create the file afresh rather than refuse it.
            const bool unfinishedFirstStart = lastCommitted == 0 && QFileInfo(path).size() == 0;
            if (records.empty()) {
                damaged = !unfinishedFirstStart;
                EXPECT_FALSE(damaged)
                    << "user.pdb of " << QFileInfo(path).size() << " bytes does not open";
            } else if (sequence != lastCommitted && sequence != lastCommitted + 1) {
                ADD_FAILURE() << "user.pdb holds " << sequence << " after commit " << lastCommitted;
            } else if (sequence > 0 && records != CommitState::Expected(sequence)) {
                ADD_FAILURE() << "user.pdb does not hold all of commit " << sequence;
            } else {
                lastCommitted = sequence;
            }
        } else if (lastCommitted > 0) {
            damaged = true;
            ADD_FAILURE() << "user.pdb is gone after commit " << lastCommitted;
        }

        EXPECT_FALSE(backupMade && CommitState::RecordsOf(backup).empty()) << "no sound backup";
        backupMade = backupMade || QFileInfo::exists(backup);
    }

    std::printf("%d kills, %d commits\n", Cycles(), commits);
    EXPECT_GT(commits, 0) << "the loop never committed before it was killed";
}

} // namespace

TEST(CrashConsistency, KillsNeverLoseACommitNorLockTheUserOut)
{
    KillTheLoop({});
}

TEST(CrashConsistency, KillsNeverLoseASavedEditNorDamageTheFile)
{
    KillTheLoop({QStringLiteral("--edits")});
}
