#pragma once
// An ionisation chamber on a simulated input whose signal depends on the bias, as a real
// chamber's does: ions recombine before they are collected (more so at a lower voltage),
// and a small current keeps its sign when the bias is reversed (the polarity effect).
#include "measure/ChamberCorrections.h"

namespace boardsim {

struct SimulatedChamber {
    double saturationFa = 0.0;  // the current with every ion collected, at a positive bias
    measure::BeamKind beam = measure::BeamKind::Continuous;
    // The loss of ions: 1/f = 1 + k/V^2 in a continuous beam (k in V^2), 1 + k/|V| in a
    // pulsed one (k in V), f being the fraction collected.
    double recombination = 0.0;
    double polarityFa = 0.0;  // added whatever the bias' sign

    // The fraction of the ions collected at `volts`; nothing without a bias.
    double Efficiency(int volts) const;
    // The current the input sees at `volts`.
    double CurrentAt(int volts) const;
    // The factors the correction procedures should find at the usual bias `volts`.
    double RecombinationFactorAt(int volts) const { return 1.0 / Efficiency(volts); }
    double PolarityFactorAt(int volts) const;
};

}  // namespace boardsim
