#include "data/TimeBase.h"

#include <limits>

namespace TimeBase {

namespace {
ClockFunction& Clock()
{
    static ClockFunction clock;
    return clock;
}
} // namespace

void SetClock(ClockFunction clock)
{
    Clock() = std::move(clock);
}
void ResetClock()
{
    Clock() = nullptr;
}

QDateTime LocalNow()
{
    if (Clock())
        return Clock()();
    return QDateTime::currentDateTime();
}

Stamp FromDateTime(const QDateTime& local)
{
    // The local wall-clock values, reinterpreted as UTC.
    const QDateTime asUtc(local.date(), local.time(), Qt::UTC);
    return static_cast<Stamp>(asUtc.toSecsSinceEpoch() + kEpochOffset);
}

Stamp FromDate(const QDate& date)
{
    // The wall clock's midnight as it is counted: made in UTC, it needs no look at the system's
    // time zone, which costs a file lookup on every call.
    return FromDateTime(QDateTime(date, QTime(0, 0), Qt::UTC));
}

QDateTime ToDateTime(Stamp stamp)
{
    const std::int64_t unixSeconds = static_cast<std::int64_t>(stamp) - kEpochOffset;
    // Kept in UTC: the date and time fields are the local wall-clock values, and a local
    // QDateTime could shift them inside a daylight-saving gap.
    return QDateTime::fromSecsSinceEpoch(unixSeconds, Qt::UTC);
}

Stamp Now()
{
    const QDateTime now = LocalNow();
    return FromDateTime(
        QDateTime(now.date(), QTime(now.time().hour(), now.time().minute(), now.time().second())));
}

Stamp Today()
{
    return FromDate(LocalNow().date());
}

Stamp AddDays(Stamp stamp, int days)
{
    const std::int64_t moved = std::int64_t(stamp) + std::int64_t(days) * 86400;
    return moved < 0 || moved > std::int64_t(std::numeric_limits<Stamp>::max()) ? stamp
                                                                                : Stamp(moved);
}

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    if (month == 2 && IsLeapYear(year))
        return 29;
    return kDays[month - 1];
}

QString ShortDateText(Stamp stamp)
{
    const QDate date = ToDate(stamp);
    return QString::asprintf("%02d/%02d/%02d", date.month(), date.day(), date.year() % 100);
}

QString DateTimeText(const QDateTime& dateTime)
{
    const QDate d = dateTime.date();
    const QTime t = dateTime.time();
    return QString::asprintf("%04d-%02d-%02dT%02d:%02d:%02d", d.year(), d.month(), d.day(),
                             t.hour(), t.minute(), t.second());
}

ScopedClock::ScopedClock(const QDateTime& fixed)
{
    SetClock([fixed] { return fixed; });
}

ScopedClock::~ScopedClock()
{
    ResetClock();
}

} // namespace TimeBase
