// Kills a program that commits in a loop (tools/commit_loop) with SIGKILL at random moments and
// checks after each kill that nothing committed was lost or damaged and that the next start
// finds a clean folder it may write to. NUTRAVA_KILL_CYCLES sets the number of kills.
#include "CommitState.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
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

struct Tally
{
    int cycles = 0;
    int commits = 0;
    int damaged = 0;       // user.pdb does not open
    int lost = 0;          // holds neither the last nor the next committed state
    int torn = 0;          // names a committed state but holds other records
    int refused = 0;       // the next start would not open user.pdb for writing
    int leftovers = 0;     // files a start found beside user.pdb
    int backupMissing = 0; // no sound backup although one was made before
    std::map<QString, int> leftoverNames;
};

class ExpectedStates
{
public:
    const std::vector<QByteArray>& Of(int sequence)
    {
        auto it = m_records.find(sequence);
        if (it == m_records.end())
            it = m_records.emplace(sequence, CommitState::Expected(sequence)).first;
        return it->second;
    }

private:
    std::map<int, std::vector<QByteArray>> m_records;
};

} // namespace

TEST(CrashConsistency, KillsNeverLoseACommitNorLockTheUserOut)
{
    Tally tally;
    ExpectedStates expected;
    QRandomGenerator random(QRandomGenerator::global()->generate());
    std::unique_ptr<QTemporaryDir> folder;
    int lastCommitted = 0;
    bool backupMade = false;
    bool damaged = false;

    for (int cycle = 0; cycle < Cycles(); ++cycle) {
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
        loop.start(QStringLiteral(NUTRAVA_COMMIT_LOOP), {folder->path()});
        ASSERT_TRUE(loop.waitForStarted(10000)) << qPrintable(loop.errorString());
        QThread::msleep(random.bounded(kLongestRunMs));
        loop.kill();
        loop.waitForFinished(10000);
        ++tally.cycles;

        for (const QByteArray& line : loop.readAllStandardOutput().split('\n')) {
            const QString text = QString::fromUtf8(line);
            if (text.startsWith(QStringLiteral("committed "))) {
                lastCommitted = text.section(QLatin1Char(' '), 1).toInt();
                ++tally.commits;
            } else if (text.startsWith(QStringLiteral("refused "))) {
                ++tally.refused; // by a lock, since a damaged file starts a new folder
                ADD_FAILURE() << "cycle " << cycle << ": " << qPrintable(text);
            } else if (text.startsWith(QStringLiteral("leftover "))) {
                ++tally.leftovers;
                // Temporaries carry a random suffix: count them by the name before it.
                ++tally.leftoverNames[text.section(QLatin1Char(' '), 1)
                                          .section(QLatin1Char('.'), 0, 1)];
            } else if (text.startsWith(QStringLiteral("start "))) {
                const int found = text.section(QLatin1Char(' '), 1).toInt();
                EXPECT_TRUE(found == lastCommitted || found == lastCommitted + 1)
                    << "cycle " << cycle << ": started on " << found << " after " << lastCommitted;
            }
        }

        if (QFileInfo::exists(path)) {
            const std::vector<QByteArray> records = CommitState::RecordsOf(path);
            const int sequence = CommitState::SequenceOf(records);
            // A first start cut off before its first save holds nothing yet; the next start
            // must then create the file afresh rather than refuse it.
            const bool unfinishedFirstStart = lastCommitted == 0 && QFileInfo(path).size() == 0;
            if (records.empty()) {
                if (!unfinishedFirstStart) {
                    ++tally.damaged;
                    damaged = true;
                    ADD_FAILURE() << "cycle " << cycle << ": user.pdb of " << QFileInfo(path).size()
                                  << " bytes does not open";
                }
            } else if (sequence != lastCommitted && sequence != lastCommitted + 1) {
                ++tally.lost;
                ADD_FAILURE() << "cycle " << cycle << ": user.pdb holds " << sequence
                              << " after commit " << lastCommitted;
            } else if (sequence > 0 && records != expected.Of(sequence)) {
                ++tally.torn;
                ADD_FAILURE() << "cycle " << cycle << ": user.pdb does not hold all of commit "
                              << sequence;
            } else {
                lastCommitted = sequence;
            }
        } else if (lastCommitted > 0) {
            ++tally.damaged;
            damaged = true;
            ADD_FAILURE() << "cycle " << cycle << ": user.pdb is gone after commit "
                          << lastCommitted;
        }

        if (backupMade && CommitState::RecordsOf(backup).empty()) {
            ++tally.backupMissing;
            ADD_FAILURE() << "cycle " << cycle << ": no sound backup";
        }
        backupMade = backupMade || QFileInfo::exists(backup);
    }

    std::printf("%d kills, %d commits: %d damaged, %d lost, %d torn, %d starts refused, %d "
                "leftover files, %d without a backup\n",
                tally.cycles, tally.commits, tally.damaged, tally.lost, tally.torn, tally.refused,
                tally.leftovers, tally.backupMissing);
    for (const auto& [name, count] : tally.leftoverNames)
        std::printf("  left over: %s.* %d times\n", qPrintable(name), count);
    EXPECT_GT(tally.commits, 0) << "the loop never committed before it was killed";
    EXPECT_EQ(tally.leftovers, 0);
}
