// The tips database: the tip of the day for any stored tip counter.
#include "FuzzSupport.h"

#include "data/TipsDatabase.h"
#include "data/UserSettings.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The first two bytes are the counter as user.pdb stores it (16 bits, signed); the rest is
    // the file.
    std::int16_t counter = 0;
    if (size >= sizeof counter) {
        std::memcpy(&counter, data, sizeof counter);
        data += sizeof counter;
        size -= sizeof counter;
    }
    const QString path = Fuzz::WriteInput(data, size, QStringLiteral("tips.pdb"));
    UserSettings settings;
    settings.SetTipCounter(counter);
    TipsDatabase::DailyTip(path, settings);
    return 0;
}
