#pragma once
// Reading and deleting baselines of the scintillator library for the pages that list them.
// A list row is a baseline's position in the store; its points are found by its key.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "controls/CLabel.h"
#include "scint/BaselineCalculation.h"
#include "store/ScintRecords.h"

class CTouchListCtrl;
class CKelvarinDoc;

namespace scint {

// Every baseline in store order, up to the first that cannot be read (rows past it would not
// match the store's positions).
std::vector<SCINT_BASELINE> ReadBaselines();
// The baseline at `row` read again, when it still has `key`.
std::optional<SCINT_BASELINE> ReadBaselineAt(int row, const std::string& key);
// The points of `key` that belong to `set`, in store order.
PointSet ReadPoints(const std::string& key, int set);

// Deletes the baseline at `row` when it still has `key`, then the points of `key` unless
// another baseline still carries it. Doing it again after a failure finishes the job.
bool DeleteBaselineAt(int row, const std::string& key);

// The three columns of a baseline list (serial number, unit, description) and its rows.
void CreateBaselineColumns(CTouchListCtrl& list);
// Their heads in `area` (from the list's left to its right), each over its column: white
// bold captions of `fontHeight` on the panel.
void CreateBaselineHeads(fw::Window* parent, std::array<CLabel, 3>& heads,
                         const std::array<int, 3>& ids, const fw::Rect& area, int fontHeight);
void FillBaselineList(CTouchListCtrl& list, const std::vector<SCINT_BASELINE>& baselines);

// "Relative" or "Dose".
const char* DoseTypeName(int doseType);
// The baseline's date in the document's format and its time "%02d:%02d:%02d".
std::string BaselineDate(const CKelvarinDoc& doc, const SCINT_BASELINE& b);
std::string BaselineTime(const SCINT_BASELINE& b);
// "%0.3f", or "XXXXX" for a value that is not finite.
std::string FactorText(double value);

}  // namespace scint
