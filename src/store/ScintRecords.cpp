#include "store/ScintRecords.h"

#include <cstdio>

std::string MakeBaselineKey(const SCINT_BASELINE& b) {
    char key[64];
    std::snprintf(key, sizeof key, "%04d%02d%02d%02d%02d%02d", b.Year, b.Month, b.Day, b.Hour,
                  b.Minute, b.Second);
    return key;
}
