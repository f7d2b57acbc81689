// Opening the daily chart and the journal on one day of ten years of use.
#include "TenYearStore.h"

#include "blog/BlogViewsRegistration.h"
#include "controls/ControlsRegistration.h"
#include "dialogs/LayoutBaseDialog.h"
#include "pages/DailyChartPage.h"
#include "pages/JournalPage.h"
#include "skin/DialogServices.h"

#include <QApplication>

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

// A day inside the logs and the journal, with a complete profile and the real reference
// databases behind the logged items.
class TenYears final
{
public:
    TenYears() : m_history(3650, Catalogue::Reference()), m_store(Folders(m_history))
    {
        UserProfile& profile = m_store.Profile();
        profile.SetUserName(QStringLiteral("Ann"));
        profile.SetAge(30);
        profile.SetHeightFromDisplay(170, true);
        profile.SetStartWeight(80, true);
        profile.SetGoalWeight(70, true);
        m_store.Settings().SetTipDay(TimeBase::Today());
    }

private:
    static DatabaseFolders Folders(const History& history)
    {
        DatabaseFolders folders = history.Folders();
        folders.referenceFolders << QStringLiteral(NUTRAVA_REFERENCE_DIR);
        return folders;
    }

    const TimeBase::ScopedClock m_clock{QDateTime(QDate(2017, 6, 15), QTime(12, 0))};
    const History m_history;
    UserDatabase m_store;
};

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

void OpenDailyChart(benchmark::State& state)
{
    const TenYears store;
    DailyChartPage page;
    OpenPage(state, page);
}

void OpenJournal(benchmark::State& state)
{
    const TenYears store;
    JournalPage page;
    OpenPage(state, page);
}

} // namespace

BENCHMARK(OpenDailyChart)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenJournal)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    RegisterControlContent();
    RegisterBlogContent();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
