#pragma once
// A chamber correction measured by the instrument: the readings it was found from and the
// factor. Kept with the data set and written to its data file; never applied to a dose.
#include <cstdint>
#include <string>
#include <vector>

#include "measure/ChamberCorrections.h"

struct CORRECTION_READING {
    int16_t Bias = 0;     // volts
    double Charge = 0.0;  // pC
};

struct CORRECTION_RESULT {
    std::string Date;
    std::string Time;
    uint8_t Channel = 0;   // 0 = channel 1
    bool Polarity = true;  // false: recombination (two-voltage method)
    measure::BeamKind Beam = measure::BeamKind::Continuous;
    std::vector<CORRECTION_READING> Readings;  // in the order taken
    double Factor = 0.0;                       // k_pol or P_ion
};
