#include "measure/ChamberCorrections.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace {

using measure::BeamKind;
using measure::CorrectionFault;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
enum Kind { kPolarity, kContinuous, kPulsed };

// Factors worked out by hand from the readings, to the five decimals a result is shown
// with (0: a fault, not a number).
TEST(ChamberCorrections, FactorsAndLowBiasMatchHandComputedVectorsAndBadInputsAreFaults) {
    const struct {
        Kind kind;
        double vHigh, vLow, m1, m2, expected;
        CorrectionFault fault = CorrectionFault::None;
    } cases[] = {
        {kContinuous, 300, 150, 10.05, 10.0, 1.00167},      // (1-4)/(1.005-4)
        {kPulsed, 300, 100, 10.1, 10.0, 1.00503},           // (1-3)/(1.01-3)
        {kContinuous, -300, -150, -10.05, -10.0, 1.00167},  // negative bias
        {kPolarity, 1, 0, 10.02, -9.98, 0.99800},           // 20.00 / 20.04
        {kPolarity, -1, 0, 10.02, -9.98, 1.00200},          // the usual bias negative
        {kPolarity, 1, 0, -4.0, 6.0, 1.25},                 // a chamber read with the other sign
        {kPolarity, 1, 0, 0.0, -1.0, 0, CorrectionFault::ZeroReading},
        {kPolarity, 1, 0, kNaN, -1.0, 0, CorrectionFault::NonFiniteReading},
        {kPolarity, 1, 0, 10.0, 9.9, 0, CorrectionFault::PolarityNotReversed},
        {kContinuous, 300, 150, 10.05, -10.0, 0, CorrectionFault::SignChanged},
        // M_H/M_L on the voltage term within the relative tolerance.
        {kPulsed, 300, 100, 3e-300 * (1 - 1e-12), 1e-300, 0, CorrectionFault::ZeroDivisor},
        // Just outside the tolerance: a divisor, but a negative factor.
        {kContinuous, 300, 150, 4.0 * (1 + 1e-6), 1.0, 0, CorrectionFault::NoFactor},
        {kPulsed, 300, 100, 1e308, 1e-308, 0, CorrectionFault::NoFactor},
        {kPulsed, 150, 300, 10.0, 10.0, 0, CorrectionFault::BadVoltages},
        {kPulsed, kNaN, 100, 10.0, 10.0, 0, CorrectionFault::BadVoltages},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << &c - cases);
        // Polarity: m1 = M+, m2 = M-, the usual bias positive; recombination: M_H, M_L.
        const BeamKind beam = c.kind == kContinuous ? BeamKind::Continuous : BeamKind::Pulsed;
        const measure::CorrectionOutcome out =
            c.kind == kPolarity ? measure::PolarityFactor(c.m1, c.m2, c.vHigh >= 0)
                                : measure::RecombinationFactor(beam, c.vHigh, c.vLow, c.m1, c.m2);
        EXPECT_EQ(out.fault, c.fault);
        EXPECT_EQ(out.Ok(), c.expected != 0);
        EXPECT_NEAR(out.Ok() ? out.value : 0, c.expected, 5e-6);
    }
    // The readings at one bias, before their mean is taken.
    EXPECT_EQ(measure::MeanOfReadings({10.0, -0.5, 10.0}).fault, CorrectionFault::MixedSigns);
    EXPECT_EQ(measure::MeanOfReadings({1.7e308, 1.7e308}).fault,
              CorrectionFault::NonFiniteReading);  // the sum overflows
    EXPECT_EQ(measure::MeanOfReadings({}).fault, CorrectionFault::NoReadings);

    // The low bias is the nearest whole volt of the high one's sign.
    const struct {
        int high;
        double ratio;
        int low;
    } lowBias[] = {{300, 2.5, 120}, {250, 3, 83}, {-500, 2.5, -200}, {400, kNaN, 0}};
    for (const auto& c : lowBias)
        EXPECT_EQ(measure::LowBiasFor(c.high, c.ratio), c.low) << c.high << " / " << c.ratio;
}

}  // namespace
