#include "scint/BaselineCalculation.h"

#include <algorithm>
#include <cmath>

#include "document/Formatting.h"
#include "fw/Resources.h"
#include "fw/Text.h"
#include "measure/SeriesStatistics.h"

namespace scint {

namespace {

constexpr const char* kSetNames[kSetCount] = {"10x10 cm min fiber", "40x40 cm min fiber",
                                              "40x40 cm max fiber"};
constexpr int kDoseUnitIds[] = {468, 469, 470, 471, 472};
constexpr int kPlaceholderText = 333;

struct Averages {
    double blue = 0.0;
    double green = 0.0;
};

Averages AveragesOf(const PointSet& points) {
    Averages sum;
    for (const SCINT_MMNT& p : points) {
        sum.blue += p.Blue;
        sum.green += p.Green;
    }
    const double n = static_cast<double>(points.size());
    return {sum.blue / n, sum.green / n};
}

// a − b, or nothing when the two agree within the tolerance of their size.
std::optional<double> SignificantDifference(double a, double b) {
    const double difference = a - b;
    const double scale = std::max(std::fabs(a), std::fabs(b));
    if (!std::isfinite(difference) || std::fabs(difference) <= kRelativeTolerance * scale)
        return std::nullopt;
    return difference;
}

}  // namespace

const char* SetName(int set) {
    return set >= 0 && set < kSetCount ? kSetNames[set] : "";
}

SetStatistics ComputeStatistics(const PointSet& points) {
    std::vector<double> blue, green;
    for (const SCINT_MMNT& p : points) {
        blue.push_back(p.Blue);
        green.push_back(p.Green);
    }
    const SeriesStatistics b = ComputeSeriesStatistics(blue);
    const SeriesStatistics g = ComputeSeriesStatistics(green);
    return {static_cast<int>(points.size()), b.mean, g.mean, b.standardDeviation.value_or(0.0),
            g.standardDeviation.value_or(0.0)};
}

std::array<std::string, 4> StatisticsTexts(const SetStatistics& s) {
    if (s.count < 2) {
        const std::string none = fw::LoadString(kPlaceholderText);
        return {none, none, none, none};
    }
    return {formatting::Fixed(s.blueAverage, 3), formatting::Fixed(s.greenAverage, 3),
            formatting::Fixed(s.blueStdDev, 3), formatting::Fixed(s.greenStdDev, 3)};
}

bool IsValidDoseValue(double dose) {
    return std::isfinite(dose) && dose > 0.0;
}

std::optional<BaselineFactors> CalculateBaseline(const PointSets& sets, int doseType,
                                                 double doseValue) {
    const bool dose = doseType == kDoseTypeDose;
    const int gainSet = dose ? kSet10x10Min : kSet40x40Min;
    if (sets[kSet40x40Min].empty() || sets[kSet40x40Max].empty() || sets[gainSet].empty())
        return std::nullopt;
    if (dose && !IsValidDoseValue(doseValue))
        return std::nullopt;
    const Averages min = AveragesOf(sets[kSet40x40Min]);
    const Averages max = AveragesOf(sets[kSet40x40Max]);
    const std::optional<double> deltaBlue = SignificantDifference(max.blue, min.blue);
    const std::optional<double> deltaGreen = SignificantDifference(max.green, min.green);
    if (!deltaBlue || !deltaGreen)
        return std::nullopt;
    BaselineFactors f;
    f.CLR = *deltaBlue / *deltaGreen;
    if (!std::isfinite(f.CLR))
        return std::nullopt;
    const Averages reference = AveragesOf(sets[gainSet]);
    const std::optional<double> signal =
        SignificantDifference(reference.blue, f.CLR * reference.green);
    if (!signal)
        return std::nullopt;
    f.ScintGain = (dose ? doseValue : 1.0) / *signal;
    if (!std::isfinite(f.ScintGain) || f.ScintGain == 0.0)
        return std::nullopt;
    return f;
}

std::string DoseUnitName(int unit) {
    if (unit < 0 || unit >= static_cast<int>(std::size(kDoseUnitIds)))
        return fw::LoadString(kPlaceholderText);
    return fw::LoadString(kDoseUnitIds[unit]);
}

std::string DoseTypeText(int doseType, int unit) {
    if (doseType != kDoseTypeDose)
        return "Relative";
    return "Dose(" + DoseUnitName(unit) + ")";
}

}  // namespace scint
