// Commits a changing state to the user database in a data folder, over and over, for the crash
// test to kill at random moments; with --edits each state is an edit that the edits' saver
// writes after its delay, as in the program. Prints what it found at start and every commit it
// completed:
//   leftover NAME   a file beside user.pdb that a start should not leave there
//   refused TEXT    the store would not open for writing (the program exits 2)
//   start N         the committed state found at start
//   committed N     after each successful commit
#include "CommitState.h"

#include "commands/UserEdits.h"
#include "data/DatabaseFolders.h"
#include "data/UserDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QLoggingCategory>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: commit_loop DATA_FOLDER [--commits N] [--edits]\n");
        return 1;
    }
    long commits = -1;
    bool byEdits = false;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--commits") == 0 && i + 1 < argc)
            commits = std::strtol(argv[++i], nullptr, 10);
        else if (std::strcmp(argv[i], "--edits") == 0)
            byEdits = true;
    }
    // The saver's timer runs in the application's event loop.
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("nutrava.*=false"));
    const QString folder = QString::fromLocal8Bit(argv[1]);

    // No reference databases: only user.pdb is under test.
    UserDatabase store(DatabaseFolders{folder, {folder}});
    if (!store.IsWritable()) {
        std::printf("refused %s\n", qUtf8Printable(store.StateText()));
        return 2;
    }
    const QStringList expected{QStringLiteral("user.pdb"), QStringLiteral("user.pdb.bak"),
                               QStringLiteral("user.pdb.lock")};
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
        if (!expected.contains(name))
            std::printf("leftover %s\n", qUtf8Printable(name));
    }
    int sequence = CommitState::SequenceOf(store);
    std::printf("start %d\n", sequence);
    std::fflush(stdout);
    if (sequence < 0)
        return 3;

    UserEdits edits(store);
    // Short, so that kills land in the wait as well as in the write.
    edits.SetSaveDelay(2);
    for (long i = 0; commits < 0 || i < commits; ++i) {
        bool saved = false;
        if (byEdits) {
            CommitState::ApplyByEdits(edits, ++sequence);
            QEventLoop wait;
            QObject::connect(&edits, &UserEdits::saved, &wait, [&](bool ok) {
                saved = ok;
                wait.quit();
            });
            wait.exec();
        } else {
            CommitState::Apply(store, ++sequence);
            saved = store.Commit();
        }
        if (!saved) {
            std::printf("failed %d\n", sequence);
            return 4;
        }
        std::printf("committed %d\n", sequence);
        std::fflush(stdout);
    }
    return 0;
}
