// The filter turns main-board readings into rate, charge, dose and temperature; the board
// feed plays the main-board handler's part for channel 1: one reading per packet, a rate every
// fifth packet outside a zeroing and, while collecting, a charge step every tenth.
#include "measure/Filter.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "measure/CountsForCurrent.h"

namespace {

// The instrument's conversion factors written out, so a mistyped digit in the code shows.
constexpr double kLowPerSum = 0.000254183144240708;
constexpr double kHighPerSum = 0.2544373273849487;
constexpr double kLowPerReading = 0.06100395461776992;
constexpr double kHighPerReading = 61.06495857238769;

double PerReading(int range) {
    return range == 0 ? kLowPerReading : kHighPerReading;
}

struct BoardFeed {
    CFilter& f;
    int range;
    bool collecting = false;
    int tenths = 0;

    void Send(int packets, uint32_t count, uint32_t temp = 0) {
        for (int i = 0; i < packets; ++i) {
            f.AddSample(0, range, collecting, count, temp);
            if (collecting && ++tenths == 10) {
                tenths = 0;
                f.AccumulateCharge(0, range);
            }
            if (++f.SampleCount == 5 && !f.Zeroing)
                f.ComputeRate(0, range);
        }
    }
};

constexpr uint32_t kMid = 8388608;        // default baseline, 2^23
constexpr uint32_t kBelow = kMid - 1000;  // 1000 counts of positive current
constexpr uint32_t kFullScale = 0xFE4000;
constexpr uint32_t kTempWord = 812646;  // five of them: 24.99996 °C
constexpr uint32_t kMaxU32 = std::numeric_limits<uint32_t>::max();

// From a reset the windows fill from zero current: shifted sums lose ceil(62.5 k) over the
// first five readings (63+125+188+250+313) on Low, and High sees 1..5 readings' worth, doubled.
TEST(FilterRate, WindowsFillFromZeroCurrentAndSteadyReadingsGiveTheHandComputedRate) {
    for (int range : {0, 1, 2}) {  // any code but 0 is High
        CFilter f;
        f.ResetChannel(0, range);
        BoardFeed b{f, range};
        b.Send(5, kBelow);
        EXPECT_DOUBLE_EQ(f.Chan[0].Rate, range == 0 ? 939 * kLowPerSum : 30000 * kHighPerSum);
        b.Send(120, kBelow);
        // Exact: with unit gain the factors must match to their last digit.
        EXPECT_EQ(f.Chan[0].Rate, 240000 * (range == 0 ? kLowPerSum : kHighPerSum))
            << "range " << range;
        EXPECT_EQ(f.InstantValue(0, range, kBelow), 1000 * PerReading(range));
        EXPECT_EQ(f.Chan[0].MeanCount, static_cast<int32_t>(kBelow));
    }
}

TEST(FilterSums, FullScaleReadingsBeyond31BitsStayExact) {
    // 240 × 16662528 = 3999006720 against 240 × 2^23 = 2013265920 of offsets.
    CFilter f;
    f.ResetChannel(0, 0);
    BoardFeed b{f, 0, true};
    b.Send(125, kFullScale);
    EXPECT_DOUBLE_EQ(f.Chan[0].Rate, -1985740800 * kLowPerSum);
    const double twelveSteps = 12 * (-1985740800.0 * kLowPerSum);
    EXPECT_NEAR(f.Chan[0].ChargeRaw, twelveSteps, 1e-12 * std::abs(twelveSteps));

    f.Zeroing = true;
    b.Send(240, kFullScale);
    EXPECT_EQ(f.ZeroSumCounts[0], 3999006720);
    EXPECT_EQ(f.ZeroSumOffsets[0], 2013265920);
    f.SetZero(1, kSkipChannel);
    EXPECT_EQ(f.Cal[0].High.Zero, 1985740800);
}

// Each charge step adds one second of mean current; the gain scales rate and charge alike.
TEST(FilterDose, ChargeStepsDoseFromRateOrChargeAndZeroingOfTheNamedRange) {
    CFilter f;
    f.ResetChannel(0, 1);
    FILTER_CHANNEL& c = f.Chan[0];
    c.CalCoefficient = 2.0;
    c.TPFactor = 1.5;
    f.Cal[0].High = {.RateCF = 3.0, .ChrgCF = 0.5, .Gain = 2.0};
    const double fc = 240000 * kHighPerSum;
    BoardFeed b{f, 1, true};
    b.Send(30, kBelow);
    EXPECT_DOUBLE_EQ(c.ChargeRaw, 3 * fc);
    EXPECT_DOUBLE_EQ(c.Charge, 2.0 * 3 * fc / 1000);

    c.DoseMode = kDoseFromRate;
    b.Send(10, kBelow);
    EXPECT_DOUBLE_EQ(c.Dose, fc * 2.0 * 2.0 * 3.0 / 1000);
    EXPECT_DOUBLE_EQ(c.DoseCorrected, c.Dose * 1.5);

    f.ResetCharge();
    EXPECT_NE(c.Dose, 0.0) << "a dose rate survives a charge reset";
    c.DoseMode = kDoseFromCharge;
    b.Send(10, kBelow);  // one charge step, then two rates
    EXPECT_DOUBLE_EQ(c.Dose, 2.0 * fc / 1000 * 2.0 * 0.5);
    f.ResetCharge();
    EXPECT_EQ(c.Dose, 0.0);
    EXPECT_EQ(c.DoseCorrected, 0.0);

    // Zeroing freezes the windows and stores only the named range.
    f = CFilter();
    f.ResetChannel(0, 0);
    f.Zeroing = true;
    BoardFeed{f, 0}.Send(240, kMid + 50, kTempWord);
    EXPECT_EQ(f.Chan[0].CountRing[0], kMid);
    EXPECT_EQ(f.Chan[0].TempSum, 0u);
    f.ZeroSumCounts[1] = 300;
    f.ZeroSumOffsets[1] = 60;
    f.SetZero(0, 1);
    EXPECT_EQ(f.Cal[0].Low.Zero, 240 * 50);
    EXPECT_EQ(f.Cal[0].High.Zero, 0);
    EXPECT_EQ(f.Cal[1].High.Zero, 240);
    EXPECT_EQ(f.Cal[1].Low.Zero, 0);
    f.SetZero(kSkipChannel, 2);  // neither code stores anything
    EXPECT_EQ(f.Cal[0].High.Zero, 0);

    f.Zeroing = false;
    f.ResetChannel(0, 0);
    BoardFeed{f, 0}.Send(125, kMid + 50);
    EXPECT_EQ(f.Chan[0].Rate, 0.0);
    EXPECT_DOUBLE_EQ(f.InstantValue(0, 0, kMid + 50 - 1000), 1000 * kLowPerReading);
}

TEST(FilterOffset, BaselinePolynomialClampsAndFollowsTemperature) {
    CFilter f;
    RANGE_CAL& low = f.Cal[0].Low;
    low = {.A = 1e-3, .C = 2.0, .D = 0.5, .E = 8000000.7};
    EXPECT_EQ(f.OffsetCounts(0, 0), 8001653u);  // + 390.625 + 1250 + 12.5
    EXPECT_EQ(f.OffsetCounts(0, 1), kMid);
    for (double e : {-1e9, std::nan("")}) {
        low.E = e;
        EXPECT_EQ(f.OffsetCounts(0, 0), 0u);
    }
    low = {.D = 100.0, .E = 1e20};
    EXPECT_EQ(f.OffsetCounts(0, 0), kMaxU32);

    low.E = kMid;
    BoardFeed b{f, 0};
    b.Send(10, kMid, kTempWord);
    const double t = (5 * kTempWord * 3.90625e-7 - 1.1264) / 0.018432;
    EXPECT_DOUBLE_EQ(f.Chan[0].Temperature, t);
    EXPECT_EQ(f.OffsetCounts(0, 0), kMid + 2499u);  // 100 × 24.99996
    b.Send(3, kMid, kTempWord);
    f.ResetChannel(0, 0);
    EXPECT_EQ(f.Chan[0].Temperature, t);
    EXPECT_EQ(f.Chan[0].TempSum, 0u);
}

TEST(FilterLimits, OverRangeEdgesLatchingChargeLimitAndSaturatedTriggerLevels) {
    CFilter f;
    const std::pair<uint32_t, bool> cases[] = {
        {0x1C000, false}, {0x1BFFF, true}, {0xFE4000, false}, {0xFE4001, true}};
    for (const auto& [count, over] : cases) {
        f.AddSample(0, 0, false, count, 0);
        EXPECT_EQ(f.Chan[0].OverRange, over) << std::hex << count;
    }
    EXPECT_FALSE(f.Chan[0].OverRangeLatched) << "latched only while collecting";
    f.AddSample(0, 0, true, 0xFE4001, 0);
    f.AddSample(0, 0, true, kMid, 0);
    EXPECT_FALSE(f.Chan[0].OverRange);
    EXPECT_TRUE(f.Chan[0].OverRangeLatched);
    f.ResetChannel(0, 1);
    EXPECT_TRUE(f.Chan[0].OverRangeLatched);
    f.ResetCharge();
    EXPECT_FALSE(f.Chan[0].OverRangeLatched);

    f.Cal[0].High.Gain = 1.6e7;  // 61064.96 fC a step: 9.77e8 pC, then 1.95e9 pC
    BoardFeed b{f, 1, true};
    b.Send(10, kBelow);
    EXPECT_FALSE(f.Chan[0].OverRangeLatched);
    b.Send(10, kBelow);
    EXPECT_TRUE(f.Chan[0].OverRangeLatched);

    // Trigger levels around the zero reading saturate.
    f = CFilter();
    f.AddSample(0, 0, false, kMid, 0);  // LastOffset = 2^23
    // 1000 fA / 0.0610039546 fA = 16392.38 counts; 500 fA: 8196.19
    f.TriggerLevels(1.0, 0.5, 0);
    EXPECT_EQ(f.StartHigh, kMid + 16392);
    EXPECT_EQ(f.StopLow, kMid - 8196);
    f.Cal[0].High.Zero = -479;     // -1.996 readings, truncated to -1
    f.TriggerLevels(1.0, 1.0, 1);  // 1000 fA / 61.0649586 fA = 16.38
    EXPECT_EQ(f.StartHigh, kMid - 1 + 16);
    EXPECT_EQ(f.StopLow, kMid - 1 - 16);
    f.Cal[0].Low.RateCF = 2.0;
    f.TriggerLevels(1.0, 1.0, 0);
    EXPECT_EQ(f.StartHigh, kMid + 32784);  // 32784.76

    f.TriggerLevels(200000.0, 1e9, 0);  // 6.6e9 and 3.3e13 counts
    EXPECT_EQ(f.StopLow, 0u);
    EXPECT_EQ(f.StopHigh, kMaxU32);
    f.TriggerLevels(std::nan(""), -5.0, 0);
    EXPECT_EQ(f.StartHigh, kMid);
    EXPECT_EQ(f.StopLow, kMid);
}

TEST(CountsForCurrent, SingleReadingsRoundTripWithinHalfACount) {
    for (int range : {0, 1}) {
        CFilter f;
        RANGE_CAL& cal = f.Cal[0].ForRange(range);
        cal = {.Gain = 1.0137, .A = 2e-5, .C = -0.8, .D = 35.0, .E = 8390000.0};
        const double perCount = PerReading(range) * cal.Gain;
        for (double counts : {-120000.0, -1000.4, 0.0, 7.7, 65536.0, 4000000.0}) {
            const double fa = counts * perCount;
            f.AddSample(0, range, false, measure::CountsForCurrent(cal, range, fa, 25.0), 0);
            EXPECT_NEAR(f.InstantValue(0, range, f.Chan[0].LastCount), fa, perCount / 2)
                << "range " << range << ", " << fa << " fA";
        }
    }
    // The simulated temperature word reads back as the temperature it was made for.
    CFilter f;
    BoardFeed{f, 0}.Send(10, kMid, measure::TemperatureWordFor(31.5) - 0x800000);
    EXPECT_NEAR(f.Chan[0].Temperature, 31.5, 1e-3);
}

}  // namespace
