#include "scint/ScintMeasTexts.h"

#include "fw/Resources.h"

namespace scint {

namespace {

constexpr int kDoseRate = 391, kDose = 392, kExposureRate = 522, kExposure = 523;
constexpr int kFirstExposureUnit = 3;  // "R", "mR"
constexpr int kUnitCount = 5;

}  // namespace

CorrectedCaptions CaptionsFor(const SCINT_BASELINE& b) {
    if (b.DoseType != 1)
        return {"Rate", "Charge"};
    // A dose baseline whose stored unit is none of the five still reads as a dose.
    const bool exposure = b.ScintDoseUnit >= kFirstExposureUnit && b.ScintDoseUnit < kUnitCount;
    return {fw::LoadString(exposure ? kExposureRate : kDoseRate),
            fw::LoadString(exposure ? kExposure : kDose)};
}

}  // namespace scint
