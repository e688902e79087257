#include "boardsim/SimulatedChamber.h"

#include <cmath>

namespace boardsim {

double SimulatedChamber::Efficiency(int volts) const {
    if (volts == 0)
        return 0.0;
    const double v = std::abs(double(volts));
    const double loss =
        beam == measure::BeamKind::Continuous ? recombination / (v * v) : recombination / v;
    return 1.0 / (1.0 + loss);
}

double SimulatedChamber::CurrentAt(int volts) const {
    if (volts == 0)
        return polarityFa;
    const double collected = saturationFa * Efficiency(volts);
    return (volts > 0 ? collected : -collected) + polarityFa;
}

double SimulatedChamber::PolarityFactorAt(int volts) const {
    const double usual = std::abs(CurrentAt(volts));
    const double reversed = std::abs(CurrentAt(-volts));
    return (usual + reversed) / (2.0 * usual);
}

}  // namespace boardsim
