// The reader of weights files from scales and other programs, as "Import Weights..." reads a
// file the user chose, in metric units or pounds, with the dates of a locale that puts the month
// first or one that puts the day first.
#include "FuzzSupport.h"

#include "data/ItemList.h"
#include "data/UserProfile.h"
#include "export/WeightImport.h"

#include <QSet>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the units and the locale the user reads the file in, so each run
    // reads it once; the rest is the file.
    static const QLocale locales[] = {QLocale(QLocale::English, QLocale::UnitedStates),
                                      QLocale(QLocale::German, QLocale::Germany)};
    static const TimeBase::Stamp today = TimeBase::FromDate(QDate(2026, 12, 6));
    const bool metric = (data[0] & 1) == 0;
    const QLocale& locale = locales[(data[0] >> 1) & 1];
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data + 1),
                                                     static_cast<qsizetype>(size - 1));
    const ItemList none(WeightKind);
    WeightImport import(metric, locale, today);
    import.Read(bytes);
    import.KeepDaysOf(none);
    QSet<TimeBase::Stamp> days;
    for (const WeightImport::Weight& weight : import.Weights()) {
        Fuzz::Require(UserProfile::kWeightKg.Holds(weight.kilograms),
                      "a weight the daily chart refuses");
        Fuzz::Require(weight.day <= today, "a day after today");
        Fuzz::Require(!days.contains(weight.day), "a day twice");
        Fuzz::Require(weight.line >= 1, "a weight from no line");
        days.insert(weight.day);
    }
    Fuzz::Require(!import.Heading().isEmpty() && !import.Report().isEmpty(),
                  "a report that says nothing");
    // Named lines and days are counted past a limit, and every text taken from the file
    // is cut short.
    Fuzz::Require(import.Report().size() < 2 * WeightImport::kMaxListed * 100 + 1000,
                  "a report without bounds");
    return 0;
}
