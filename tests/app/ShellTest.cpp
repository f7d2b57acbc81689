#include "app/HomeDialog.h"
#include "app/TestPages.h"
#include "data/UserDatabase.h"
#include "pages/LogPage.h"
#include "vocabulary/Events.h"
#include "vocabulary/Session.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class TestLogPage final : public LogPage
{
public:
    explicit TestLogPage(Session& session)
        : LogPage(session, QStringLiteral("goFitness"), 7, FitnessKind)
    {
    }
    void OpenPicker(bool lookup, bool favorites) override
    {
        pickers.push_back({lookup, favorites});
    }
    void DeleteSelected() override { ++deletes; }
    void ReloadDay() override { reloadedDays.push_back(Day()); }

    std::vector<std::pair<bool, bool>> pickers;
    int deletes = 0;
    std::vector<TimeBase::Stamp> reloadedDays;
};

} // namespace

TEST(Session, FindsTheNewestPageOfANameWhileItExists)
{
    Session session;
    {
        TestPage older(session, QStringLiteral("results"), 4);
        TestPage newer(session, QStringLiteral("results"), 4);
        EXPECT_EQ(session.FindPage(QStringLiteral("results")), &newer);
        Session other; // pages of another session are not found
        EXPECT_EQ(other.FindPage(QStringLiteral("results")), nullptr);
    }
    EXPECT_EQ(session.FindPage(QStringLiteral("results")), nullptr);
}

TEST(PageEvents, GoProfileChoosesResultsOnlyForACompleteProfile)
{
    QTemporaryDir dir;
    Session session;
    session.Open(std::make_unique<UserDatabase>(DatabaseFolders{dir.path(), {dir.path()}}));
    UserDatabase& store = *session.Store();
    TestPage profile(session, QStringLiteral("profile"), 3);
    TestPage results(session, QStringLiteral("results"), 4);
    TestPage journal(session, QStringLiteral("goJournal"), 6);
    RecordingHost host;
    journal.Attach(host);

    EXPECT_EQ(journal.OnEvent(Events::kGoProfile, nullptr), 1);
    CompleteProfile(store.Profile());
    EXPECT_EQ(journal.OnEvent(Events::kGoProfile, nullptr), 1);
    EXPECT_EQ(journal.OnEvent(Events::kGoJournal, nullptr), 1);
    EXPECT_EQ(host.pages, (std::vector<Page*>{&profile, &results, &journal}));

    // No page of that name: handled, nothing happens.
    EXPECT_EQ(journal.OnEvent(Events::kGoFood, nullptr), 1);
    EXPECT_EQ(host.pages.size(), 3u);

    EXPECT_EQ(journal.OnEvent(Events::kGoHome, nullptr), 1);
    EXPECT_EQ(journal.OnEvent(Events::kDone, nullptr), 1);
    EXPECT_EQ(host.closes, 2);
    EXPECT_EQ(journal.OnEvent(Events::kHelp, nullptr), 0); // the dialog's own business
    EXPECT_EQ(journal.OnEvent(QStringLiteral("GOHOME"), nullptr), 0);

    // A page that refuses to be left stays, and the event counts as handled.
    journal.leavable = false;
    EXPECT_EQ(journal.OnEvent(Events::kGoProfile, nullptr), 1);
    EXPECT_EQ(host.pages.size(), 3u);
}

TEST(LogPage, OpensOnTodayAtEveryAttachAndHandlesItsEvents)
{
    TimeBase::ScopedClock clock(QDateTime(QDate(2026, 5, 10), QTime(18, 0)));
    const TimeBase::Stamp today = TimeBase::FromDate(QDate(2026, 5, 10));
    Session session;
    TestLogPage page(session);
    RecordingHost host;
    page.Attach(host);
    EXPECT_EQ(page.Day(), today);

    host.date_ = today - 86400;
    EXPECT_EQ(page.OnEvent(Events::kDateChanged, nullptr), 1);
    EXPECT_EQ(page.Day(), today - 86400);
    EXPECT_EQ(page.reloadedDays, std::vector<TimeBase::Stamp>{today - 86400});
    page.Detach();
    page.Attach(host);
    EXPECT_EQ(page.Day(), today);

    page.OnEvent(Events::kLookup, nullptr);
    page.OnEvent(Events::kAdd, nullptr);
    page.OnEvent(Events::kFav, nullptr);
    EXPECT_EQ(page.pickers,
              (std::vector<std::pair<bool, bool>>{{true, false}, {false, false}, {false, true}}));
    page.OnEvent(Events::kDelete, nullptr);
    EXPECT_EQ(page.deletes, 1);
    EXPECT_EQ(page.OnEvent(Events::kDone, nullptr), 1);
    EXPECT_EQ(host.closes, 1);
}

TEST(HomeEntries, EachEntryOpensItsPageAndRefocusesItsTile)
{
    struct Row
    {
        const char* event;
        bool complete;
        const char* page;
        const char* button;
    };
    const Row rows[] = {
        {"daily", true, "daily.chart", "daily"},    {"daily", false, "profile", "profile"},
        {"fitness", false, "goFitness", "fitness"}, {"food", true, "goFood", "food"},
        {"journal", true, "goJournal", "journal"},  {"profile", true, "results", "profile"},
        {"profile", false, "profile", "profile"},   {"blogger", true, "blogger", "profile"},
        {"header", true, "profile", "profile"},
    };
    for (const Row& row : rows) {
        const HomeDialog::Entry entry =
            HomeDialog::EntryFor(QString::fromLatin1(row.event), row.complete);
        EXPECT_EQ(entry.page, QString::fromLatin1(row.page)) << row.event << row.complete;
        EXPECT_EQ(entry.button, QString::fromLatin1(row.button)) << row.event << row.complete;
    }
}
