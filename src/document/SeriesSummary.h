#pragma once
// The statistics of one column of the data list — a channel's rate, dose rate, charge or
// dose, or one of the ratios — as texts in the unit and with the digits the rows themselves
// are shown with. Rows that hold no reading ("----", "XXXXX") are not counted.
#include <cstddef>
#include <string>
#include <vector>

#include "document/MeasInfo.h"

enum class SeriesQuantity { Rate, DoseRate, Charge, Dose, RateRatio, ChargeRatio, DoseRatio };

// The column a data page lists: its channel (ignored for ratios) and quantity.
struct SeriesSelection {
    int channel = 0;
    SeriesQuantity quantity = SeriesQuantity::Rate;
};

// Every figure is "----" where it does not apply: all of them without readings, all but the
// count and the mean below two readings, the coefficient of variation for a mean of 0, and
// all but the count when the readings are in units that do not convert into each other.
struct SeriesSummary {
    size_t count = 0;
    std::string mean;
    std::string standardDeviation;
    std::string coefficientOfVariation;  // in %, the number only
    std::string minimum;
    std::string maximum;
    std::string unit;  // the unit of every figure but the count; "----" for a ratio
};

SeriesSummary SummariseSeries(const std::vector<MEAS_INFO>& rows, SeriesSelection selection);

// "Rate", "Dose Rate", "Charge", "Dose", "Rate Ratio", "Charge Ratio", "Dose Ratio".
std::string SeriesQuantityName(SeriesQuantity quantity);
