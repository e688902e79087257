#pragma once
// A calendar date as the libraries store it: three 16-bit fields.
#include <cstdint>

struct DATE_YMD {
    int16_t Year = 0;
    int16_t Month = 0;
    int16_t Day = 0;
    bool operator==(const DATE_YMD&) const = default;
};
