#include "scint/BaselineLibrary.h"

#include <cmath>

#include "controls/CTouchListCtrl.h"
#include "document/CKelvarinDoc.h"
#include "document/Formatting.h"
#include "fw/Text.h"
#include "scint/ScintStyle.h"
#include "store/CScintDB.h"
#include "store/CScintMeasDB.h"

namespace scint {

namespace {

constexpr int kSerialWidth = 150;
constexpr int kUnitWidth = 70;

}  // namespace

std::vector<SCINT_BASELINE> ReadBaselines() {
    std::vector<SCINT_BASELINE> all;
    CScintDB store;
    const int count = store.GetRecordCount();
    for (int row = 0; row < count; ++row) {
        SCINT_BASELINE b;
        if (!store.GetRecord(row, b))
            break;
        all.push_back(b);
    }
    return all;
}

std::optional<SCINT_BASELINE> ReadBaselineAt(int row, const std::string& key) {
    CScintDB store;
    SCINT_BASELINE b;
    if (row < 0 || !store.GetRecord(row, b) || b.BaselineKey != key)
        return std::nullopt;
    return b;
}

PointSet ReadPoints(const std::string& key, int set) {
    PointSet points;
    CScintMeasDB store;
    SCINT_MMNT p;
    while (store.FindNextKey(key)) {
        if (!store.ReadCurrent(p))
            break;
        if (p.SetIndex == set)
            points.push_back(p);
    }
    return points;
}

bool DeleteBaselineAt(int row, const std::string& key) {
    CScintDB baselines;
    if (ReadBaselineAt(row, key) && !baselines.DeleteRecord(row, key))
        return false;
    if (baselines.FindKey(key))
        return true;  // another baseline still uses these points
    if (baselines.LastError() != DbError::kNoMoreItems)
        return false;
    return CScintMeasDB().DeleteKey(key);
}

void CreateBaselineColumns(CTouchListCtrl& list) {
    list.InsertColumn(0, "COL0", CTouchListCtrl::kFormatLeft, kSerialWidth);
    list.InsertColumn(1, "COL1", CTouchListCtrl::kFormatLeft, kUnitWidth);
    list.InsertColumn(2, "COL2", CTouchListCtrl::kFormatLeft, 0);
}

void CreateBaselineHeads(fw::Window* parent, std::array<CLabel, 3>& heads,
                         const std::array<int, 3>& ids, const fw::Rect& area, int fontHeight) {
    constexpr const char* kHeads[] = {"Serial Number", "Units", "Description"};
    const int lefts[] = {area.left, area.left + kSerialWidth, area.left + kSerialWidth + kUnitWidth,
                         area.right};
    for (int i = 0; i < 3; ++i) {
        heads[i].Create(parent, {lefts[i], area.top, lefts[i + 1], area.bottom}, ids[i], kHeads[i]);
        StyleCaption(heads[i], fontHeight);
    }
}

void FillBaselineList(CTouchListCtrl& list, const std::vector<SCINT_BASELINE>& baselines) {
    list.DeleteAllItems();
    for (const SCINT_BASELINE& b : baselines) {
        const int row = list.InsertItem(list.GetItemCount(), b.ScintSerial);
        list.SetItemText(row, 1, DoseUnitName(b.ScintDoseUnit));
        list.SetItemText(row, 2, b.Description);
    }
}

const char* DoseTypeName(int doseType) {
    return doseType == kDoseTypeDose ? "Dose" : "Relative";
}

std::string BaselineDate(const CKelvarinDoc& doc, const SCINT_BASELINE& b) {
    std::string date;
    doc.FormatDateYMD(b.Year, b.Month, b.Day, date);
    return date;
}

std::string BaselineTime(const SCINT_BASELINE& b) {
    return fw::StringPrintf("%02d:%02d:%02d", b.Hour, b.Minute, b.Second);
}

std::string FactorText(double value) {
    return std::isfinite(value) ? formatting::Fixed(value, 3) : "XXXXX";
}

}  // namespace scint
