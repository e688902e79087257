#include "prefs/PrefsValues.h"

#include "document/CKelvarinDoc.h"
#include "document/EntryRules.h"
#include "document/Hints.h"

namespace {

const RANGE_CAL& RangeOf(const CKelvarinDoc& doc, int ch, int range) {
    return doc.Filter.Cal[ch].ForRange(range);
}

void ApplyDisplay(CKelvarinDoc& doc, const PrefsValues& v) {
    doc.Brightness = static_cast<uint8_t>(v.brightness);
    doc.Volume = static_cast<uint8_t>(v.volume);
    doc.DateFormat = static_cast<int16_t>(v.dateFormat);
    doc.TimeFormat = v.timeFormat;
    doc.PasswordProtect = v.passwordProtect;
}

void ApplyStandards(CKelvarinDoc& doc, const PrefsValues& v, bool standardsChanged) {
    doc.PressStd = v.pressStd;
    doc.SetPressure(doc.StandardPressure());
    doc.TempStd = v.tempStd;
    doc.SetTemperature(doc.StandardTemperature());
    if (standardsChanged)
        doc.SwitchOffTpCorrection();
}

void ApplyCollection(CKelvarinDoc& doc, const PrefsValues& v) {
    doc.DefChargeType = static_cast<uint8_t>(v.defChargeType);
    doc.DefChargeDuration = v.defChargeDuration;
    doc.HStop = v.hStop;
    doc.HStart = v.hStart;
    doc.LStop = v.lStop;
    doc.LStart = v.lStart;
}

void ApplyCalibration(CKelvarinDoc& doc, const PrefsValues& v) {
    doc.CalDate = v.calDate;
    doc.CalDueDate = v.calDueDate;
    for (int ch = 0; ch < 2; ++ch) {
        for (int range = 0; range < 2; ++range) {
            RANGE_CAL& cal = doc.Filter.Cal[ch].ForRange(range);
            cal.RateCF = v.rateCF[ch][range];
            cal.ChrgCF = v.chrgCF[ch][range];
        }
    }
}

}  // namespace

PrefsValues PrefsValues::FromDocument(const CKelvarinDoc& doc) {
    PrefsValues v;
    v.brightness = doc.Brightness;
    v.volume = doc.Volume;
    v.timeFormat = doc.TimeFormat;
    v.dateFormat = doc.DateFormat;
    v.passwordProtect = doc.PasswordProtect;
    v.dataFileDelimiter = doc.DataFileDelimiter;
    v.dataFileStatistics = doc.DataFileStatistics;
    v.pressStd = doc.PressStd;
    v.tempStd = doc.TempStd;
    v.hStart = doc.HStart;
    v.hStop = doc.HStop;
    v.lStart = doc.LStart;
    v.lStop = doc.LStop;
    v.defChargeType = doc.DefChargeType;
    v.defChargeDuration = doc.DefChargeDuration;
    v.calDate = doc.CalDate;
    v.calDueDate = doc.CalDueDate;
    for (int ch = 0; ch < 2; ++ch) {
        for (int range = 0; range < 2; ++range) {
            v.rateCF[ch][range] = RangeOf(doc, ch, range).RateCF;
            v.chrgCF[ch][range] = RangeOf(doc, ch, range).ChrgCF;
        }
    }
    return v;
}

double& PrefsValues::Factor(FactorId id) {
    auto& table = id.charge ? chrgCF : rateCF;
    return table[id.ch & 1][id.range & 1];
}

double PrefsValues::Factor(FactorId id) const {
    const auto& table = id.charge ? chrgCF : rateCF;
    return table[id.ch & 1][id.range & 1];
}

double& PrefsValues::Threshold(int range, bool start) {
    if (range == 0)
        return start ? lStart : lStop;
    return start ? hStart : hStop;
}

double PrefsValues::Threshold(int range, bool start) const {
    if (range == 0)
        return start ? lStart : lStop;
    return start ? hStart : hStop;
}

void ApplyToDocument(CKelvarinDoc& doc, const PrefsValues& values, bool standardsChanged) {
    ApplyDisplay(doc, values);
    ApplyStandards(doc, values, standardsChanged);
    ApplyCollection(doc, values);
    ApplyCalibration(doc, values);
    doc.DataFileDelimiter = values.dataFileDelimiter;
    doc.DataFileStatistics = values.dataFileStatistics;
}

std::optional<std::string> ThresholdRefusal(bool start, double v, double other) {
    using namespace entry_rules;
    static const std::string kOrder =
        "Trigger values are invalid.\r\nTrigger start value must be greater than the trigger "
        "stop value.";
    // The other value as it is in force: the remote port may have set it finer.
    v = ToThresholdStep(v);
    if (start && !IsStartInRange(v))
        return std::string("Trigger start value invalid.\r\nValid range is 0.2 - 9.9 pA.");
    if (!start && !IsStopInRange(v))
        return std::string("Trigger stop value invalid.\r\nValid range is 0.1 - 9.8 pA.");
    if (start ? !(v > other) : !(v < other))
        return kOrder;
    return std::nullopt;
}
