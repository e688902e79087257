#pragma once
// Writing a baseline and its points to the scintillator stores as one unit: the key is the
// only link between them, so a key already in use or holding an unconverted clock field is
// refused, and a write that fails part-way takes back everything written under the key.
#include <string>

#include "fw/Clock.h"
#include "scint/BaselineCalculation.h"
#include "store/ScintRecords.h"

namespace scint {

enum class SaveOutcome {
    kSaved,
    kInvalidKey,   // the clock gave no real time: the key would hold −1 fields
    kKeyInUse,     // a baseline or points already carry this key
    kStoreFailed,  // a write failed; nothing of this key was left behind
};

// Stamps the baseline with `now` (key and the six fields), or with −1 everywhere when the
// clock's value is no calendar time.
void StampBaseline(SCINT_BASELINE& baseline, const fw::LocalTime& now);

// Appends `baseline`, then every point of the three sets in order with the baseline's key and
// time. The stores are left as they were unless kSaved is returned.
SaveOutcome SaveBaseline(const SCINT_BASELINE& baseline, const PointSets& sets);

// The operator's message for an outcome other than kSaved.
std::string SaveOutcomeText(SaveOutcome outcome);

}  // namespace scint
