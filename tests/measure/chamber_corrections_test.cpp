#include "measure/ChamberCorrections.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace {

using measure::BeamKind;
using measure::CorrectionFault;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Factors worked out by hand from the readings, to the five decimals a result is shown with.
TEST(ChamberCorrections, FactorsMatchHandComputedVectors) {
    struct Recombination {
        BeamKind beam;
        double vHigh, vLow, mHigh, mLow, expected;
    };
    const Recombination recombination[] = {
        {BeamKind::Continuous, 300, 150, 10.05, 10.0, 1.00167},      // (1-4)/(1.005-4)
        {BeamKind::Pulsed, 300, 100, 10.1, 10.0, 1.00503},           // (1-3)/(1.01-3)
        {BeamKind::Continuous, 300, 100, 10.1, 10.0, 1.00125},       // (1-9)/(1.01-9)
        {BeamKind::Pulsed, 400, 200, 20.1, 20.0, 1.00503},           // (1-2)/(1.005-2)
        {BeamKind::Continuous, -300, -150, -10.05, -10.0, 1.00167},  // negative bias
        {BeamKind::Continuous, 500, 500 / 2.5, 10.0, 10.0, 1.0},     // full collection
    };
    for (const Recombination& c : recombination) {
        auto out = measure::RecombinationFactor(c.beam, c.vHigh, c.vLow, c.mHigh, c.mLow);
        ASSERT_TRUE(out.Ok()) << c.vHigh << " / " << c.vLow;
        EXPECT_NEAR(out.value, c.expected, 5e-6) << c.vHigh << " / " << c.vLow;
    }
    struct Polarity {
        double mPlus, mMinus;
        bool usualPositive;
        double expected;
    };
    const Polarity polarity[] = {
        {10.02, -9.98, true, 0.99800},   // 20.00 / 20.04
        {10.02, -9.98, false, 1.00200},  // 20.00 / 19.96
        {-4.0, 6.0, true, 1.25},         // a chamber read with the other sign
    };
    for (const Polarity& c : polarity) {
        auto out = measure::PolarityFactor(c.mPlus, c.mMinus, c.usualPositive);
        ASSERT_TRUE(out.Ok()) << c.mPlus << ", " << c.mMinus;
        EXPECT_NEAR(out.value, c.expected, 5e-6) << c.mPlus << ", " << c.mMinus;
    }
}

TEST(ChamberCorrections, BadReadingsAndVoltagesAreFaultsNotNumbers) {
    enum Kind { kPolarity, kContinuous, kPulsed };
    struct Case {
        Kind kind;
        double vHigh, vLow, m1, m2;  // polarity: m1 = M+, m2 = M-
        CorrectionFault expected;
    };
    const Case cases[] = {
        {kPolarity, 0, 0, 0.0, -1.0, CorrectionFault::ZeroReading},
        {kPolarity, 0, 0, kNaN, -1.0, CorrectionFault::NonFiniteReading},
        {kPolarity, 0, 0, 1.0, -kInf, CorrectionFault::NonFiniteReading},
        {kPolarity, 0, 0, 10.0, 9.9, CorrectionFault::PolarityNotReversed},
        {kContinuous, 300, 150, 0.0, 1.0, CorrectionFault::ZeroReading},
        {kContinuous, 300, 150, 10.05, -10.0, CorrectionFault::SignChanged},
        // M_H/M_L on the voltage term: exactly, and within the relative tolerance.
        {kContinuous, 300, 150, 4.0, 1.0, CorrectionFault::ZeroDivisor},
        {kContinuous, 300, 150, 4.0 * (1 + 1e-12), 1.0, CorrectionFault::ZeroDivisor},
        {kPulsed, 300, 100, 3e-300 * (1 - 1e-12), 1e-300, CorrectionFault::ZeroDivisor},
        // Just outside the tolerance: a divisor, but a negative factor.
        {kContinuous, 300, 150, 4.0 * (1 + 1e-6), 1.0, CorrectionFault::NoFactor},
        {kPulsed, 300, 100, 1e308, 1e-308, CorrectionFault::NoFactor},
        {kContinuous, 300, -150, 10.0, 10.0, CorrectionFault::BadVoltages},
        {kPulsed, 150, 300, 10.0, 10.0, CorrectionFault::BadVoltages},
        {kPulsed, kNaN, 100, 10.0, 10.0, CorrectionFault::BadVoltages},
    };
    for (const Case& c : cases) {
        measure::CorrectionOutcome out =
            c.kind == kPolarity
                ? measure::PolarityFactor(c.m1, c.m2, true)
                : measure::RecombinationFactor(
                      c.kind == kContinuous ? BeamKind::Continuous : BeamKind::Pulsed, c.vHigh,
                      c.vLow, c.m1, c.m2);
        EXPECT_EQ(out.fault, c.expected) << "kind " << c.kind << ": " << c.vHigh << "/" << c.vLow
                                         << ", " << c.m1 << ", " << c.m2;
        EXPECT_FALSE(out.Ok());
    }
    // The readings at one bias, before their mean is taken.
    EXPECT_EQ(measure::MeanOfReadings({10.0, -0.5, 10.0}).fault, CorrectionFault::MixedSigns);
    EXPECT_EQ(measure::MeanOfReadings({1.7e308, 1.7e308}).fault,
              CorrectionFault::NonFiniteReading);  // the sum overflows
    EXPECT_EQ(measure::MeanOfReadings({}).fault, CorrectionFault::NoReadings);
}

TEST(ChamberCorrections, LowBiasIsTheNearestWholeVoltOfTheHighOnesSign) {
    struct Case {
        int high;
        double ratio;
        int low;
    };
    const Case cases[] = {
        {300, 2.5, 120}, {300, 4, 75}, {250, 3, 83}, {-500, 2.5, -200}, {400, kNaN, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(measure::LowBiasFor(c.high, c.ratio), c.low) << c.high << " / " << c.ratio;
}

}  // namespace
