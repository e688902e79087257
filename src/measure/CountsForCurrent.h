#pragma once
// The inverse of the current conversion: what the board reports for a given input, so a
// simulated main board can stream physically meaningful readings.
#include <cstdint>

#include "measure/Calibration.h"

namespace measure {

// The ADC reading for an input current of `currentFa` fA in `range` at board temperature
// `celsius`: the calibration's baseline at that temperature plus the current through the
// range's conversion factor and Gain, rounded to the nearest count and held to the 24-bit
// scale of the converter (NaN counts as no current). The zero count is not part of it: a
// zeroing measures the board's own offset, which a simulation adds as a leakage current.
uint32_t CountsForCurrent(const RANGE_CAL& cal, int range, double currentFa, double celsius);

// The temperature word (before the 0x800000 is taken off) whose five-reading sum gives
// back `celsius` to within the word's resolution.
uint32_t TemperatureWordFor(double celsius);

}  // namespace measure
