#include "data/TipsDatabase.h"

#include "data/PalmDatabaseFile.h"
#include "data/RecordStream.h"
#include "data/TimeBase.h"
#include "data/UserSettings.h"

QString TipsDatabase::DailyTip(const QString& path, UserSettings& settings)
{
    const TimeBase::Stamp today = TimeBase::Today();
    if (settings.TipDay() == today)
        return QString();

    PalmDatabaseFile file;
    if (file.Open(path, false) != DatabaseError::None || file.RecordCount() == 0)
        return QString::fromLatin1(kMissingText);

    // The counter is stored in 16 bits and may come back negative: take the remainder that
    // names a record.
    const int count = int(file.RecordCount());
    int record = settings.TipCounter() % count;
    if (record < 0)
        record += count;
    if (settings.TipDay() != today)
        settings.SetTipDay(today);
    if (settings.TipCounter() != record + 1)
        settings.SetTipCounter(record + 1);

    RecordStream stream(file, record);
    return stream.ReadText();
}
