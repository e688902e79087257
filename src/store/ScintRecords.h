#pragma once
// The scintillator library's records: a baseline (gain and channel-ratio factor) and one
// measurement point of a baseline calculation.
#include <cstdint>
#include <string>

struct SCINT_BASELINE {
    std::string BaselineKey;  // creation time "YYYYMMDDhhmmss": identity and sort key
    int16_t Year = 0;
    int16_t Month = 0;
    int16_t Day = 0;
    int16_t Hour = 0;
    int16_t Minute = 0;
    int16_t Second = 0;
    std::string ScintSerial;
    int DoseType = 0;  // 0 relative, 1 calibrated against DoseValue (stored as 16 bits)
    double DoseValue = 0.0;
    double ScintGain = 0.0;
    double CLR = 0.0;            // channel-ratio (green leakage) factor
    int16_t ScintDoseUnit = -1;  // MU, Gy, cGy, R, mR; −1 = none
    std::string Description;
    bool operator==(const SCINT_BASELINE&) const = default;
};

struct SCINT_MMNT {
    std::string BaselineKey;  // the baseline or set the point belongs to
    int16_t Year = 0;
    int16_t Month = 0;
    int16_t Day = 0;
    int16_t Hour = 0;
    int16_t Minute = 0;
    int16_t Second = 0;
    int16_t SetIndex = 0;  // which of the three setup point sets (stored unsigned)
    double Blue = 0.0;     // channel 1 charge, pC
    double Green = 0.0;    // channel 2 charge, pC
    bool operator==(const SCINT_MMNT&) const = default;
};

// The key of a baseline created at this time: "%04d%02d%02d%02d%02d%02d".
std::string MakeBaselineKey(const SCINT_BASELINE& baseline);
