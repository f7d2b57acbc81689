// Opening the daily chart and the journal on one day of ten years of use.
#include "TenYearHistory.h"
#include "WidgetBenchmarkMain.h"
#include "controls/ControlsRegistration.h"
#include "dialogs/LayoutBaseDialog.h"
#include "pages/DailyChartPage.h"
#include "pages/JournalPage.h"
#include "skin/DeviceScreen.h"
#include "skin/DialogServices.h"
#include "views/BlogViewsRegistration.h"
#include "vocabulary/Session.h"

#include <benchmark/benchmark.h>

namespace {

class QuietDialogs final : public DialogServices
{
public:
    bool RunPreferences(QWidget*) override { return false; }
    void ShowHelp(QWidget*, int) override {}
    void ShowAbout(QWidget*) override {}
    void ShowMessage(QWidget*, const QString&, const QString&) override {}
};

QString ReferenceFolder()
{
    return QStringLiteral(NUTRAVA_REFERENCE_DIR);
}

// A day inside the logs and the journal, with a complete profile and the real reference
// databases behind the logged items; one store for all runs.
struct TenYears
{
    TenYears()
    {
        RegisterControlContent();
        RegisterBlogContent();
        DeviceScreen::Instance().SetSize(QSize(240, 320));
        CompleteProfile(store.Profile());
        store.Settings().SetTipDay(TimeBase::Today());
    }
    static DatabaseFolders Folders(const TenYearHistory& history)
    {
        DatabaseFolders folders = history.Folders();
        folders.referenceFolders << ReferenceFolder();
        return folders;
    }

    const TimeBase::ScopedClock clock{QDateTime(QDate(2017, 6, 15), QTime(12, 0))};
    const TenYearHistory history{3650, Catalogue::Reference(ReferenceFolder())};
    Session session{std::make_unique<UserDatabase>(Folders(history))};
    UserDatabase& store = *session.Store();
};

TenYears& Data()
{
    static TenYears data;
    return data;
}

void OpenPage(benchmark::State& state, Page& page)
{
    QuietDialogs dialogs;
    LayoutBaseDialog dialog(nullptr, &dialogs);
    for (auto _ : state) {
        dialog.SetPage(&page);
        state.PauseTiming(); // leaving writes the list back, which is not opening
        dialog.SetPage(nullptr);
        state.ResumeTiming();
    }
}

void BM_OpenDailyChartOnADay(benchmark::State& state)
{
    DailyChartPage page(Data().session);
    OpenPage(state, page);
}

void BM_OpenJournalOnADay(benchmark::State& state)
{
    JournalPage page(Data().session);
    OpenPage(state, page);
}

} // namespace

BENCHMARK(BM_OpenDailyChartOnADay)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenJournalOnADay)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return RunWidgetBenchmarks(argc, argv);
}
