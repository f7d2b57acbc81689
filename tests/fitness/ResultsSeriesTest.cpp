#include "fitness/ResultsSeries.h"
#include "TestSupport.h"
#include "data/DaySummaries.h"
#include "data/DayValueSource.h"
#include "data/FitnessItem.h"
#include "data/FoodItem.h"
#include "data/UserDatabase.h"
#include "data/WeightItem.h"
#include "fitness/TrendPointSink.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using TestSupport::Add;

#include <utility>
#include <vector>

namespace {

class RecordingSink final : public TrendPointSink
{
public:
    void AddPoint(float x, float value) override { points.emplace_back(x, value); }
    std::vector<std::pair<float, float>> points;
};

TimeBase::Stamp Day(int d)
{
    return TimeBase::FromDate(QDate(2007, 3, 1).addDays(d));
}

TEST(ResultsSeriesTest, DayTotalsAreOnePointPerLoggedDayInDateOrder)
{
    struct Entry
    {
        bool food; // else exercise
        int day;
        std::int32_t value;
    };
    const struct
    {
        const char* name;
        std::vector<Entry> entries;                  // in log order
        std::vector<std::pair<int, float>> expected; // day, value
    } cases[] = {
        {"food less exercise", {{true, 0, 2000}, {false, 0, 300}}, {{0, 1700.0f}}},
        {"only exercise is negative", {{false, 0, 300}}, {{0, -300.0f}}},
        {"missing food value counts zero", {{true, 0, -1}, {true, 0, 500}}, {{0, 500.0f}}},
        {"out of order days come in date order",
         {{false, 5, 100}, {true, 2, 1000}, {true, 9, 2000}, {true, 5, 400}},
         {{2, 1000.0f}, {5, 300.0f}, {9, 2000.0f}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        UserDatabase store(DatabaseFolders{dir.path(), {dir.path()}});
        for (const Entry& e : c.entries) {
            if (e.food)
                Add<FoodItem>(store.FoodLog(), Day(e.day))->SetFoodId(std::uint32_t(e.value));
            else
                Add<FitnessItem>(store.FitnessLog(), Day(e.day))
                    ->SetExerciseId(std::uint32_t(e.value));
        }
        const TestSupport::IdValues values;
        ItemList days(DaySummaryKind);
        BuildDaySummaries(store, days, &values);

        ResultsSeries series;
        series.BuildDayTotals(days, 0);
        std::vector<std::pair<int, float>> got;
        for (const ResultsSeries::Point& p : series.Points())
            got.emplace_back(int(TimeBase::ToDate(Day(0)).daysTo(TimeBase::ToDate(p.day))),
                             p.value);
        EXPECT_EQ(got, c.expected);
    }
}

TEST(ResultsSeriesTest, WeightsReachTheChartFromTheEarliestToTheLatestDay)
{
    const struct
    {
        const char* name;
        std::vector<std::pair<int, float>> entries;      // day, kilograms, in list order
        std::vector<std::pair<float, float>> handedOver; // x, value
    } cases[] = {
        {"none", {}, {}},
        {"one entry is one point at zero", {{4, 80.0f}}, {{0.0f, 80.0f}}},
        {"two on one day are the first", {{4, 80.0f}, {4, 79.0f}}, {{0.0f, 80.0f}}},
        {"out of order runs forward",
         {{10, 70.0f}, {0, 72.0f}, {5, 71.0f}},
         {{0.0f, 72.0f}, {0.5f, 71.0f}, {1.0f, 70.0f}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ItemList weights(WeightKind);
        for (const auto& [day, kilograms] : c.entries)
            Add<WeightItem>(weights, Day(day))->SetKilograms(kilograms);
        ResultsSeries series;
        series.BuildWeights(weights, true);
        RecordingSink sink;
        series.Enumerate(sink);
        EXPECT_EQ(sink.points, c.handedOver);
    }
}

} // namespace
