#pragma once

#include <cstdint>

struct GridCell
{
    std::int32_t row = 0;
    std::int32_t column = 0;

    bool operator==(const GridCell&) const = default;
};
