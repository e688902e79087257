#pragma once
// The electrometer's own calibration of one channel, as the settings file stores it.
#include <cstdint>

#include "measure/Conversion.h"

// One channel in one range.
struct RANGE_CAL {
    double RateCF = 1.0;  // dose-rate calibration factor
    double ChrgCF = 1.0;  // dose calibration factor
    double Gain = 1.0;    // gain correction
    int32_t Zero = 0;     // zero count in units of 240 readings; measured, never stored
    // Baseline (zero-current reading, counts) against board temperature T in °C:
    // E + A·T⁴ + B·T³ + C·T² + D·T. E defaults to the converter's mid-scale, 2^23.
    double A = 0.0;
    double B = 0.0;
    double C = 0.0;
    double D = 0.0;
    double E = 8388608.0;
};

struct CHANNEL_CAL {
    RANGE_CAL Low;
    RANGE_CAL High;
    double BiasM = 1.0;  // bias read-back volts per raw unit
    double BiasB = 0.0;  // bias read-back offset, volts

    RANGE_CAL& ForRange(int range) { return measure::IsHighRange(range) ? High : Low; }
    const RANGE_CAL& ForRange(int range) const { return measure::IsHighRange(range) ? High : Low; }
};

namespace measure {

// The reading that means zero current at board temperature `celsius`, truncated to whole
// counts; a polynomial that evaluates negative or NaN gives 0.
uint32_t BaselineCounts(const RANGE_CAL& cal, double celsius);

}  // namespace measure
