#include "measure/CountsForCurrent.h"

#include <cmath>

#include <gtest/gtest.h>

#include "measure/board_feed.h"

namespace {

using measure::CountsForCurrent;
using measure::TemperatureWordFor;

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
