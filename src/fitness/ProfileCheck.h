#pragma once

#include "data/TimeBase.h"

#include <QString>

class UserProfile;

// What the profile's number fields accept, and whether a stored profile gives goal figures worth
// showing. The ranges are the profile's stored ones, converted to the unit shown.
class ProfileCheck final
{
public:
    enum class Measure
    {
        Age,
        Height,
        Weight
    };

    // A field's range in the unit shown: whole units inside the stored range, so that every
    // value typed within it can be stored.
    struct Limits
    {
        int low;
        int high;
        int decimals; // how many a typed value may have: 1 for weights
        const char* unit;
        bool Holds(float value) const { return value >= float(low) && value <= float(high); }
    };
    static Limits LimitsOf(Measure measure, bool metric);

    // "<field> must be <low> to <high> <unit>."
    static QString OutOfRange(const QString& field, Measure measure, bool metric);
    // What a key the field refused would have broken: "<field>: digits only." or, for weights,
    // "<field>: digits and one decimal."
    static QString FormOf(const QString& field, Measure measure);

    // The editor's fields, in the units it shows.
    struct Entry
    {
        QString name;
        int age = 0;
        int height = 0;
        float startWeight = 0;
        float goalWeight = 0;
        TimeBase::Stamp startDate = 0;
        TimeBase::Stamp goalDate = 0;
        bool metric = false;
    };

    // The first field, in the editor's order, that is missing or out of range, said in plain
    // words with the shown unit; empty when every field is fine.
    static QString Problem(const Entry& entry);

    // Complete, every measurement within its range, and a goal date not before the start date:
    // only then are the goal figures real numbers over a forward span of days.
    static bool HasGoalFigures(const UserProfile& profile);
};
