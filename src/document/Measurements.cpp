// Rows of the data lists: what the screens showed at the moment a measurement was kept.
#include <cmath>

#include "document/CKelvarinDoc.h"
#include "document/CalModes.h"
#include "document/Formatting.h"
#include "fw/Resources.h"
#include "fw/Text.h"

namespace {

std::string MonthDayYear(const DATE3& d) {
    return fw::StringPrintf("%02d/%02d/%04d", d.Month, d.Day, d.Year);
}

std::string PicoAmps(double v) {
    return formatting::Fixed(v, 1) + " pA";
}

}  // namespace

void CKelvarinDoc::FillChannelValues(bool isRate, int ch, MEAS_INFO& row) {
    const std::string na = formatting::NotApplicable();
    const CAL_MODE* mode = FindCalMode(Channel[ch].CalMode);
    const bool chamber = HasAppliedChamber(ch);
    row.Rate[ch] = row.RateUnit[ch] = row.DoseRate[ch] = row.DoseRateUnit[ch] = na;
    row.Charge[ch] = row.ChargeUnit[ch] = row.Dose[ch] = row.DoseUnit[ch] = na;
    if (isRate) {
        FormatRate(ch, row.Rate[ch]);
        row.RateUnit[ch] = fw::LoadString(Channel[ch].RateUnitId);
        if (chamber && (mode == nullptr || !mode->chargeBased)) {
            FormatDoseValue(ch, row.DoseRate[ch]);
            int unit = DoseResultUnitId(ch);
            row.DoseRateUnit[ch] = unit ? fw::LoadString(unit) : na;
        }
        return;
    }
    FormatCharge(ch, row.Charge[ch]);
    row.ChargeUnit[ch] = fw::LoadString(Channel[ch].ChargeUnitId);
    if (chamber && mode != nullptr && mode->chargeBased) {
        FormatDoseValue(ch, row.Dose[ch]);
        row.DoseUnit[ch] = fw::LoadString(Channel[ch].DoseUnitId);
    }
}

void CKelvarinDoc::FillChannelSetup(int ch, MEAS_INFO& row) const {
    const std::string na = formatting::NotApplicable();
    const CHANNEL_INFO& c = Channel[ch];
    row.Range[ch] = c.Range;
    row.Bias[ch] = c.BiasSet;
    const bool chamber = HasAppliedChamber(ch);
    row.ChamberModel[ch] = chamber ? c.ChamberModel : na;
    row.ChamberSerial[ch] = chamber ? c.ChamberSerial : na;
    row.BeamIsotope[ch] = chamber ? c.BeamIsotope : na;
    row.Coefficient[ch] =
        chamber ? (c.CoefMantissa / 1000.0) * std::pow(10.0, c.CoefExponent) : 0.0;
    row.CalMode[ch] = chamber ? c.CalMode : int16_t(-1);
    row.ReportName[ch] = chamber ? c.ReportName : na;
    row.ReportDate[ch] = chamber ? MonthDayYear(c.ReportDate) : na;
    row.CalDueDate[ch] = chamber ? MonthDayYear(c.CalDueDate) : na;
    row.Aion[ch] = chamber ? c.Aion : na;
    row.Polarity[ch] = chamber ? c.Polarity : int16_t(0);
    row.TPCorrection[ch] = c.TPCorrection;
    row.Temperature[ch] = c.TPCorrection == 1 ? formatting::Fixed(c.Temperature, 1) : na;
    row.Pressure[ch] = c.TPCorrection == 1 ? formatting::Fixed(c.Pressure, 1) : na;
}

void CKelvarinDoc::AddMeasurement(bool isRate, MEAS_INFO& row) {
    const std::string na = formatting::NotApplicable();
    row = MEAS_INFO{};
    fw::LocalTime now = fw::GetClock().Now();
    FormatDate(now, row.Date);
    FormatTime(now, row.Time);
    for (int ch = 0; ch < 2; ++ch) {
        FillChannelValues(isRate, ch, row);
        FillChannelSetup(ch, row);
    }
    row.TempStd = TempStd;
    row.PressStd = PressStd;
    if (isRate) {
        row.CollectionType = 255;
        row.CollectionSeconds = 0;
        FormatRateRatio(row.RateRatio);
        row.ChargeRatio = row.DoseRatio = na;
    } else {
        row.CollectionType = ChargeType;
        row.CollectionSeconds = ChargeType == 0   ? ChargeDuration
                                : ChargeType == 1 ? long(Filter.ElapsedSeconds)
                                                  : 0;
        row.RateRatio = na;
        FormatChargeRatio(row.ChargeRatio);
        row.DoseRatio = na;
        FormatDoseRatio(row.DoseRatio);
    }
    row.TrigStartHigh = PicoAmps(HStart);
    row.TrigStartLow = PicoAmps(LStart);
    row.TrigStopHigh = PicoAmps(HStop);
    row.TrigStopLow = PicoAmps(LStop);
    MeasList.push_back(row);
    MeasUnsaved = 1;
    DataUnsaved = 1;
}

void CKelvarinDoc::AddScintMeasurement(bool isRate, SCINT_MEAS_INFO& row) {
    const std::string na = formatting::NotApplicable();
    fw::LocalTime now = fw::GetClock().Now();
    row.Flagged = 0;
    FormatDate(now, row.Date);
    FormatTime(now, row.Time);
    row.RateValue = row.RateUnit = row.ChargeValue = row.ChargeUnit = na;
    if (isRate) {
        FormatScintRate(row.RateValue);
        row.RateUnit = ScintRateUnit();
    } else {
        FormatScintCharge(row.ChargeValue);
        row.ChargeUnit = ScintChargeUnit();
    }
    row.Baseline = ScintBaseline;
    ScintMeasList.push_back(row);
    ScintUnsaved = 1;
    DataUnsaved = 1;
}

void CKelvarinDoc::AddCorrectionResult(CORRECTION_RESULT result) {
    fw::LocalTime now = fw::GetClock().Now();
    FormatDate(now, result.Date);
    FormatTime(now, result.Time);
    CorrectionResults.push_back(std::move(result));
    MeasUnsaved = 1;
    DataUnsaved = 1;
}

void CKelvarinDoc::ClearMeasurements() {
    MeasList.clear();
    CorrectionResults.clear();
    ScintMeasList.clear();
    MeasUnsaved = ScintUnsaved = DataUnsaved = 0;
}

size_t CKelvarinDoc::DeleteFlaggedMeasurements() {
    const size_t deleted =
        std::erase_if(MeasList, [](const MEAS_INFO& row) { return row.Flagged != 0; });
    if (deleted > 0)
        MeasUnsaved = DataUnsaved = 1;
    return deleted;
}

void CKelvarinDoc::MarkListSaved(bool scintillatorList) {
    (scintillatorList ? ScintUnsaved : MeasUnsaved) = 0;
    DataUnsaved = MeasUnsaved || ScintUnsaved ? 1 : 0;
}
