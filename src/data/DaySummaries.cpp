#include "data/DaySummaries.h"

#include "data/DaySummary.h"
#include "data/DayValueSource.h"
#include "data/FitnessItem.h"
#include "data/FoodItem.h"
#include "data/UserDatabase.h"

#include <QHash>

#include <vector>

static_assert(DaySummary::FieldCount == DayValueSource::kFoodFields);

void BuildDaySummaries(const UserDatabase& store, ItemList& target, const DayValueSource* values)
{
    struct Day
    {
        TimeBase::Stamp stamp;
        std::vector<const FitnessItem*> fitness;
        std::vector<const FoodItem*> food;
    };
    // One pass per log instead of a scan per day: same days, same order, same sums.
    std::vector<Day> days;
    QHash<TimeBase::Stamp, size_t> indexOf;
    // A log holds a day's items together, so the day of the item before is asked first.
    size_t last = 0;
    auto dayFor = [&](TimeBase::Stamp stamp) -> Day& {
        if (last < days.size() && days[last].stamp == stamp)
            return days[last];
        auto it = indexOf.constFind(stamp);
        if (it != indexOf.constEnd()) {
            last = *it;
            return days[last];
        }
        last = days.size();
        indexOf.insert(stamp, last);
        days.push_back(Day{stamp, {}, {}});
        return days.back();
    };
    const ItemList& fitnessLog = store.List(FitnessKind);
    for (int i = 0; i < fitnessLog.Count(); ++i) {
        const auto* item = fitnessLog.ItemAt<FitnessItem>(i);
        dayFor(item->Day()).fitness.push_back(item);
    }
    const ItemList& foodLog = store.List(FoodKind);
    for (int i = 0; i < foodLog.Count(); ++i) {
        const auto* item = foodLog.ItemAt<FoodItem>(i);
        dayFor(item->Day()).food.push_back(item);
    }

    for (const Day& day : days) {
        // Unsigned sums wrap like the 32-bit sums they stand for, without overflow.
        std::uint32_t burned = 0;
        std::uint32_t sums[DaySummary::FieldCount] = {};
        if (values) {
            for (const FitnessItem* item : day.fitness)
                burned += std::uint32_t(values->ExerciseCalories(*item));
            for (const FoodItem* item : day.food) {
                const DayValueSource::FoodFields fields = values->FoodValues(*item);
                for (int field = 0; field < DaySummary::FieldCount; ++field) {
                    if (fields[size_t(field)] > 0)
                        sums[field] += std::uint32_t(fields[size_t(field)]);
                }
            }
        }
        auto summary = std::make_unique<DaySummary>(day.stamp);
        summary->SetValue(DaySummary::NetCalories, std::int32_t(sums[0] - burned));
        for (int field = 1; field < DaySummary::FieldCount; ++field)
            summary->SetValue(field, std::int32_t(sums[field]));
        target.Append(std::move(summary));
    }
}
