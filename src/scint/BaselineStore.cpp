#include "scint/BaselineStore.h"

#include <optional>

#include "store/CScintDB.h"
#include "store/CScintMeasDB.h"

namespace scint {

namespace {

bool KeyIsComplete(const SCINT_BASELINE& b) {
    for (int16_t field : {b.Year, b.Month, b.Day, b.Hour, b.Minute, b.Second}) {
        if (field < 0)
            return false;
    }
    return b.BaselineKey == MakeBaselineKey(b);
}

// Whether a baseline or a point carries `key`; nothing when a store cannot be read, so
// nothing is written blind.
std::optional<bool> KeyInUse(const std::string& key) {
    CScintDB baselines;
    if (baselines.FindKey(key))
        return true;
    if (baselines.LastError() != DbError::kNoMoreItems)
        return std::nullopt;
    CScintMeasDB points;
    if (points.FindNextKey(key))
        return true;
    if (points.LastError() != DbError::kNoMoreItems)
        return std::nullopt;
    return false;
}

SCINT_MMNT StampedPoint(SCINT_MMNT point, const SCINT_BASELINE& b, int set) {
    point.BaselineKey = b.BaselineKey;
    point.Year = b.Year;
    point.Month = b.Month;
    point.Day = b.Day;
    point.Hour = b.Hour;
    point.Minute = b.Minute;
    point.Second = b.Second;
    point.SetIndex = static_cast<int16_t>(set);
    return point;
}

bool WriteAll(const SCINT_BASELINE& baseline, const PointSets& sets) {
    CScintDB baselines;
    if (!baselines.AddRecord(baseline))
        return false;
    CScintMeasDB points;
    for (int set = 0; set < kSetCount; ++set) {
        for (const SCINT_MMNT& point : sets[set]) {
            if (!points.AddRecord(StampedPoint(point, baseline, set)))
                return false;
        }
    }
    return true;
}

// The key was free before the save, so whatever carries it now was written by this save.
void TakeBack(const std::string& key) {
    CScintMeasDB points;
    points.DeleteKey(key);
    CScintDB baselines;
    baselines.DeleteKey(key);
}

}  // namespace

void StampBaseline(SCINT_BASELINE& b, const fw::LocalTime& now) {
    const bool valid = fw::IsValidLocalTime(now) && now.year <= 9999;
    b.Year = static_cast<int16_t>(valid ? now.year : -1);
    b.Month = static_cast<int16_t>(valid ? now.month : -1);
    b.Day = static_cast<int16_t>(valid ? now.day : -1);
    b.Hour = static_cast<int16_t>(valid ? now.hour : -1);
    b.Minute = static_cast<int16_t>(valid ? now.minute : -1);
    b.Second = static_cast<int16_t>(valid ? now.second : -1);
    b.BaselineKey = MakeBaselineKey(b);
}

SaveOutcome SaveBaseline(const SCINT_BASELINE& baseline, const PointSets& sets) {
    if (!KeyIsComplete(baseline))
        return SaveOutcome::kInvalidKey;
    const std::optional<bool> inUse = KeyInUse(baseline.BaselineKey);
    if (!inUse)
        return SaveOutcome::kStoreFailed;
    if (*inUse)
        return SaveOutcome::kKeyInUse;
    if (WriteAll(baseline, sets))
        return SaveOutcome::kSaved;
    TakeBack(baseline.BaselineKey);
    return SaveOutcome::kStoreFailed;
}

std::string SaveOutcomeText(SaveOutcome outcome) {
    switch (outcome) {
        case SaveOutcome::kInvalidKey:
            return "The baseline was not saved.\r\nThe instrument's date and time are not "
                   "valid.\r\nSet the date and time and save again.";
        case SaveOutcome::kKeyInUse:
            return "The baseline was not saved.\r\nA baseline saved at the same date and time "
                   "already exists.\r\nCheck the date and time and save again.";
        case SaveOutcome::kStoreFailed:
            return "Could not save data.\r\nThe baseline was not saved; its points are kept.";
        case SaveOutcome::kSaved:
            break;
    }
    return "";
}

}  // namespace scint
