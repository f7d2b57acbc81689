// Ten years of daily use: opening the store, the day summaries, a commit and the CSV export.
#include "data/DaySummaries.h"
#include "data/DayValueSource.h"
#include "data/ExerciseDatabase.h"
#include "data/FitnessItem.h"
#include "data/FoodDatabase.h"
#include "data/FoodIndex.h"
#include "data/FoodItem.h"
#include "data/JournalItem.h"
#include "data/Log.h"
#include "data/UserDatabase.h"
#include "data/WeightItem.h"
#include "export/LogExporter.h"

#include <QLoggingCategory>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

class ConstantValues final : public DayValueSource
{
public:
    std::int32_t ExerciseCalories(const FitnessItem& item) const override
    {
        return std::int32_t(item.ExerciseId() % 300);
    }
    std::int32_t FoodValue(const FoodItem& item, int field) const override
    {
        return std::int32_t(item.FoodId() % 500) + field;
    }
};

// What the logged items refer to. Sums take any ids; the export names every item, so it is
// given the real foods and exercises, each logged food a different one as far as they go.
struct Catalogue
{
    std::vector<std::uint32_t> foods;
    int exercises = 0; // record count of the exercise database

    static Catalogue Reference()
    {
        Catalogue catalogue;
        FoodDatabase foods(QStringLiteral(NUTRAVA_REFERENCE_DIR "/food_data.pdb"));
        FoodIndex index;
        index.Build(foods);
        for (const FoodIndex::Group& group : index.Groups()) {
            for (const FoodIndex::Subgroup& subgroup : group.subgroups)
                catalogue.foods.insert(catalogue.foods.end(), subgroup.foods.begin(),
                                       subgroup.foods.end());
        }
        ExerciseDatabase exercises;
        exercises.Open(QStringLiteral(NUTRAVA_REFERENCE_DIR "/fitness_data.pdb"));
        catalogue.exercises = exercises.RecordCount();
        return catalogue;
    }
    std::uint32_t Food(int n) const
    {
        const auto id = std::uint32_t(n) * 37;
        return foods.empty() ? id : foods[id % foods.size()];
    }
    std::uint32_t Exercise(int n) const
    {
        return exercises > 1 ? std::uint32_t(1 + n % (exercises - 1)) : std::uint32_t(n);
    }
};

// Writes the ten-year file once per size into a temporary folder.
class History
{
public:
    explicit History(int days, const Catalogue& catalogue = {})
    {
        QLoggingCategory::setFilterRules(QStringLiteral("nutrava.*=false"));
        UserDatabase store(Folders());
        const TimeBase::Stamp first = TimeBase::FromDate(QDate(2016, 1, 1));
        for (int d = 0; d < days; ++d) {
            const TimeBase::Stamp day = first + TimeBase::Stamp(d) * 86400;
            for (int f = 0; f < 8; ++f) {
                auto* food = static_cast<FoodItem*>(
                    store.FoodLog().Append(UserDatabase::CreateItem(FoodKind, day)));
                food->SetFoodId(catalogue.Food(d * 8 + f));
            }
            for (int e = 0; e < 2; ++e) {
                auto* fitness = static_cast<FitnessItem*>(
                    store.FitnessLog().Append(UserDatabase::CreateItem(FitnessKind, day)));
                fitness->SetExerciseId(catalogue.Exercise(d + e));
            }
            static_cast<WeightItem*>(
                store.Weights().Append(UserDatabase::CreateItem(WeightKind, day)))
                ->SetKilograms(80.0f - d * 0.001f);
        }
        for (int j = 0; j < days * 1000 / 3650; ++j) {
            auto* entry = static_cast<JournalItem*>(
                store.Journal().Append(UserDatabase::CreateItem(JournalKind, first + j * 86400u)));
            entry->SetSubject(QStringLiteral("Entry %1").arg(j));
            entry->SetBody(QString(290, u'x'));
        }
        store.SaveFoodLog();
        store.SaveFitnessLog();
        store.SaveWeights();
        store.SaveJournal();
    }

    DatabaseFolders Folders() const { return {m_dir.path(), {m_dir.path()}}; }

private:
    QTemporaryDir m_dir;
};

void OpenAndLoad(benchmark::State& state)
{
    const History history(int(state.range(0)));
    for (auto _ : state) {
        auto store = std::make_unique<UserDatabase>(history.Folders());
        benchmark::DoNotOptimize(store->FoodLog().Count());
        state.PauseTiming(); // closing is not part of loading
        store.reset();
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
}

void DaySummaries(benchmark::State& state)
{
    const History history(int(state.range(0)));
    UserDatabase store(history.Folders());
    const ConstantValues values;
    for (auto _ : state) {
        ItemList summaries(DaySummaryKind);
        BuildDaySummaries(store, summaries, &values);
        benchmark::DoNotOptimize(summaries.Count());
    }
    state.SetComplexityN(state.range(0));
}

void Commit(benchmark::State& state)
{
    const History history(int(state.range(0)));
    UserDatabase store(history.Folders());
    int round = 0;
    for (auto _ : state) {
        store.FoodLog().ItemAt<FoodItem>(0)->SetQuantityIndex(++round % 5);
        store.SaveFoodLog();
        if (!store.Commit())
            state.SkipWithError("commit failed");
    }
    state.SetComplexityN(state.range(0));
}

// The whole export command but the process: reading a copy of user.pdb, naming and summing
// every item against the reference databases, writing the five files.
void Export(benchmark::State& state)
{
    const History history(int(state.range(0)), Catalogue::Reference());
    DatabaseFolders folders = history.Folders();
    folders.referenceFolders << QStringLiteral(NUTRAVA_REFERENCE_DIR);
    const QTemporaryDir out;
    for (auto _ : state) {
        QString message;
        if (LogExporter::Export(folders, out.path(), true, &message) != LogExporter::Exported)
            state.SkipWithError(qPrintable(message));
    }
    state.SetComplexityN(state.range(0));
}

} // namespace

BENCHMARK(OpenAndLoad)->Arg(365)->Arg(1825)->Arg(3650)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(DaySummaries)
    ->Arg(365)
    ->Arg(1825)
    ->Arg(3650)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK(Commit)->Arg(365)->Arg(1825)->Arg(3650)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(Export)->Arg(365)->Arg(3650)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
