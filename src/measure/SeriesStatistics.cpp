#include "measure/SeriesStatistics.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

std::vector<double> FiniteValues(std::span<const double> values) {
    std::vector<double> finite;
    finite.reserve(values.size());
    for (double v : values) {
        if (std::isfinite(v))
            finite.push_back(v);
    }
    return finite;
}

// Mean of the values; a sum past the double range falls back to summing scaled values.
double MeanOf(const std::vector<double>& values) {
    double sum = 0.0;
    for (double v : values)
        sum += v;
    const double n = double(values.size());
    if (std::isfinite(sum))
        return sum / n;
    double scaled = 0.0;
    for (double v : values)
        scaled += v / n;
    return scaled;
}

// Second pass: squared deviations from the mean, less the square of their sum, which is
// what the rounding of the mean left behind (zero in exact arithmetic).
std::optional<double> SampleDeviation(const std::vector<double>& values, double mean) {
    if (values.size() < 2)
        return std::nullopt;
    double squares = 0.0;
    double residue = 0.0;
    for (double v : values) {
        const double d = v - mean;
        squares += d * d;
        residue += d;
    }
    const double n = double(values.size());
    const double variance = std::max(0.0, (squares - residue * residue / n) / (n - 1.0));
    return std::sqrt(variance);
}

}  // namespace

std::optional<double> SeriesStatistics::CoefficientOfVariation() const {
    if (!standardDeviation || mean == 0.0)
        return std::nullopt;
    const double cv = 100.0 * *standardDeviation / std::fabs(mean);
    return std::isfinite(cv) ? std::optional<double>(cv) : std::nullopt;
}

SeriesStatistics ComputeSeriesStatistics(std::span<const double> values) {
    const std::vector<double> finite = FiniteValues(values);
    SeriesStatistics s;
    s.count = finite.size();
    if (finite.empty())
        return s;
    const auto [low, high] = std::minmax_element(finite.begin(), finite.end());
    s.minimum = *low;
    s.maximum = *high;
    s.mean = MeanOf(finite);
    s.standardDeviation = SampleDeviation(finite, s.mean);
    return s;
}
