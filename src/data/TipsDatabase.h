#pragma once

#include <QString>

class UserSettings;

// The tips database: one tip per record, shown once a day in turn.
class TipsDatabase final
{
public:
    static constexpr const char* kMissingText = "Install tips database";

    // Today's tip, or the empty text when a tip was already given today. Advances the tip
    // counter and tip day in the settings (raising their changed flag only when they change).
    // A missing or empty database gives kMissingText and leaves the settings alone.
    static QString DailyTip(const QString& path, UserSettings& settings);
};
