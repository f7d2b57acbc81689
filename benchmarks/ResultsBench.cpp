// Opening the results page on ten years of logs and painting its chart, at 480x640.
#include "ConstantValues.h"
#include "TenYearHistory.h"
#include "commands/UserEdits.h"
#include "dialogs/LayoutBaseDialog.h"
#include "pages/ResultsPage.h"
#include "skin/DeviceScreen.h"
#include "skin/DialogServices.h"
#include "views/FitnessViewsRegistration.h"
#include "vocabulary/Session.h"

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

namespace {

void OpenResultsAndPaint(benchmark::State& state)
{
    const TenYearHistory history(int(state.range(0)));
    Session session(std::make_unique<UserDatabase>(history.Folders()));
    UserDatabase& store = *session.Store();
    const ConstantValues values;
    store.Profile().SetFoodTracking(0);

    ResultsPage page(session);
    page.SetValueSource(&values);
    LayoutBaseDialog dialog(nullptr, &DialogServices::Fallback(), &session.Edits()->Stack());
    dialog.show();
    QImage image;
    for (auto _ : state) {
        dialog.SetPage(&page);
        QWidget* chart = dialog.Content();
        if (image.size() != chart->size())
            image = QImage(chart->size(), QImage::Format_ARGB32_Premultiplied);
        chart->render(&image);
        benchmark::DoNotOptimize(image.bits());
        state.PauseTiming(); // leaving the page is not part of opening it
        dialog.SetPage(nullptr);
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(OpenResultsAndPaint)->Arg(365)->Arg(3650)->Unit(benchmark::kMillisecond)->Complexity();

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    DeviceScreen::Instance().SetSize(QSize(480, 640));
    RegisterFitnessContent();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
