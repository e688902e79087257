#pragma once
// Fixed constants of the front end: how ADC counts become femtoamperes, how long the
// averaging windows are, and how the board temperature word scales.
#include <cstdint>

namespace measure {

// Range codes as the board and the document use them. Every code other than Low is taken as
// High, the same way in every filter operation.
inline constexpr int kRangeLow = 0;   // 0–500 pA
inline constexpr int kRangeHigh = 1;  // 0–500 nA
constexpr bool IsHighRange(int range) {
    return range != kRangeLow;
}

// The High factor is exactly 1001 times the Low one; a single reading weighs 240 times a
// unit of a 240-reading sum. Negative: more input current pulls the converter down.
inline constexpr double kLowFaPerSumCount = -0.000254183144240708;
inline constexpr double kHighFaPerSumCount = -0.2544373273849487;
inline constexpr double kLowFaPerReading = -0.06100395461776992;
inline constexpr double kHighFaPerReading = -61.06495857238769;

// Readings outside this window (inclusive) mean the input is over range.
inline constexpr uint32_t kMinValidReading = 0x1C000;
inline constexpr uint32_t kMaxValidReading = 0xFE4000;
inline constexpr uint32_t kMaxAdcReading = 0xFFFFFF;  // the converter has 24 bits

// Board temperature: °C = (sum of five words × scale − offset) / slope.
inline constexpr double kTempScale = 3.90625e-7;
inline constexpr double kTempOffset = 1.1264;
inline constexpr double kTempSlope = 0.018432;
inline constexpr double kDefaultTemperature = 25.0;

inline constexpr double kChargeLimitPc = 999999999.999;

inline constexpr int kReadingsPerRate = 5;       // a new rate twice a second
inline constexpr int kReadingsPerCharge = 10;    // one charge step per second
inline constexpr int kReadingsPerZeroing = 240;  // 24 s of readings
// Every rate, charge and zero sum is brought to the weight of 240 readings.
inline constexpr int64_t kSumWeight = 240;
inline constexpr int64_t kChargeStepScale = kSumWeight / kReadingsPerCharge;

// What differs between the ranges in the averaging. The rate sums `blockCount` blocks,
// each the sum of kReadingsPerRate window sums shifted right by `blockShift`, times
// `sumScale`; the offset window sum times offsetNum/offsetDen has the same weight.
struct RangeConstants {
    double faPerSumCount;
    double faPerReading;
    uint8_t windowLength;
    uint8_t blockCount;
    unsigned blockShift;
    int64_t sumScale;
    int64_t offsetNum;
    int64_t offsetDen;
};

// Low: sixty 64-reading windows (about 12 s); offsets × 3.75.
inline constexpr RangeConstants kLowRange{kLowFaPerSumCount, kLowFaPerReading, 64, 12, 4, 1, 15, 4};
// High: ten 12-reading windows (about 2 s); offsets × 20.
inline constexpr RangeConstants kHighRange{
    kHighFaPerSumCount, kHighFaPerReading, 12, 2, 0, 2, 20, 1};

constexpr const RangeConstants& ConstantsFor(int range) {
    return IsHighRange(range) ? kHighRange : kLowRange;
}

}  // namespace measure
