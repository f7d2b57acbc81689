// Edits over ten years of daily use: an edit made and saved as the saver saves it, an undo and a
// redo with and without their saves, an import of ten years of weights. The save rewrites the
// changed list and user.pdb.
#include "TenYearHistory.h"
#include "commands/AddItemCommand.h"
#include "commands/CopyItemsCommand.h"
#include "commands/ImportWeightsCommand.h"
#include "commands/SetItemFieldCommand.h"
#include "commands/UserEdits.h"
#include "export/WeightImport.h"

#include <benchmark/benchmark.h>

namespace {

void Saved(benchmark::State& state, UserEdits& edits)
{
    if (!edits.Save())
        state.SkipWithError("save failed");
}

void AddFoodAndSave(benchmark::State& state)
{
    const TenYearHistory history(3650);
    UserDatabase store(history.Folders());
    UserEdits edits(store);
    for (auto _ : state) {
        edits.Push(new AddItemCommand(edits, UserDatabase::CreateItem(FoodKind, TimeBase::Today()),
                                      QStringLiteral("Add Cheddar Cheese")));
        Saved(state, edits);
    }
}

void ChangePortionAndSave(benchmark::State& state)
{
    const TenYearHistory history(3650);
    UserDatabase store(history.Folders());
    UserEdits edits(store);
    const std::int32_t uid = store.FoodLog().At(store.FoodLog().Count() / 2)->Uid();
    int round = 0;
    for (auto _ : state) {
        edits.Push(new SetItemFieldCommand(edits, FoodKind, uid, 0, ++round % 9));
        Saved(state, edits); // saved: the next change does not merge into this one
    }
}

// "Copy From..." of a day of 50 foods: the day's items found, copied into the next day and
// saved.
void CopyDayAndSave(benchmark::State& state)
{
    const TenYearHistory history(3650);
    UserDatabase store(history.Folders());
    UserEdits edits(store);
    const TimeBase::Stamp day = TimeBase::Today();
    for (int i = 0; i < 50; ++i) {
        auto* food =
            static_cast<FoodItem*>(store.FoodLog().Append(UserDatabase::CreateItem(FoodKind, day)));
        food->SetFoodId(std::uint32_t(100 + i));
        food->SetQuantityIndex(i % 3);
    }
    Saved(state, edits);
    for (auto _ : state) {
        std::vector<Item*> items;
        store.FoodLog().ItemsOfDay(day, items);
        std::vector<std::int32_t> uids;
        for (const Item* item : items)
            uids.push_back(item->Uid());
        edits.Push(new CopyItemsCommand(edits, FoodKind, std::move(uids), TimeBase::AddDays(day, 1),
                                        QStringLiteral("Copy 50 Items")));
        Saved(state, edits);
        // Undone and saved untimed: the file on disk lacks the copies again, so the next save
        // writes them, and the log keeps its size.
        state.PauseTiming();
        edits.Stack().undo();
        Saved(state, edits);
        state.ResumeTiming();
    }
}

// An undo and a redo of a delete in the middle of the food log; `save` saves after each.
void UndoRedo(benchmark::State& state)
{
    const bool save = state.range(0) != 0;
    const TenYearHistory history(3650);
    UserDatabase store(history.Folders());
    UserEdits edits(store);
    const std::int32_t uid = store.FoodLog().At(store.FoodLog().Count() / 2)->Uid();
    edits.Push(new AddItemCommand(edits, UserDatabase::CreateItem(FoodKind, TimeBase::Today()),
                                  QStringLiteral("Add Cheddar Cheese")));
    edits.Push(new SetItemFieldCommand(edits, FoodKind, uid, 0, 5));
    for (auto _ : state) {
        edits.Stack().undo();
        if (save)
            Saved(state, edits);
        edits.Stack().redo();
        if (save)
            Saved(state, edits);
    }
    state.SetItemsProcessed(state.iterations() * 2);
}

// A scale's ten years of daily weights, the ten years before the diary's, read and added as
// one edit to a diary of ten years; the undo that makes room for the next round is not timed.
void ImportTenYearsOfWeights(benchmark::State& state)
{
    const TenYearHistory history(3650);
    UserDatabase store(history.Folders());
    UserEdits edits(store);
    QByteArray csv = "Date,Weight (kg)\r\n";
    const QDate first(2006, 1, 1);
    for (int d = 0; d < 3650; ++d)
        csv += first.addDays(d).toString(Qt::ISODate).toLatin1() + ',' +
               QByteArray::number(90.0 - d * 0.002, 'f', 1) + "\r\n";
    for (auto _ : state) {
        WeightImport import(true, QLocale::c(), TimeBase::Today());
        import.Read(csv);
        import.KeepDaysOf(store.Weights());
        std::vector<ImportWeightsCommand::DayWeight> weights;
        for (const WeightImport::Weight& weight : import.Weights())
            weights.emplace_back(weight.day, weight.kilograms);
        if (weights.size() != 3650)
            state.SkipWithError("not every line was read");
        edits.Push(new ImportWeightsCommand(edits, std::move(weights)));
        state.PauseTiming();
        edits.Stack().undo();
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(ImportTenYearsOfWeights)->Unit(benchmark::kMillisecond);
BENCHMARK(AddFoodAndSave)->Unit(benchmark::kMillisecond);
BENCHMARK(ChangePortionAndSave)->Unit(benchmark::kMillisecond);
BENCHMARK(CopyDayAndSave)->Unit(benchmark::kMillisecond);
BENCHMARK(UndoRedo)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
