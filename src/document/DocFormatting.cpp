// The document's display texts: rate, charge, dose, ratios, dates, times and standards.
#include <cmath>
#include <iterator>

#include "document/CKelvarinDoc.h"
#include "document/CalModes.h"
#include "document/Formatting.h"
#include "fw/Resources.h"
#include "fw/Text.h"

using formatting::FourSignificant;

namespace {

constexpr int kUnitRoentgenMode = 317;
constexpr int kContinuousText = 160;
constexpr int kTriggerText = 162;
constexpr int kDegreesC = 374;
constexpr int kPressUnits[] = {338, 337, 339};
constexpr double kTempStandards[] = {20.0, 22.0};
constexpr double kPressStandards[] = {760.0, 1.0, 101.3};

std::string Ratio(double a, double b, bool overRange) {
    if (overRange)
        return formatting::OverRange();
    // A reading that is no number, or a quotient past what a double holds, has no ratio to
    // show: the text for a value that cannot be shown, never "inf" or "nan".
    if (!std::isfinite(a) || !std::isfinite(b))
        return formatting::OverRange();
    double r = (a == 0.0 || b == 0.0) ? 0.0 : a / b;
    if (!std::isfinite(r))
        return formatting::OverRange();
    return formatting::RatioValue(r);
}

}  // namespace

bool CKelvarinDoc::HasAppliedChamber(int ch) const {
    const CHANNEL_INFO& c = Channel[ch & 1];
    return c.SystemFactor == 1 && c.ChamberIndex >= 0;
}

int CKelvarinDoc::DoseResultUnitId(int ch) const {
    const CAL_MODE* mode = FindCalMode(Channel[ch & 1].CalMode);
    return HasAppliedChamber(ch) && mode ? mode->unitId : 0;
}

double CKelvarinDoc::DoseValue(int ch) const {
    const FILTER_CHANNEL& f = Filter.Chan[ch & 1];
    return Channel[ch & 1].TPCorrection == 1 ? f.DoseCorrected : f.Dose;
}

void CKelvarinDoc::FormatRate(int ch, std::string& out) {
    ch &= 1;
    CHANNEL_INFO& c = Channel[ch];
    const double v = Filter.Chan[ch].Rate;
    c.RateOverRange = Filter.Chan[ch].OverRange ? 1 : 0;
    const formatting::RateUnit unit = formatting::RateUnitFor(c.Range == 1);
    c.RateUnitId = unit.unitId;
    if (c.RateOverRange) {
        out = formatting::OverRange();
        return;
    }
    out = formatting::SteppedValue(v, unit.faPerUnit);
}

void CKelvarinDoc::FormatCharge(int ch, std::string& out) {
    ch &= 1;
    CHANNEL_INFO& c = Channel[ch];
    const double v = Filter.Chan[ch].Charge;
    c.ChargeOverRange = Filter.Chan[ch].OverRangeLatched ? 1 : 0;
    const formatting::ChargeUnit unit = formatting::ChargeUnitFor(c.Range == 1, std::fabs(v));
    c.ChargeUnitId = unit.unitId;
    if (c.ChargeOverRange) {
        out = formatting::OverRange();
        return;
    }
    out = formatting::SteppedValue(v, unit.pcPerUnit);
}

void CKelvarinDoc::FormatDoseValue(int ch, std::string& out) {
    ch &= 1;
    CHANNEL_INFO& c = Channel[ch];
    const CAL_MODE* mode = c.ChamberIndex >= 0 ? FindCalMode(c.CalMode) : nullptr;
    double v = DoseValue(ch);
    // A coefficient from a damaged or foreign library can overflow the value.
    if (!std::isfinite(v)) {
        out = formatting::OverRange();
        return;
    }
    if (mode == nullptr || !mode->chargeBased) {
        out = Filter.Chan[ch].OverRange ? formatting::OverRange() : FourSignificant(v);
        return;
    }
    const formatting::DoseUnit unit =
        formatting::DoseUnitFor(mode->unitId == kUnitRoentgenMode, std::fabs(v));
    c.DoseUnitId = unit.unitId;
    out = Filter.Chan[ch].OverRangeLatched ? formatting::OverRange()
                                           : FourSignificant(v * unit.unitsPerBase);
}

void CKelvarinDoc::FormatRateRatio(std::string& out) const {
    out = Ratio(Filter.Chan[0].Rate, Filter.Chan[1].Rate,
                Filter.Chan[0].OverRange || Filter.Chan[1].OverRange);
}

void CKelvarinDoc::FormatChargeRatio(std::string& out) const {
    out = Ratio(Filter.Chan[0].Charge, Filter.Chan[1].Charge,
                Filter.Chan[0].OverRangeLatched || Filter.Chan[1].OverRangeLatched);
}

CKelvarinDoc::DoseRatioKind CKelvarinDoc::ComparableDoses() const {
    const CAL_MODE* m1 = HasAppliedChamber(0) ? FindCalMode(Channel[0].CalMode) : nullptr;
    const CAL_MODE* m2 = HasAppliedChamber(1) ? FindCalMode(Channel[1].CalMode) : nullptr;
    if (m1 == nullptr || m2 == nullptr || m1->chargeBased != m2->chargeBased)
        return DoseRatioKind::None;
    // By text: several modes share "Gy" under different string ids.
    if (fw::LoadString(m1->unitId) != fw::LoadString(m2->unitId))
        return DoseRatioKind::None;
    return m1->chargeBased ? DoseRatioKind::Dose : DoseRatioKind::DoseRate;
}

void CKelvarinDoc::FormatDoseRatio(std::string& out) const {
    const DoseRatioKind kind = ComparableDoses();
    if (kind == DoseRatioKind::None)
        return;
    const bool over = kind == DoseRatioKind::Dose
                          ? Filter.Chan[0].OverRangeLatched || Filter.Chan[1].OverRangeLatched
                          : Filter.Chan[0].OverRange || Filter.Chan[1].OverRange;
    out = Ratio(DoseValue(0), DoseValue(1), over);
}

void CKelvarinDoc::FormatCollectionTime(std::string& out) const {
    switch (ChargeType) {
        case 0:
            if (Collecting) {
                out = fw::StringPrintf("%ld sec", long(Filter.ElapsedSeconds));
            } else if (Repeating) {
                out = fw::StringPrintf("%ld sec x%d", ChargeDuration, RepeatCount);
            } else {
                out = fw::StringPrintf("%ld sec", ChargeDuration);
            }
            return;
        case 1:
            out = (Collecting || CollectionFinished)
                      ? fw::StringPrintf("%ld sec", long(Filter.ElapsedSeconds))
                      : fw::LoadString(kContinuousText);
            return;
        default:
            out = fw::LoadString(kTriggerText);
            return;
    }
}

void CKelvarinDoc::FormatDateYMD(int year, int month, int day, std::string& out) const {
    switch (DateFormat) {
        case 1:
            out = fw::StringPrintf("%02d/%02d/%04d", day, month, year);
            return;
        case 2:
            out = fw::StringPrintf("%04d%02d%02d", year, month, day);
            return;
        default:
            out = fw::StringPrintf("%02d/%02d/%04d", month, day, year);
            return;
    }
}

void CKelvarinDoc::FormatDate(const fw::LocalTime& date, std::string& out) const {
    FormatDateYMD(date.year, date.month, date.day, out);
}

void CKelvarinDoc::FormatTime(const fw::LocalTime& time, std::string& out) const {
    out = fw::StringPrintf("%02d:%02d:%02d", time.hour, time.minute, time.second);
}

void CKelvarinDoc::FormatTimestamp(const fw::LocalTime& t, std::string& out) {
    out = fw::StringPrintf("%04d%02d%02d%02d%02d%02d", t.year, t.month, t.day, t.hour, t.minute,
                           t.second);
}

void CKelvarinDoc::FormatTempStd(int index, std::string& out) {
    index = index == 1 ? 1 : 0;
    out = fw::StringPrintf("%.1f %s", kTempStandards[index], fw::LoadString(kDegreesC).c_str());
}

void CKelvarinDoc::FormatPressStd(int index, std::string& out) {
    index = index >= 0 && index <= 2 ? index : 0;
    std::string value = fw::StringPrintf(index == 1 ? "%.3f" : "%.1f", kPressStandards[index]);
    out = value + " " + fw::LoadString(kPressUnits[index]);
}

void CKelvarinDoc::FormatSuperscript(int n, std::string& out) {
    out = formatting::Superscript(n);
}

std::string CKelvarinDoc::RateText(int ch) {
    std::string value;
    FormatRate(ch, value);
    return value + " " + fw::LoadString(Channel[ch & 1].RateUnitId);
}

std::string CKelvarinDoc::ChargeText(int ch) {
    std::string value;
    FormatCharge(ch, value);
    return value + " " + fw::LoadString(Channel[ch & 1].ChargeUnitId);
}

std::string CKelvarinDoc::DoseText(int ch) {
    std::string value;
    FormatDoseValue(ch, value);
    const CAL_MODE* mode = FindCalMode(Channel[ch & 1].CalMode);
    bool chargeBased = Channel[ch & 1].ChamberIndex >= 0 && mode && mode->chargeBased;
    int unit = chargeBased ? Channel[ch & 1].DoseUnitId : DoseResultUnitId(ch);
    return value + " " + fw::LoadString(unit);
}

namespace {

constexpr int kScintDoseUnits[] = {468, 469, 470, 471, 472};
constexpr int kScintRateUnits[] = {524, 525, 526, 527, 528};
constexpr int kUnitPicoAmpText = 292;
constexpr int kUnitPicoCoulombText = 294;

// The unit of a dose-calibrated baseline from `table` ("----" when its stored unit is none
// of the five: a dose is never labelled as a charge), else the electrical unit.
std::string ScintUnit(const SCINT_BASELINE& b, const int (&table)[5], int electricalId) {
    if (b.DoseType != 1)
        return fw::LoadString(electricalId);
    bool known = b.ScintDoseUnit >= 0 && b.ScintDoseUnit < static_cast<int>(std::size(table));
    return known ? fw::LoadString(table[b.ScintDoseUnit]) : formatting::NotApplicable();
}

}  // namespace

void CKelvarinDoc::FormatScintRate(std::string& out) const {
    const FILTER_CHANNEL& blue = Filter.Chan[0];
    const FILTER_CHANNEL& green = Filter.Chan[1];
    if (blue.OverRange || green.OverRange) {
        out = formatting::OverRange();
        return;
    }
    double x = (blue.Rate - ScintBaseline.CLR * green.Rate) * ScintBaseline.ScintGain;
    out = std::isfinite(x) ? formatting::SteppedValue(x, 1e3) : formatting::OverRange();
}

void CKelvarinDoc::FormatScintCharge(std::string& out) const {
    const FILTER_CHANNEL& blue = Filter.Chan[0];
    const FILTER_CHANNEL& green = Filter.Chan[1];
    if (blue.OverRange || green.OverRange || blue.OverRangeLatched || green.OverRangeLatched) {
        out = formatting::OverRange();
        return;
    }
    double x = (blue.Charge - ScintBaseline.CLR * green.Charge) * ScintBaseline.ScintGain;
    out = std::isfinite(x) ? formatting::SteppedValue(x, 1.0) : formatting::OverRange();
}

std::string CKelvarinDoc::ScintRateUnit() const {
    return ScintUnit(ScintBaseline, kScintRateUnits, kUnitPicoAmpText);
}

std::string CKelvarinDoc::ScintChargeUnit() const {
    return ScintChargeUnitOf(ScintBaseline);
}

std::string CKelvarinDoc::ScintChargeUnitOf(const SCINT_BASELINE& baseline) {
    return ScintUnit(baseline, kScintDoseUnits, kUnitPicoCoulombText);
}

std::string CKelvarinDoc::ScintRateText() const {
    std::string value;
    FormatScintRate(value);
    return value + " " + ScintRateUnit();
}

std::string CKelvarinDoc::ScintChargeText() const {
    std::string value;
    FormatScintCharge(value);
    return value + " " + ScintChargeUnit();
}
