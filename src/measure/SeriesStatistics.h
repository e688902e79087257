#pragma once
// Statistics of a series of readings: count, mean, sample standard deviation, coefficient of
// variation, minimum and maximum. The spread is taken in two passes (mean first, then the
// deviations from it, with the rounding residue of the first pass taken back), so a series of
// large, close readings keeps its spread where the one-pass sum of squares loses it all.
#include <cstddef>
#include <optional>
#include <span>

struct SeriesStatistics {
    size_t count = 0;
    double mean = 0.0;
    double minimum = 0.0;
    double maximum = 0.0;
    // Sample standard deviation (n − 1); only from two readings on.
    std::optional<double> standardDeviation;

    // 100 · s / |mean| in %; nothing below two readings or for a mean of 0.
    std::optional<double> CoefficientOfVariation() const;
};

// Non-finite values are no readings and are not counted.
SeriesStatistics ComputeSeriesStatistics(std::span<const double> values);
