#include "fitness/ProfileCheck.h"

#include "data/UserProfile.h"

#include <cmath>

namespace {

struct Range
{
    int low;
    int high;
    bool Holds(int value) const { return value >= low && value <= high; }
};

// Wide enough for any adult, narrow enough that a slip of the pen (0, 9999) is caught. The
// imperial bounds lie inside the metric ones once converted.
constexpr Range kAge{1, 120};
constexpr Range kHeightCm{50, 250};
constexpr Range kHeightInches{20, 98};
constexpr Range kWeightKg{20, 450};
constexpr Range kWeightLbs{45, 990};

QString OutOfRange(const char* field, Range range, const char* unit)
{
    return QString::asprintf("%s must be %d to %d %s.", field, range.low, range.high, unit);
}

} // namespace

QString ProfileCheck::Problem(const Entry& e)
{
    if (e.name.trimmed().isEmpty())
        return QStringLiteral("Enter your name.");
    if (!kAge.Holds(e.age))
        return OutOfRange("Age", kAge, "years");
    const Range height = e.metric ? kHeightCm : kHeightInches;
    if (!height.Holds(e.height))
        return OutOfRange("Height", height, e.metric ? "cm" : "inches");
    const Range weight = e.metric ? kWeightKg : kWeightLbs;
    const char* unit = e.metric ? "kg" : "lbs";
    if (!weight.Holds(e.startWeight))
        return OutOfRange("Start weight", weight, unit);
    if (!weight.Holds(e.goalWeight))
        return OutOfRange("Goal weight", weight, unit);
    if (e.goalDate < e.startDate)
        return QStringLiteral("The goal date is before the start date.");
    return {};
}

bool ProfileCheck::HasGoalFigures(const UserProfile& profile)
{
    return profile.IsComplete() && profile.GetGoalDate() >= profile.GetStartDate() &&
           std::isfinite(profile.ComputeBmi());
}
