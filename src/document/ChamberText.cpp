#include "document/ChamberText.h"

#include "document/CalModes.h"
#include "document/Formatting.h"
#include "fw/Resources.h"
#include "fw/Text.h"
#include "store/ChamberCal.h"

namespace chamber_text {

std::string CoefficientLabel(int calMode) {
    const CAL_MODE* mode = FindCalMode(calMode);
    return mode != nullptr ? fw::LoadString(mode->labelId) : std::string();
}

std::string MantissaText(int16_t mantissa) {
    return fw::StringPrintf("%0.3f", mantissa / 1000.0);
}

std::string CoefficientText(const CHAMBER_CAL& cal) {
    return MantissaText(cal.CoefMantissa) + " x 10" + formatting::Superscript(cal.CoefExponent) +
           " " + CoefficientLabel(cal.CalMode);
}

}  // namespace chamber_text
