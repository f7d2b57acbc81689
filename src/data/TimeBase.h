#pragma once

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <functional>

// Dates in the database files: unsigned seconds since 1904-01-01 00:00, counting the local
// calendar date and time as if it were UTC, so daylight saving never moves a day.
namespace TimeBase {

using Stamp = std::uint32_t;

inline constexpr std::int64_t kEpochOffset = 2082844800; // 1904-01-01 to 1970-01-01

// The clock behind "now" and "today". Tests replace it to fix the date.
using ClockFunction = std::function<QDateTime()>;
void SetClock(ClockFunction clock);
void ResetClock();

QDateTime LocalNow();
Stamp Now();
Stamp Today();

Stamp FromDateTime(const QDateTime& local);
Stamp FromDate(const QDate& date);
// The result's date() and time() are the local wall-clock values, kept in UTC so that no time
// zone rule can shift them.
QDateTime ToDateTime(Stamp stamp);
inline QDate ToDate(Stamp stamp)
{
    return ToDateTime(stamp).date();
}

// The same time `days` days later (earlier when negative); the stamp itself when that lies
// outside the stamps' range. Every day of a stamp is 86,400 seconds long.
Stamp AddDays(Stamp stamp, int days);

int DaysInMonth(int year, int month);
bool IsLeapYear(int year);

QString ShortDateText(Stamp stamp);              // "%02d/%02d/%02d": month, day, year modulo 100
QString DateTimeText(const QDateTime& dateTime); // "%04d-%02d-%02dT%02d:%02d:%02d"

// Fixes the clock for the lifetime of the object; for tests.
class ScopedClock final
{
public:
    explicit ScopedClock(const QDateTime& fixed);
    ~ScopedClock();
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;
};

} // namespace TimeBase
