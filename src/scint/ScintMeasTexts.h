#pragma once
// The captions of the corrected values, which follow the baseline in use: "Rate"/"Charge"
// for a relative baseline, the dose unit's rate and dose quantity for a dose baseline (the
// dose quantities when its stored unit is outside the table).
#include <string>

#include "store/ScintRecords.h"

namespace scint {

struct CorrectedCaptions {
    std::string rate;  // without the colon
    std::string charge;
};

CorrectedCaptions CaptionsFor(const SCINT_BASELINE& baseline);

}  // namespace scint
