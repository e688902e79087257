#pragma once
// One row of the one/two-channel data list. A row keeps the texts that were shown, so what
// the operator saw is what is listed and exported.
#include <array>
#include <cstdint>
#include <string>

#include "store/ScintRecords.h"

struct MEAS_INFO {
    using PerChannel = std::array<std::string, 2>;

    int Flagged = 0;
    std::string Date;
    std::string Time;
    PerChannel Rate;
    PerChannel RateUnit;
    PerChannel DoseRate;
    PerChannel DoseRateUnit;
    PerChannel Charge;
    PerChannel ChargeUnit;
    PerChannel Dose;
    PerChannel DoseUnit;
    std::string RateRatio;
    std::string ChargeRatio;
    std::string DoseRateRatio;  // never filled
    std::string DoseRatio;
    std::array<int, 2> Range{};
    std::array<int16_t, 2> Bias{};
    std::array<int, 2> TPCorrection{};
    PerChannel Temperature;
    PerChannel Pressure;
    PerChannel ChamberModel;
    PerChannel ChamberSerial;
    PerChannel BeamIsotope;
    std::array<double, 2> Coefficient{};
    std::array<int16_t, 2> CalMode{};
    PerChannel ReportName;
    PerChannel ReportDate;
    PerChannel CalDueDate;
    PerChannel Aion;
    std::array<int16_t, 2> Polarity{};
    int TempStd = 0;
    int PressStd = 0;
    uint8_t CollectionType = 255;  // ChargeType of a charge row; 255 for a rate row
    long CollectionSeconds = 0;
    std::string TrigStartHigh;
    std::string TrigStartLow;
    std::string TrigStopHigh;
    std::string TrigStopLow;
};

// One row of the scintillator list, with the baseline that produced its values.
struct SCINT_MEAS_INFO {
    int Flagged = 0;
    std::string Date;
    std::string Time;
    std::string RateValue;
    std::string RateUnit;
    std::string ChargeValue;
    std::string ChargeUnit;
    SCINT_BASELINE Baseline;
};
