// The trend ring (one point a second, a quarter of an hour, oldest dropped), its drift and
// the chart axes it is drawn on, against values worked out by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "measure/TrendRing.h"
#include "measure/TrendScale.h"

namespace {

constexpr int64_t kMinute = 60000;

TEST(TrendDrift, SlopeOverTheWindowAsAShareOfItsMeanPerMinute) {
    struct Case {
        const char* name;
        std::vector<TrendValue> values;
        std::optional<double> drift;
    };
    const std::vector<Case> cases = {
        // a negative current growing in size drifts upwards: slope -1, mean -100.5
        {"negative ramp", {{0, -100}, {30000, -100.5}, {60000, -101}}, 100.0 / 100.5},
        {"mean 0", {{0, -1}, {60000, 1}}, std::nullopt},
        {"one point", {{0, 10}}, std::nullopt},
        {"all at one time", {{0, 5}, {0, 6}}, std::nullopt},
        {"a value over range", {{0, 5}, {1000, 5, true}, {2000, 5}}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<double> drift = DriftPercentPerMinute(c.values);
        EXPECT_EQ(drift.has_value(), c.drift.has_value());
        EXPECT_NEAR(drift.value_or(0), c.drift.value_or(0), 1e-9);
    }
}

TEST(TrendRing, KeepsOnePointASecondAndTheNewestQuarterHour) {
    CTrendRing ring;
    // Two rates a second for 1000 s on a ramp of 1 fA a second: each point the mean of both.
    for (int64_t ms = 0; ms < 1000000; ms += 500)
        ring.Append(ms, {.currentFa = double(ms) / 1000});
    ASSERT_EQ(ring.Size(), CTrendRing::kCapacity);
    for (size_t i : {size_t(0), size_t(450), CTrendRing::kCapacity - 1}) {
        const int64_t second = 100 + int64_t(i);  // seconds 0..99 made room
        EXPECT_EQ(ring.At(i).second, second);
        EXPECT_DOUBLE_EQ(ring.At(i).timeMs, second * 1000 + 250.0);
        EXPECT_DOUBLE_EQ(ring.At(i).currentFa, second + 0.25);
    }
    // The bucket means of a ramp lie on it: its drift survives the ring.
    std::vector<TrendValue> window;
    ring.Values(1000000 - 5 * kMinute, 0, window);
    EXPECT_EQ(window.size(), 300u);
    const double meanValue = (window.front().value + window.back().value) / 2;
    EXPECT_NEAR(*DriftPercentPerMinute(window), 100.0 * 60 / meanValue, 1e-9);

    // A second whose rates came in two dose units is a dose point of neither.
    ring.Clear();
    for (auto [ms, unit] : {std::pair{0, 309}, {500, 309}, {1000, 309}, {1500, 311}})
        ring.Append(ms, {.doseRate = double(ms), .doseUnitId = unit});
    ring.Values(-1, 309, window);
    ASSERT_EQ(window.size(), 1u);
    EXPECT_DOUBLE_EQ(window[0].value, 250.0);
}

// "low high step decimals" to twelve digits, "none" when there is no scale.
std::string Text(const std::optional<TrendScale>& s) {
    char text[100] = "none";
    if (s)
        std::snprintf(text, sizeof text, "%.12g %.12g %.12g %d", s->low, s->high, s->step,
                      s->decimals);
    return text;
}

TEST(TrendScale, BoundsAndStepsReadWell) {
    struct Case {
        double min, max;
        std::optional<TrendScale> scale;  // low, high, step, decimals
    };
    const Case cases[] = {
        {101.2, 104.9, TrendScale{101, 105, 1, 0}},
        {0.0123, 0.0187, TrendScale{0.012, 0.020, 0.002, 3}},
        {0.9, 4.1, TrendScale{0, 6, 2, 0}},       // 0..5 in ones would need five steps
        {5, 5, TrendScale{4.96, 5.04, 0.02, 2}},  // a flat line: 1 % around it
        {0, 0, TrendScale{-0.5, 0.5, 0.5, 1}},
        {NAN, 1, std::nullopt},
        {-1e308, 1e308, std::nullopt},
    };
    EXPECT_EQ(Text(NiceScale(1, 2, 0)), "none");  // no intervals
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.min << ".." << c.max);
        EXPECT_EQ(Text(NiceScale(c.min, c.max, 4)), Text(c.scale));
    }
}

}  // namespace
