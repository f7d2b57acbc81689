#pragma once

#include <QStringView>

#include <cstdint>
#include <span>

// One key/value pair of the compiled-in skin table. Keys are "{W}x{H}/...", "{skin}/..." or the
// same with a leading "!" for bitmap resource identifiers.
struct SkinEntry
{
    const char16_t* key;
    std::int32_t value;
};

namespace SkinTable {

// All entries, in ascending key order (UTF-16 code unit order).
std::span<const SkinEntry> Entries();

// Exact, case-sensitive lookup; `value` is untouched when the key is absent.
bool Find(QStringView key, std::int32_t* value);

} // namespace SkinTable
