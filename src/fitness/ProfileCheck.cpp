#include "fitness/ProfileCheck.h"

#include "data/UserProfile.h"

#include <cmath>

ProfileCheck::Limits ProfileCheck::LimitsOf(Measure measure, bool metric)
{
    const auto inside = [metric](UserProfile::Range range, float (*shown)(float, bool),
                                 int decimals, const char* unit) {
        return Limits{int(std::ceil(shown(range.low, metric))),
                      int(std::floor(shown(range.high, metric))), decimals, unit};
    };
    switch (measure) {
    case Measure::Age:
        return inside(
            UserProfile::kAgeYears, [](float years, bool) { return years; }, 0, "years");
    case Measure::Height:
        return inside(UserProfile::kHeightCm, &UserProfile::HeightForDisplay, 0,
                      metric ? "cm" : "inches");
    case Measure::Weight:
        return inside(UserProfile::kWeightKg, &UserProfile::WeightForDisplay, 1,
                      metric ? "kg" : "lbs");
    }
    return {0, 0, 0, ""};
}

QString ProfileCheck::OutOfRange(const QString& field, Measure measure, bool metric)
{
    const Limits limits = LimitsOf(measure, metric);
    return QStringLiteral("%1 must be %2 to %3 %4.")
        .arg(field)
        .arg(limits.low)
        .arg(limits.high)
        .arg(QString::fromLatin1(limits.unit));
}

QString ProfileCheck::FormOf(const QString& field, Measure measure)
{
    return field + (LimitsOf(measure, true).decimals > 0
                        ? QStringLiteral(": digits and one decimal.")
                        : QStringLiteral(": digits only."));
}

QString ProfileCheck::Problem(const Entry& e)
{
    if (e.name.trimmed().isEmpty())
        return QStringLiteral("Enter your name.");
    const struct
    {
        const char* name;
        Measure measure;
        float value;
    } fields[] = {{"Age", Measure::Age, float(e.age)},
                  {"Height", Measure::Height, float(e.height)},
                  {"Start weight", Measure::Weight, e.startWeight},
                  {"Goal weight", Measure::Weight, e.goalWeight}};
    for (const auto& field : fields) {
        if (!LimitsOf(field.measure, e.metric).Holds(field.value))
            return OutOfRange(QString::fromLatin1(field.name), field.measure, e.metric);
    }
    if (e.goalDate < e.startDate)
        return QStringLiteral("The goal date is before the start date.");
    return {};
}

bool ProfileCheck::HasGoalFigures(const UserProfile& profile)
{
    return profile.IsComplete() && profile.GetGoalDate() >= profile.GetStartDate();
}
