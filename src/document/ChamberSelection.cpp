// The chamber calibration each channel uses: chosen from the library by position, kept as a
// copy in the channel, and found again by content whenever the library changes.
#include <algorithm>

#include "document/CKelvarinDoc.h"
#include "store/CCLibDB.h"

namespace {

DATE3 ToDate3(const DATE_YMD& d) {
    return DATE3{d.Year, d.Month, d.Day};
}

DATE_YMD ToDateYmd(const DATE3& d) {
    return DATE_YMD{d.Year, d.Month, d.Day};
}

}  // namespace

CHAMBER_CAL CKelvarinDoc::ChannelChamber(int ch) const {
    const CHANNEL_INFO& c = Channel[ch & 1];
    CHAMBER_CAL cal;
    cal.ChamberSerial = c.ChamberSerial;
    cal.ChamberModel = c.ChamberModel;
    cal.ReportName = c.ReportName;
    cal.ReportDate = ToDateYmd(c.ReportDate);
    cal.CalDueDate = ToDateYmd(c.CalDueDate);
    cal.BeamIsotope = c.BeamIsotope;
    cal.CoefMantissa = c.CoefMantissa;
    cal.CoefExponent = c.CoefExponent;
    cal.CalMode = c.CalMode;
    cal.Aion = c.Aion;
    cal.Polarity = c.Polarity;
    return cal;
}

namespace {

void CopyCalibration(const CHAMBER_CAL& cal, CHANNEL_INFO& c) {
    c.ChamberSerial = cal.ChamberSerial;
    c.ChamberModel = cal.ChamberModel;
    c.ReportName = cal.ReportName;
    c.ReportDate = ToDate3(cal.ReportDate);
    c.CalDueDate = ToDate3(cal.CalDueDate);
    c.BeamIsotope = cal.BeamIsotope;
    c.CoefMantissa = cal.CoefMantissa;
    c.CoefExponent = cal.CoefExponent;
    c.CalMode = cal.CalMode;
    c.Aion = cal.Aion;
    c.Polarity = cal.Polarity;
}

}  // namespace

bool CKelvarinDoc::SelectChamber(int ch, int recordIndex) {
    CHAMBER_CAL cal;
    CCLibDB library;
    if (recordIndex < 0 || !library.GetRecord(recordIndex, cal))
        return false;
    CHANNEL_INFO& c = Channel[ch & 1];
    CopyCalibration(cal, c);
    c.ChamberIndex = recordIndex;
    ApplyChamber(ch);
    return true;
}

void CKelvarinDoc::DeselectChamber(int ch) {
    CHANNEL_INFO& c = Channel[ch & 1];
    CopyCalibration(CHAMBER_CAL{}, c);
    c.ChamberIndex = -1;
    ApplyChamber(ch);
}

void CKelvarinDoc::DropChamber(int ch) {
    ch &= 1;
    DeselectChamber(ch);
    Channel[ch].SystemFactor = 0;
    Channel[ch].TPCorrection = 0;
    RecomputeTpFactors();
}

int CKelvarinDoc::DropLostChambers() {
    int dropped = 0;
    for (int ch = 0; ch < 2; ++ch) {
        if (Channel[ch].SystemFactor != 0 && Channel[ch].ChamberIndex < 0) {
            DropChamber(ch);
            dropped |= 1 << ch;
        }
    }
    return dropped;
}

int CKelvarinDoc::ResolveChamberSelections() {
    int lost = 0;
    CCLibDB library;
    for (int ch = 0; ch < 2; ++ch) {
        CHANNEL_INFO& c = Channel[ch];
        if (c.ChamberIndex < 0)
            continue;
        int index = -1;
        if (library.FindCalibration(ChannelChamber(ch), index)) {
            // Report names and dates may have been edited: take the library's copy.
            CHAMBER_CAL cal;
            if (library.GetRecord(index, cal))
                CopyCalibration(cal, c);
            c.ChamberIndex = index;
            ApplyChamber(ch);
        } else {
            DropChamber(ch);  // its coefficient and correction went with the record
            lost |= 1 << ch;
        }
    }
    return lost;
}

bool CKelvarinDoc::IsChamberInUse(int ch, int recordIndex) {
    const CHANNEL_INFO& c = Channel[ch & 1];
    if (c.ChamberIndex < 0)
        return false;
    if (c.ChamberIndex == recordIndex)
        return true;
    // Compared with the channel's own copy: the record at its position may have shifted.
    CCLibDB library;
    CHAMBER_CAL other;
    if (!library.GetRecord(recordIndex, other))
        return false;
    return c.ChamberModel == other.ChamberModel && c.ChamberSerial == other.ChamberSerial;
}

bool CKelvarinDoc::IsAnyChamberDue() const {
    std::vector<std::optional<CHAMBER_CAL>> all;
    CCLibDB library;
    if (!library.GetAllRecords(all))
        return false;
    // An unreadable calibration cannot be shown to be current.
    return std::any_of(all.begin(), all.end(), [this](const std::optional<CHAMBER_CAL>& cal) {
        return !cal ||
               IsCalDueSoon(cal->CalDueDate.Year, cal->CalDueDate.Month, cal->CalDueDate.Day);
    });
}
