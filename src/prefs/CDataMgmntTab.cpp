#include "prefs/CDataMgmntTab.h"

#include "controls/CMsgBox.h"
#include "controls/ControlColors.h"
#include "document/CKelvarinDoc.h"
#include "prefs/LibraryClear.h"
#include "prefs/PageStyle.h"
#include "prefs/PrefsPageHost.h"
#include "prefs/PrefsValues.h"
#include "store/CCLibDB.h"
#include "store/CScintDB.h"
#include "store/CScintMeasDB.h"
#include "store/CSrcDB.h"

namespace {

constexpr int kFormatIds[] = {CDataMgmntTab::kIdFormatCsv, CDataMgmntTab::kIdFormatTxt};
const char* const kFormatTexts[] = {".CSV (comma delimited)", ".TXT (tab delimited)"};

// The channel keeps no calibration of a library that is gone: system factor off, as when
// the operator drops the chamber.
void DropChamber(CKelvarinDoc& doc, int ch) {
    doc.DeselectChamber(ch);
    doc.Channel[ch].SystemFactor = 0;
    doc.ApplyChamber(ch);
}

}  // namespace

void CDataMgmntTab::CreatePage(PrefsPageHost& host) {
    host_ = &host;
    // Every deletion needs the password until it was given once on this visit.
    gate_ = CPasswordGate(true, [this](CModalDialog& d) { return host_->RunPageDialog(d); });
    Create(nullptr, {0, 0, prefs_style::kPageWidth, prefs_style::kPageHeight});
    clearChambers_.Create(this, {24, 24, 304, 84}, kIdClearChambers, "Clear Chamber Library Data");
    clearSources_.Create(this, {24, 104, 304, 164}, kIdClearSources, "Clear Check Source Data");
    clearScint_.Create(this, {24, 184, 304, 244}, kIdClearScint, "Clear Scintillator Library Data");
    clearScint_.Show(false);  // the scintillator screens are not on the page menu
    for (CBttn* b : {&clearChambers_, &clearSources_, &clearScint_})
        prefs_style::Button(*b);
    formatCaption_.Create(this, {340, 24, 610, 52}, kIdFormatCaption, "Datafile Format");
    prefs_style::Caption(formatCaption_);
    for (int i = 0; i < 2; ++i) {
        formats_[i].Create(this, {340, 60 + 40 * i, 610, 96 + 40 * i}, kFormatIds[i],
                           kFormatTexts[i]);
        prefs_style::Choice(formats_[i]);
    }
    statistics_.Create(this, {340, 160, 610, 216}, kIdStatistics,
                       "Statistics at the End\r\nof the Data File");
    prefs_style::CheckBox(statistics_);
    ShowValues();
}

void CDataMgmntTab::ShowValues() {
    for (int i = 0; i < 2; ++i)
        formats_[i].SetMarked(host_->Values().dataFileDelimiter == i);
    statistics_.SetMarked(host_->Values().dataFileStatistics == 1);
}

void CDataMgmntTab::ToggleStatistics() {
    PrefsValues& v = host_->Values();
    v.dataFileStatistics = statistics_.IsMarked() ? 1 : 0;  // the touch toggled the mark
    host_->MarkChanged();
}

void CDataMgmntTab::OnPaint(fw::Dc& dc) {
    dc.FillRect(GetRect(), controls::kDialogBackground);
}

bool CDataMgmntTab::ClearLibrary(const std::vector<std::string_view>& volumes) {
    if (!gate_.Pass())
        return false;
    // Only a real Yes deletes: No, and a box closed by a standby request, keep the data.
    if (host_->Ask(kConfirmText, CMsgBox::kTypeYesNo) != CMsgBox::kResultYes)
        return false;
    for (std::string_view volume : volumes) {
        if (ClearLibraryVolume(volume) == ClearResult::kFailed) {
            host_->Tell(kFailedText);
            return false;
        }
    }
    return true;
}

void CDataMgmntTab::ClearChamberLibrary() {
    if (!ClearLibrary({CCLibDB::kVolumePath}))
        return;
    CKelvarinDoc& doc = host_->Doc();
    bool dropped = false;
    for (int ch = 0; ch < 2; ++ch) {
        if (doc.Channel[ch].ChamberIndex >= 0 || doc.Channel[ch].SystemFactor != 0) {
            DropChamber(doc, ch);
            dropped = true;
        }
    }
    if (!dropped)
        return;
    // No chamber, so no air-density correction either (hint 8).
    doc.SwitchOffTpCorrection();
    doc.UpdateAllViews(kHintChamber);
}

void CDataMgmntTab::ChooseFormat(int delimiter) {
    PrefsValues& v = host_->Values();
    const bool changed = v.dataFileDelimiter != delimiter;
    v.dataFileDelimiter = delimiter;
    ShowValues();
    if (changed)
        host_->MarkChanged();
}

bool CDataMgmntTab::OnCommand(int commandId, fw::Window* from) {
    switch (commandId) {
        case kIdClearChambers:
            ClearChamberLibrary();
            return true;
        case kIdClearSources:
            ClearLibrary({CSrcDB::kVolumePath});
            return true;
        case kIdClearScint:
            ClearLibrary({CScintDB::kVolumePath, CScintMeasDB::kVolumePath});
            return true;
        case kIdFormatCsv:
            ChooseFormat(0);
            return true;
        case kIdFormatTxt:
            ChooseFormat(1);
            return true;
        case kIdStatistics:
            ToggleStatistics();
            return true;
        default:
            return fw::Window::OnCommand(commandId, from);
    }
}
