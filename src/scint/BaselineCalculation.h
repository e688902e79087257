#pragma once
// The arithmetic of a scintillator baseline: the statistics of each measurement set and the
// CLR and gain computed from the set averages. Plain functions, so the page only shows them.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "store/ScintRecords.h"

namespace scint {

// The three irradiation set-ups, by the index stored with every point.
inline constexpr int kSetCount = 3;
inline constexpr int kSet10x10Min = 0;  // the dose set
inline constexpr int kSet40x40Min = 1;  // the relative set
inline constexpr int kSet40x40Max = 2;
inline constexpr int kDoseTypeRelative = 0;
inline constexpr int kDoseTypeDose = 1;
// Averages closer than this fraction of their size count as equal: the difference is then
// rounding noise, and a factor divided by it means nothing.
inline constexpr double kRelativeTolerance = 1e-9;

using PointSet = std::vector<SCINT_MMNT>;
using PointSets = std::array<PointSet, kSetCount>;

// "10x10 cm min fiber", "40x40 cm min fiber", "40x40 cm max fiber".
const char* SetName(int set);

struct SetStatistics {
    int count = 0;
    double blueAverage = 0.0;
    double greenAverage = 0.0;
    double blueStdDev = 0.0;  // sample standard deviation; meaningful from two points on
    double greenStdDev = 0.0;
};

// Averages and sample standard deviations of the blue and the green signals, as the series
// statistics take them (two passes: large values with a small spread keep their digits).
SetStatistics ComputeStatistics(const PointSet& points);

// The four texts of the statistics ("%0.3f" each; "----" below two points), in the order
// blue average, green average, blue deviation, green deviation.
std::array<std::string, 4> StatisticsTexts(const SetStatistics& statistics);

struct BaselineFactors {
    double CLR = 0.0;
    double ScintGain = 0.0;
};

// A calibration dose the gain may be computed with: finite and above 0.
bool IsValidDoseValue(double dose);

// CLR from the 40x40 sets, gain from the 40x40 min set (relative) or from the 10x10 set and
// `doseValue` (dose). Nothing when a required set is empty, an average difference or the gain's
// divisor vanishes within kRelativeTolerance, the dose is not valid, or CLR or gain are not
// finite or the gain is 0. A negative gain is valid: the probe's polarity is reversed.
std::optional<BaselineFactors> CalculateBaseline(const PointSets& sets, int doseType,
                                                 double doseValue);

// "MU", "Gy", "cGy", "R", "mR"; "----" for an index outside the table.
std::string DoseUnitName(int unit);
// "Relative", or "Dose(cGy)" with the unit's name.
std::string DoseTypeText(int doseType, int unit);

}  // namespace scint
