#include "measure/SeriesStatistics.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <vector>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Expected figures by hand; s and CV absent (0 here) where they do not apply.
TEST(SeriesStatistics, TablesWithKnownResults) {
    const struct {
        std::vector<double> values;
        size_t count;
        double mean, minimum, maximum, s, cv;
    } kSeries[] = {
        {{1, 2, 3, 4, 5}, 5, 3, 1, 5, 1.5811388, 52.704628},
        // The one-pass sum of squares less n·mean² loses every digit of this spread.
        {{1e9 + 1, 1e9 + 2, 1e9 + 3}, 3, 1e9 + 2, 1e9 + 1, 1e9 + 3, 1, 100 / (1e9 + 2)},
        {{-3, -5}, 2, -4, -5, -3, 1.4142136, 35.355339},  // CV of |mean|
        {{-1, 1}, 2, 0, -1, 1, 1.4142136, 0},             // no CV for a mean of 0
        {{7.5}, 1, 7.5, 7.5, 7.5, 0, 0},
        {{}, 0, 0, 0, 0, 0, 0},
        {{kNaN, 1, kInf, 3, -kInf}, 2, 2, 1, 3, 1.4142136, 70.710678},  // no readings: not counted
    };
    for (const auto& c : kSeries) {
        SCOPED_TRACE(c.count);
        const SeriesStatistics s = ComputeSeriesStatistics(c.values);
        EXPECT_EQ(s.count, c.count);
        EXPECT_DOUBLE_EQ(s.mean, c.mean);
        EXPECT_EQ(s.minimum, c.minimum);
        EXPECT_EQ(s.maximum, c.maximum);
        EXPECT_EQ(s.standardDeviation.has_value(), c.s != 0);
        EXPECT_NEAR(s.standardDeviation.value_or(0), c.s, 1e-6);
        EXPECT_EQ(s.CoefficientOfVariation().has_value(), c.cv != 0);
        EXPECT_NEAR(s.CoefficientOfVariation().value_or(0), c.cv, 1e-4 * c.cv);
    }
}

}  // namespace
