#pragma once

#include "data/TimeBase.h"

#include <QString>

class UserProfile;

// What the profile editor accepts, and whether a stored profile gives goal figures worth showing.
class ProfileCheck final
{
public:
    // The editor's fields, in the units it shows.
    struct Entry
    {
        QString name;
        int age = 0;
        int height = 0;
        int startWeight = 0;
        int goalWeight = 0;
        TimeBase::Stamp startDate = 0;
        TimeBase::Stamp goalDate = 0;
        bool metric = false;
    };

    // The first field, in the editor's order, that is missing or out of range, said in plain
    // words with the shown unit; empty when every field is fine.
    static QString Problem(const Entry& entry);

    // Complete, with a goal date not before the start date and a finite BMI: only then are the
    // goals page's figures real numbers over a forward span of days.
    static bool HasGoalFigures(const UserProfile& profile);
};
