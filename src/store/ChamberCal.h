#pragma once
// One chamber calibration of the chamber library: a chamber (serial and model) can have several,
// one per calibration coefficient.
#include <cstdint>
#include <string>

#include "store/RecordDate.h"

struct CHAMBER_CAL {
    std::string ChamberSerial;  // sort key
    std::string ChamberModel;
    std::string ReportName;
    DATE_YMD ReportDate;
    DATE_YMD CalDueDate;
    std::string BeamIsotope;
    int16_t CoefMantissa = 0;  // coefficient mantissa × 1000
    int16_t CoefExponent = 0;  // power of ten
    int16_t CalMode = 0;       // 0..12
    std::string Aion;          // ion-recombination factor, as entered
    int16_t Polarity = 0;      // volts
    bool operator==(const CHAMBER_CAL&) const = default;
};
