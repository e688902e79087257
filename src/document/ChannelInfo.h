#pragma once
// The state of one measuring channel: range, bias, T/P correction, and the copy of the
// selected chamber calibration.
#include <cstdint>
#include <string>

struct DATE3 {
    int16_t Year = 0;
    int16_t Month = 0;
    int16_t Day = 0;
};

struct CHANNEL_INFO {
    int Range = 0;  // 0 Low (pA), 1 High (nA)
    int RateOverRange = 0;
    int RateUnitId = 289;
    int ChargeOverRange = 0;
    int ChargeUnitId = 291;
    int DoseUnitId = 0;
    int16_t BiasSet = 0;  // volts
    int16_t BiasSetSeen = -1;
    int16_t BiasRead = 0;  // volts, as the board reports it
    int16_t BiasReadSeen = -1;
    int TPCorrection = 0;
    double Temperature = 20.0;  // °C
    double Pressure = 760.0;    // in the unit of the pressure standard
    int SystemFactor = 0;       // 1: apply the chamber calibration (dose units)
    std::string ChamberSerial;
    std::string ChamberModel;
    std::string ReportName;
    DATE3 ReportDate;
    DATE3 CalDueDate;
    std::string BeamIsotope;
    int16_t CoefMantissa = 0;  // × 1000
    int16_t CoefExponent = 0;
    int16_t CalMode = 0;
    std::string Aion;
    int16_t Polarity = 0;   // volts; above 0 makes the applied coefficient negative
    int ChamberIndex = -1;  // record in the chamber store; −1 none
};
