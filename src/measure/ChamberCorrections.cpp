#include "measure/ChamberCorrections.h"

#include <cmath>

namespace measure {
namespace {

CorrectionOutcome Fault(CorrectionFault fault) {
    return CorrectionOutcome{fault, 0.0};
}

CorrectionFault CheckReading(double m) {
    if (!std::isfinite(m))
        return CorrectionFault::NonFiniteReading;
    return m == 0.0 ? CorrectionFault::ZeroReading : CorrectionFault::None;
}

CorrectionFault CheckPair(double a, double b) {
    const CorrectionFault fa = CheckReading(a);
    return fa != CorrectionFault::None ? fa : CheckReading(b);
}

CorrectionOutcome FactorOrFault(double factor) {
    if (!std::isfinite(factor) || factor <= 0.0)
        return Fault(CorrectionFault::NoFactor);
    return CorrectionOutcome{CorrectionFault::None, factor};
}

}  // namespace

CorrectionOutcome MeanOfReadings(const std::vector<double>& readings) {
    if (readings.empty())
        return Fault(CorrectionFault::NoReadings);
    double sum = 0.0;
    for (double m : readings) {
        if (CorrectionFault f = CheckReading(m); f != CorrectionFault::None)
            return Fault(f);
        if (std::signbit(m) != std::signbit(readings.front()))
            return Fault(CorrectionFault::MixedSigns);
        sum += m;
    }
    const double mean = sum / double(readings.size());
    if (!std::isfinite(mean))
        return Fault(CorrectionFault::NonFiniteReading);  // a sum past the double range
    return CorrectionOutcome{CorrectionFault::None, mean};
}

CorrectionOutcome PolarityFactor(double mPlus, double mMinus, bool usualPositive) {
    if (CorrectionFault f = CheckPair(mPlus, mMinus); f != CorrectionFault::None)
        return Fault(f);
    if (std::signbit(mPlus) == std::signbit(mMinus))
        return Fault(CorrectionFault::PolarityNotReversed);
    const double usual = usualPositive ? mPlus : mMinus;
    return FactorOrFault((std::abs(mPlus) + std::abs(mMinus)) / (2.0 * std::abs(usual)));
}

CorrectionOutcome RecombinationFactor(BeamKind beam, double vHigh, double vLow, double mHigh,
                                      double mLow) {
    const bool sameSign = std::signbit(vHigh) == std::signbit(vLow);
    if (!std::isfinite(vHigh) || !std::isfinite(vLow) || vLow == 0.0 || !sameSign ||
        std::abs(vLow) >= std::abs(vHigh))
        return Fault(CorrectionFault::BadVoltages);
    if (CorrectionFault f = CheckPair(mHigh, mLow); f != CorrectionFault::None)
        return Fault(f);
    if (std::signbit(mHigh) != std::signbit(mLow))
        return Fault(CorrectionFault::SignChanged);
    const double r = vHigh / vLow;
    const double term = beam == BeamKind::Continuous ? r * r : r;
    const double divisor = mHigh / mLow - term;
    if (std::abs(divisor) <= kDivisorTolerance * term)
        return Fault(CorrectionFault::ZeroDivisor);
    return FactorOrFault((1.0 - term) / divisor);
}

int LowBiasFor(int highBias, double ratio) {
    if (!std::isfinite(ratio) || ratio <= 0.0)
        return 0;
    return int(std::lround(double(highBias) / ratio));
}

}  // namespace measure
