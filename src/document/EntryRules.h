#pragma once
// Limits of the values an operator enters that the measurement depends on: the trigger
// thresholds of channel 1 and the electrometer's calibration factors. The preferences pages
// and the settings load hold values to the same rules.
#include <cmath>

namespace entry_rules {

// Trigger thresholds in pA, kept, shown and stored at one decimal.
inline constexpr double kStartMin = 0.2;
inline constexpr double kStartMax = 9.9;
inline constexpr double kStopMin = 0.1;
inline constexpr double kStopMax = 9.8;
inline constexpr int kThresholdDecimals = 1;

// `v` at the one decimal a threshold is kept at.
inline double ToThresholdStep(double v) {
    return std::round(v * 10.0) / 10.0;
}

inline bool IsStartInRange(double v) {
    return v >= kStartMin && v <= kStartMax;
}

inline bool IsStopInRange(double v) {
    return v >= kStopMin && v <= kStopMax;
}

// A pair the instrument can trigger on: each in its range, start above stop. The keypads
// give one decimal; the remote port may give more, and that value is the one in force.
inline bool IsValidThresholdPair(double start, double stop) {
    return std::isfinite(start) && std::isfinite(stop) && IsStartInRange(start) &&
           IsStopInRange(stop) && start > stop;
}

// A calibration factor is a finite number above zero: a zero factor reads every dose as 0
// and puts the trigger's start level on its stop level.
inline bool IsUsableFactor(double v) {
    return std::isfinite(v) && v > 0.0;
}

}  // namespace entry_rules
