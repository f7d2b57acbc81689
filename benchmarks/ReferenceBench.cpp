// Opening the reference databases, the lookup's food lists and the day summaries of ten years
// of logs, over the databases the build wrote next to this program.
#include "TenYearHistory.h"
#include "data/DaySummaries.h"
#include "data/ExerciseDatabase.h"
#include "data/FitnessItem.h"
#include "data/FoodDatabase.h"
#include "data/FoodIndex.h"
#include "data/FoodItem.h"
#include "data/Log.h"
#include "data/ReferenceValues.h"
#include "data/TextIndex.h"
#include "data/UserDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <QtEndian>

#include <cstring>
#include <random>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void BM_OpenReferenceDatabases(benchmark::State& state)
{
    for (auto _ : state) {
        ExerciseDatabase exercises;
        exercises.Open(ReferenceFile("fitness_data.pdb"));
        exercises.ReadGroups();
        FoodDatabase foods;
        foods.Open(ReferenceFile("food_data.pdb"));
        FoodIndex index;
        index.Build(foods);
        TextIndex texts;
        texts.Open(ReferenceFile("text.pdb"));
        benchmark::DoNotOptimize(index.GroupCount());
    }
}
BENCHMARK(BM_OpenReferenceDatabases)->Unit(benchmark::kMillisecond);

void BM_OpenStore(benchmark::State& state)
{
    ReferenceCopies folder;
    {
        UserDatabase first(folder.folders);
    } // user.pdb exists from here on
    for (auto _ : state) {
        UserDatabase store(folder.folders);
        benchmark::DoNotOptimize(store.References().CanRun());
        state.PauseTiming(); // closing writes user.pdb back
        store.Profile().ClearChanged();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenStore)->Unit(benchmark::kMillisecond);

void BM_LargestFoodListFirstTime(benchmark::State& state)
{
    FoodDatabase foods;
    foods.Open(ReferenceFile("food_data.pdb"));
    int count = 0;
    int loads = 0;
    for (auto _ : state) {
        state.PauseTiming();
        FoodIndex index;
        index.Build(foods);
        const auto [group, subgroup] = LargestSubgroup(index);
        const int before = foods.RecordLoads();
        state.ResumeTiming();
        count = index.Foods(group, subgroup)->Count();
        loads = foods.RecordLoads() - before;
    }
    state.counters["foods"] = count;
    state.counters["record_loads"] = loads;
}
BENCHMARK(BM_LargestFoodListFirstTime)->Unit(benchmark::kMicrosecond);

void BM_LargestFoodListCached(benchmark::State& state)
{
    FoodDatabase foods;
    foods.Open(ReferenceFile("food_data.pdb"));
    FoodIndex index;
    index.Build(foods);
    const auto [group, subgroup] = LargestSubgroup(index);
    index.Foods(group, subgroup);
    for (auto _ : state)
        benchmark::DoNotOptimize(index.Foods(group, subgroup));
}
BENCHMARK(BM_LargestFoodListCached)->Unit(benchmark::kNanosecond);

void BM_DaySummariesTenYears(benchmark::State& state)
{
    ReferenceCopies folder;
    UserDatabase store(folder.folders);
    FillHistory(store, 3650, Catalogue::Reference(folder.dir.path()));
    const bool cold = state.range(0) != 0;
    for (auto _ : state) {
        ItemList summaries(DaySummaryKind);
        if (cold) { // nothing of the foods read yet
            ReferenceValues values(store.References(), store.References().Exercises(),
                                   store.Profile());
            BuildDaySummaries(store, summaries, &values);
        } else {
            BuildDaySummaries(store, summaries, store.References().Values());
        }
        benchmark::DoNotOptimize(summaries.Count());
    }
    state.counters["food_items"] = store.FoodLog().Count();
    store.FoodLog().Clear();
    store.FitnessLog().Clear();
}
BENCHMARK(BM_DaySummariesTenYears)->Arg(0)->Arg(1)->ArgName("cold")->Unit(benchmark::kMillisecond);

// A food_data.pdb of `records` full records whose index lists every subgroup position it can
// hold: groups of 32,767 subgroups each, all pointing at one empty subgroup at the end. Written
// piece by piece, so that making it takes little memory.
QString HostileFoods(const QTemporaryDir& dir, int records)
{
    const QString path = dir.filePath(QStringLiteral("food_data.pdb"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    constexpr qint64 kRecord = FoodDatabase::kRecordSize;
    const qint64 size = kRecord * records;
    QByteArray header(78, '\0');
    std::memcpy(header.data(), "- KLV Foods Database", 20);
    std::memcpy(header.data() + 60, "dataQZRW", 8);
    qToBigEndian<std::uint16_t>(std::uint16_t(records), header.data() + 76);
    file.write(header);
    for (int r = 0; r < records; ++r) {
        char entry[8] = {};
        qToBigEndian<std::uint32_t>(std::uint32_t(78 + 8 * records + kRecord * r), entry);
        file.write(entry, 8);
    }
    const std::uint32_t empty = std::uint32_t(size - 4); // name length 0, food count 0
    const int perGroup = 32767;
    const int groups = int((size - 16) / (4 + 3 + 4 * qint64(perGroup)));
    QByteArray stream;
    auto put16 = [&](int v) {
        char b[2];
        qToBigEndian<std::uint16_t>(std::uint16_t(v), b);
        stream.append(b, 2);
    };
    auto put32 = [&](std::uint32_t v) {
        char b[4];
        qToBigEndian<std::uint32_t>(v, b);
        stream.append(b, 4);
    };
    qint64 written = 0;
    auto flush = [&](bool all) {
        const qint64 whole = all ? stream.size() : stream.size() / kRecord * kRecord;
        file.write(stream.constData(), whole);
        written += whole;
        stream.remove(0, whole);
    };
    put16(groups);
    for (int g = 0; g < groups; ++g)
        put32(0);
    for (int g = 0; g < groups; ++g) {
        stream.append('\0');
        put16(perGroup);
        for (int i = 0; i < perGroup; ++i)
            put32(empty);
        flush(false);
    }
    stream.append(QByteArray(size - written - stream.size(), '\0'));
    flush(true);
    return path;
}

// Peak memory of opening a foods database and building its index, in a child process so that
// nothing else of this program counts.
void BM_OpenFoodsPeakMemory(benchmark::State& state)
{
    QLoggingCategory::setFilterRules(QStringLiteral("nutrava.*=false"));
    QTemporaryDir dir;
    const int records = int(state.range(0));
    const QString path = records > 0 ? HostileFoods(dir, records) : ReferenceFile("food_data.pdb");
    long peak = 0;
    long baseline = 0;
    int opened = 0;
    for (auto _ : state) {
        for (bool open : {false, true}) {
            const pid_t child = fork();
            if (child == 0) {
                FoodDatabase foods;
                FoodIndex index;
                const bool sound = !open || (foods.Open(path) == DatabaseError::None &&
                                             index.Build(foods) == DatabaseError::None);
                _exit(sound ? 0 : 1);
            }
            int status = 0;
            rusage usage{};
            wait4(child, &status, 0, &usage);
            (open ? peak : baseline) = usage.ru_maxrss;
            if (open)
                opened = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        }
    }
    state.counters["file_mb"] = double(QFileInfo(path).size()) / (1 << 20);
    state.counters["peak_mb"] = double(peak - baseline) / 1024;
    state.counters["opened"] = opened;
}
// 0: the real database; 4096 records: a 64 MB hostile one.
BENCHMARK(BM_OpenFoodsPeakMemory)->Arg(0)->Arg(4096)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
BENCHMARK_MAIN();
