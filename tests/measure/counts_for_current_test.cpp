#include "measure/CountsForCurrent.h"

#include <cmath>

#include <gtest/gtest.h>

#include "measure/board_feed.h"

namespace {

using measure::CountsForCurrent;
using measure::TemperatureWordFor;

constexpr double kLowPerReading = 0.06100395461776992;
constexpr double kHighPerReading = 61.06495857238769;

double PerReading(int range) {
    return range == 0 ? kLowPerReading : kHighPerReading;
}

TEST(CountsForCurrent, HandComputedReadingsAndClamps) {
    RANGE_CAL cal;
    EXPECT_EQ(CountsForCurrent(cal, 0, 1000 * kLowPerReading, 25.0), 8388608u - 1000);
    EXPECT_EQ(CountsForCurrent(cal, 1, 1000 * kHighPerReading, 25.0), 8388608u - 1000);
    EXPECT_EQ(CountsForCurrent(cal, 1, 600e6, 25.0), 0u);  // 600 nA pulls it to the floor
    EXPECT_EQ(CountsForCurrent(cal, 1, -600e6, 25.0), 0xFFFFFFu);
    cal = {.Gain = 2.0, .D = 10.0};  // baseline 8388908 at 30 °C
    EXPECT_EQ(CountsForCurrent(cal, 0, 1000 * kLowPerReading, 30.0), 8388908u - 500);
    EXPECT_EQ(CountsForCurrent(cal, 0, -0.4 * kLowPerReading * 2, 30.0), 8388908u);
    EXPECT_EQ(CountsForCurrent(cal, 0, -0.6 * kLowPerReading * 2, 30.0), 8388909u);
    EXPECT_EQ(CountsForCurrent(cal, 0, std::nan(""), 30.0), 8388908u);
}

TEST(CountsForCurrent, SingleReadingsRoundTripWithinHalfACount) {
    for (int range : {0, 1}) {
        CFilter f;
        RANGE_CAL& cal = f.Cal[0].ForRange(range);
        cal = {.Gain = 1.0137, .A = 2e-5, .C = -0.8, .D = 35.0, .E = 8390000.0};
        const double perCount = PerReading(range) * cal.Gain;
        for (double counts : {-120000.0, -1000.4, 0.0, 7.7, 65536.0, 4000000.0}) {
            const double fa = counts * perCount;
            f.AddSample(0, range, false, CountsForCurrent(cal, range, fa, 25.0), 0);
            EXPECT_NEAR(f.InstantValue(0, range, f.Chan[0].LastCount), fa, perCount / 2)
                << "range " << range << ", " << fa << " fA";
        }
    }
    // The simulated temperature word reads back as the temperature it was made for.
    CFilter f;
    BoardFeed{f, 0}.Send(10, 8388608u, TemperatureWordFor(31.5) - 0x800000);
    EXPECT_NEAR(f.Chan[0].Temperature, 31.5, 1e-3);
}

}  // namespace
