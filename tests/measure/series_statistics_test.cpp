#include "measure/SeriesStatistics.h"

#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// The reference: finite values only, mean and deviations in long double, in two passes.
std::optional<long double> ReferenceDeviation(const std::vector<double>& values) {
    long double sum = 0;
    size_t n = 0;
    for (double v : values) {
        if (std::isfinite(v))
            sum += v, ++n;
    }
    if (n < 2)
        return std::nullopt;
    const long double mean = sum / n;
    long double squares = 0;
    for (double v : values) {
        if (std::isfinite(v))
            squares += (v - mean) * (v - mean);
    }
    return std::sqrt(squares / (n - 1));
}

struct Series {
    const char* name;
    std::vector<double> values;
    size_t count;
    double mean, minimum, maximum;
    std::optional<double> deviation;  // by hand
    std::optional<double> cv;         // % by hand
};

TEST(SeriesStatistics, TablesWithKnownResults) {
    const Series kSeries[] = {
        {"one to five", {1, 2, 3, 4, 5}, 5, 3, 1, 5, 1.5811388, 52.704628},
        {"textbook eight", {2, 4, 4, 4, 5, 5, 7, 9}, 8, 5, 2, 9, 2.1380899, 42.761799},
        // The sum of squares less n·mean² loses every digit of this spread.
        {"large and close",
         {123456789.001, 123456789.002, 123456790.003},
         3,
         123456789.33533333,
         123456789.001,
         123456790.003,
         0.5782158,
         4.6835e-7},
        {"shifted by 1e9",
         {1e9 + 4, 1e9 + 7, 1e9 + 13, 1e9 + 16},
         4,
         1e9 + 10,
         1e9 + 4,
         1e9 + 16,
         5.4772256,
         5.4772256e-7},
        {"negative mean", {-3, -5}, 2, -4, -5, -3, 1.4142136, 35.355339},
        {"mean of zero", {-1, 1}, 2, 0, -1, 1, 1.4142136, std::nullopt},
        {"all equal", {2.2, 2.2, 2.2}, 3, 2.2, 2.2, 2.2, 0.0, 0.0},
        {"one reading", {7.5}, 1, 7.5, 7.5, 7.5, std::nullopt, std::nullopt},
        {"no reading", {}, 0, 0, 0, 0, std::nullopt, std::nullopt},
        {"not numbers are no readings",
         {kNaN, 1, kInf, 3, -kInf},
         2,
         2,
         1,
         3,
         1.4142136,
         70.710678},
    };
    for (const Series& c : kSeries) {
        SCOPED_TRACE(c.name);
        const SeriesStatistics s = ComputeSeriesStatistics(c.values);
        EXPECT_EQ(s.count, c.count);
        EXPECT_DOUBLE_EQ(s.mean, c.mean);
        EXPECT_EQ(s.minimum, c.minimum);
        EXPECT_EQ(s.maximum, c.maximum);
        ASSERT_EQ(s.standardDeviation.has_value(), c.deviation.has_value());
        if (c.deviation) {
            EXPECT_NEAR(*s.standardDeviation, *c.deviation, 1e-6);
            const long double reference = *ReferenceDeviation(c.values);
            EXPECT_NEAR(*s.standardDeviation, double(reference), 1e-7 * (1 + double(reference)));
        }
        const std::optional<double> cv = s.CoefficientOfVariation();
        ASSERT_EQ(cv.has_value(), c.cv.has_value());
        if (c.cv) {
            EXPECT_NEAR(*cv, *c.cv, 1e-5 * *c.cv + 1e-12);
        }
    }
}

// Readings of a drifting chamber current near the top of the Low range, in fA: the two-pass
// spread must agree with the long double reference to the last digits the double keeps.
TEST(SeriesStatistics, LongSeriesAgreesWithTheReference) {
    std::vector<double> values;
    for (int i = 0; i < 500; ++i)
        values.push_back(4.9e5 + 0.37 * i + ((i * 7919) % 13) * 0.011);
    const SeriesStatistics s = ComputeSeriesStatistics(values);
    const long double reference = *ReferenceDeviation(values);
    EXPECT_EQ(s.count, 500u);
    EXPECT_NEAR(*s.standardDeviation, double(reference), 1e-9 * double(reference));
}

}  // namespace
