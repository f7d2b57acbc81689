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
    // Unsigned sums wrap like the 32-bit sums they stand for, without overflow; being sums, they
    // are taken as the items come, one pass per log, with no list of a day's items.
    struct Day
    {
        TimeBase::Stamp stamp;
        std::uint32_t burned = 0;
        std::uint32_t sums[DaySummary::FieldCount] = {};
    };
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
        days.push_back(Day{stamp});
        return days.back();
    };
    const ItemList& fitnessLog = store.List(FitnessKind);
    for (int i = 0; i < fitnessLog.Count(); ++i) {
        const auto* item = fitnessLog.ItemAt<FitnessItem>(i);
        Day& day = dayFor(item->Day());
        if (values)
            day.burned += std::uint32_t(values->ExerciseCalories(*item));
    }
    const ItemList& foodLog = store.List(FoodKind);
    for (int i = 0; i < foodLog.Count(); ++i) {
        const auto* item = foodLog.ItemAt<FoodItem>(i);
        Day& day = dayFor(item->Day());
        if (!values)
            continue;
        const DayValueSource::FoodFields fields = values->FoodValues(*item);
        for (int field = 0; field < DaySummary::FieldCount; ++field) {
            if (fields[size_t(field)] > 0)
                day.sums[field] += std::uint32_t(fields[size_t(field)]);
        }
    }

    for (const Day& day : days) {
        auto summary = std::make_unique<DaySummary>(day.stamp);
        summary->SetValue(DaySummary::NetCalories, std::int32_t(day.sums[0] - day.burned));
        for (int field = 1; field < DaySummary::FieldCount; ++field)
            summary->SetValue(field, std::int32_t(day.sums[field]));
        target.Append(std::move(summary));
    }
}
