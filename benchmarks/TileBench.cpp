// From a home screen tile's click to its page painted, as the user sees it: the program's own
// home screen and pages over ten years of logs, the store opened from its file as at a start.
// The first click on a tile after a start pays for decoding the logs its page reads; later
// clicks do not. Leaving the page is not timed.
#include "TenYearHistory.h"
#include "WidgetBenchmarkMain.h"
#include "app/FirstPaintReport.h"
#include "app/HomeDialog.h"
#include "app/ShellDialogServices.h"
#include "controls/BmpButtonImpl.h"
#include "controls/ControlsRegistration.h"
#include "dialogs/LayoutBaseDialog.h"
#include "pages/AllPages.h"
#include "views/BlogViewsRegistration.h"
#include "views/FitnessViewsRegistration.h"
#include "vocabulary/Session.h"

#include <QElapsedTimer>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

const char* const kTiles[] = {"daily", "profile", "journal", "fitness", "food"};

const TenYearHistory& History()
{
    static const TenYearHistory history = [] {
        RegisterControlContent();
        RegisterFitnessContent();
        RegisterBlogContent();
        return TenYearHistory(3650, Catalogue::Reference(QStringLiteral(NUTRAVA_REFERENCE_DIR)));
    }();
    return history;
}

// A start: the store opened, the home screen shown and painted.
struct Start
{
    Start()
        : session(std::make_unique<UserDatabase>(Folders())), dialogs(session),
          home(session, MakeAllPages(session), dialogs)
    {
        UserProfile& profile = session.Store()->Profile();
        CompleteProfile(profile);
        profile.SetFlags(profile.Flags() | UserProfile::kBlogAccountSeen);
        session.Store()->Settings().SetTipDay(TimeBase::Today()); // the journal's daily tip
        home.runPageDialog = [this](LayoutBaseDialog& dialog) {
            bool painted = false;
            AfterFirstPaint(&dialog, [&painted] { painted = true; });
            dialog.show();
            while (!painted)
                QCoreApplication::processEvents();
            msToPaint = double(clock.nsecsElapsed()) / 1e6;
            dialog.hide();
        };
        home.show();
        if (!QTest::qWaitForWindowExposed(&home))
            std::abort();
    }
    static DatabaseFolders Folders()
    {
        DatabaseFolders folders = History().Folders();
        folders.referenceFolders << QStringLiteral(NUTRAVA_REFERENCE_DIR);
        return folders;
    }
    // Milliseconds from the click on the tile to its page painted.
    double Click(const char* tile)
    {
        auto* button = home.findChild<BmpButtonImpl*>(QString::fromLatin1(tile));
        clock.start();
        QTest::mouseClick(button, Qt::LeftButton);
        return msToPaint;
    }

    const TimeBase::ScopedClock today{QDateTime(QDate(2017, 6, 15), QTime(12, 0))};
    Session session;
    ShellDialogServices dialogs;
    HomeDialog home;
    QElapsedTimer clock;
    double msToPaint = 0;
};

void BM_FirstClickAfterStart(benchmark::State& state)
{
    // The page's artwork drawn once, as a start finds it kept from the run before.
    Start().Click(kTiles[state.range(0)]);
    for (auto _ : state) {
        Start start;
        state.SetIterationTime(start.Click(kTiles[state.range(0)]) / 1e3);
    }
    state.SetLabel(kTiles[state.range(0)]);
}

void BM_LaterClick(benchmark::State& state)
{
    Start start;
    start.Click(kTiles[state.range(0)]);
    for (auto _ : state)
        state.SetIterationTime(start.Click(kTiles[state.range(0)]) / 1e3);
    state.SetLabel(kTiles[state.range(0)]);
}

} // namespace

BENCHMARK(BM_FirstClickAfterStart)
    ->DenseRange(0, 4)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LaterClick)->DenseRange(0, 4)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return RunWidgetBenchmarks(argc, argv);
}
