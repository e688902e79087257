#pragma once
// The two chamber correction factors the electrometer measures by changing its own bias:
// the polarity factor k_pol (readings at the usual bias and at the reversed bias) and the
// ion recombination factor P_ion by the two-voltage method (readings at V_H and V_L).
// Readings are collected charges in pC; every factor checks its readings first, so a
// fault is reported instead of a number that means nothing.
#include <vector>

namespace measure {

enum class BeamKind { Continuous, Pulsed };

enum class CorrectionFault {
    None,
    NoReadings,
    ZeroReading,
    NonFiniteReading,
    MixedSigns,           // readings at one bias that disagree in sign
    PolarityNotReversed,  // the reversed bias gave the sign of the usual one
    SignChanged,          // the two voltages of the recombination gave opposite signs
    BadVoltages,          // V_L zero, of the other polarity, or not below V_H
    ZeroDivisor,          // M_H/M_L equals the voltage ratio (continuous: its square)
    NoFactor,             // the readings give no finite factor above zero
};

struct CorrectionOutcome {
    CorrectionFault fault = CorrectionFault::None;
    double value = 0.0;  // the mean or the factor
    bool Ok() const { return fault == CorrectionFault::None; }
};

// Relative tolerance within which M_H/M_L counts as equal to the voltage term.
inline constexpr double kDivisorTolerance = 1e-9;

// The mean of readings that are all finite, non-zero and of one sign.
CorrectionOutcome MeanOfReadings(const std::vector<double>& readings);

// k_pol = (|M+| + |M-|) / (2 |M|), M being M+ when the usual bias is positive, else M-.
// M+ and M- must be of opposite signs: the collected charge follows the bias.
CorrectionOutcome PolarityFactor(double mPlus, double mMinus, bool usualPositive);

// Two-voltage method, r = V_H / V_L:
//   continuous beam  P_ion = (1 - r^2) / (M_H/M_L - r^2)
//   pulsed beam      P_ion = (1 - r)   / (M_H/M_L - r)
CorrectionOutcome RecombinationFactor(BeamKind beam, double vHigh, double vLow, double mHigh,
                                      double mLow);

// V_H / ratio to the nearest volt, of V_H's sign (the bias supply sets whole volts).
int LowBiasFor(int highBias, double ratio);

}  // namespace measure
