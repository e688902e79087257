#pragma once
// How a chamber calibration's numbers read on the library page, the chamber picker and the
// wizard's summary: "32.750 x 10^7 N_k:Gy/C", with "^" raising and "_" lowering the next
// character.
#include <cstdint>
#include <string>

struct CHAMBER_CAL;

namespace chamber_text {

// What the info buttons of the chamber library and the calibration preferences tell.
constexpr const char* kFactorInfo =
    "Calibration Factor values are only applied to measurements with a system factor "
    "applied.  Electrical units are always displayed uncorrected.";

// The coefficient label of a calibration mode ("N_k:Gy/C"); empty outside the mode table.
std::string CoefficientLabel(int calMode);
// "%0.3f" of the mantissa in thousandths (1500 → "1.500").
std::string MantissaText(int16_t mantissa);
// "%0.3f x 10%s %s": mantissa, raised exponent and the mode's coefficient label.
std::string CoefficientText(const CHAMBER_CAL& cal);

}  // namespace chamber_text
