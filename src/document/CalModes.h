#pragma once
// The chamber calibration modes: how a coefficient is labelled and whether it applies to
// the charge (a dose) or to the current (a rate-like quantity).
#include <cstdint>

struct CAL_MODE {
    bool chargeBased;
    int labelId;     // coefficient label, with ^/_ markup
    int unitId;      // result unit
    int quantityId;  // what the result is called
};

inline constexpr int kCalModeCount = 13;

inline constexpr CAL_MODE kCalModes[kCalModeCount] = {
    {false, 435, 436, 521}, {false, 296, 309, 521}, {false, 298, 310, 522}, {false, 299, 311, 521},
    {false, 300, 312, 521}, {false, 301, 313, 391}, {false, 302, 314, 521}, {false, 303, 315, 521},
    {true, 304, 316, 392},  {true, 305, 317, 523},  {true, 306, 318, 392},  {true, 307, 319, 392},
    {true, 308, 320, 392},
};

// The row of `calMode`, or nothing for an index outside the table.
inline const CAL_MODE* FindCalMode(int calMode) {
    return calMode >= 0 && calMode < kCalModeCount ? &kCalModes[calMode] : nullptr;
}
