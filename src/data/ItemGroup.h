#pragma once

#include <QString>

#include <cstdint>

// The view the lookup pages take of a list to pick from: a subgroup's foods, an exercise group
// or a favorites group. RecordAt gives what a log item stores (food position, exercise record).
class ItemGroup
{
public:
    virtual ~ItemGroup() = default;
    virtual std::uint32_t RecordAt(int index) const = 0;
    virtual int Count() const = 0;
    virtual QString NameAt(int index) const = 0;
    virtual QString Title() const = 0;
};
