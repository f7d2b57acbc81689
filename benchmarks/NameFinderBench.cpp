// Finding foods by typed words over the foods database the build wrote: building the finder,
// the heap it keeps, and the result list of each keystroke while a name is typed.
#include "data/ExerciseDatabase.h"
#include "data/FoodDatabase.h"
#include "data/FoodIndex.h"
#include "data/FoodList.h"
#include "data/NameFinder.h"

#include <QDir>
#include <QLoggingCategory>

#include <benchmark/benchmark.h>

#include <malloc.h>

namespace {

QString Reference(const char* file)
{
    return QDir(QStringLiteral(NUTRAVA_REFERENCE_DIR)).filePath(QString::fromLatin1(file));
}

struct Foods
{
    Foods() : database(Reference("food_data.pdb")) { index.Build(database); }
    FoodDatabase database;
    FoodIndex index;
};

void BM_BuildFoodFinder(benchmark::State& state)
{
    Foods foods;
    std::size_t heap = 0;
    int count = 0;
    for (auto _ : state) {
        const std::size_t before = mallinfo2().uordblks;
        NameFinder finder = NameFinder::ForFoods(foods.database, foods.index);
        heap = mallinfo2().uordblks - before;
        count = finder.Count();
        benchmark::DoNotOptimize(finder);
    }
    state.counters["foods"] = count;
    state.counters["heap_KiB"] = double(heap) / 1024;
}
BENCHMARK(BM_BuildFoodFinder)->Unit(benchmark::kMillisecond);

void BM_BuildExerciseFinder(benchmark::State& state)
{
    ExerciseDatabase exercises;
    exercises.Open(Reference("fitness_data.pdb"));
    exercises.ReadGroups();
    for (auto _ : state)
        benchmark::DoNotOptimize(NameFinder::ForExercises(exercises).Count());
}
BENCHMARK(BM_BuildExerciseFinder)->Unit(benchmark::kMicrosecond);

// What the field holds after each keystroke of a few searches, with a dozen favorites.
const char* const kTyped[] = {"c",
                              "ch",
                              "chi",
                              "chicken",
                              "chicken b",
                              "chicken breast roas",
                              "chedd chees",
                              "s",
                              "beverages carbonated calorie aspartame caffe",
                              "qwertyuiopasdfghjklzxcvbnmqwertyuiopasdf"};

void BM_FindFoods(benchmark::State& state)
{
    QLoggingCategory::setFilterRules(QStringLiteral("nutrava.*=false"));
    Foods foods;
    const NameFinder finder = NameFinder::ForFoods(foods.database, foods.index);
    std::vector<std::pair<std::uint32_t, QString>> favorites;
    for (const NameFinder::Match& match : finder.Find(u"chicken", nullptr, 12))
        favorites.emplace_back(match.record, match.name.toString());
    const FoodList favoriteList(QString(), std::move(favorites));
    const QString typed = QString::fromLatin1(kTyped[state.range(0)]);
    std::size_t found = 0;
    for (auto _ : state) {
        const std::vector<NameFinder::Match> matches = finder.Find(typed, &favoriteList);
        found = matches.size();
        benchmark::DoNotOptimize(matches.data());
    }
    state.SetLabel(typed.toStdString());
    state.counters["found"] = double(found);
}
BENCHMARK(BM_FindFoods)->DenseRange(0, std::size(kTyped) - 1)->Unit(benchmark::kMicrosecond);

} // namespace
BENCHMARK_MAIN();
