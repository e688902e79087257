#pragma once
// One check source of the check-source library.
#include <cstdint>
#include <string>

#include "store/RecordDate.h"

struct SOURCE_INFO {
    std::string SourceSerial;  // sort key
    std::string SourceName;
    std::string HalfLife;               // years, as entered
    std::string Activity;               // reference activity, as entered
    DATE_YMD ActivityDate{-1, -1, -1};  // −1 = not set
    int16_t ActivityUnit = -1;          // kBq, MBq, µCi, mCi; −1 = not set
    bool operator==(const SOURCE_INFO&) const = default;
};
