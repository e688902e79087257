#include "screens/COneChannelSetupDlg.h"

#include "document/CKelvarinDoc.h"
#include "document/Formatting.h"
#include "fw/Resources.h"
#include "fw/Text.h"
#include "screens/CChamberListDlg.h"
#include "screens/OneChannelEntry.h"

namespace {

constexpr int kDegreesCText = 374;
constexpr int kFontHeight = 18;
const char* const kNoChamberText = "No Chamber Selected";

}  // namespace

void COneChannelSetupDlg::CreatePage(CKelvarinDoc& doc, fw::Color background) {
    doc_ = &doc;
    Create(nullptr, {0, 0, kWidth, kHeight});
    systemFactor_.Create(this, {8, 10, 226, 50}, kIdSystemFactor, "Apply System Factor");
    chamber_.Create(this, {232, 10, 578, 50}, kIdChamber, kNoChamberText);
    tpCorrection_.Create(this, {8, 84, 226, 124}, kIdTpCorrection, "Apply T/P Correction");
    temperatureCaption_.Create(this, {232, 60, 402, 84}, kIdTemperatureCaption);
    temperature_.Create(this, {232, 86, 402, 128}, kIdTemperature);
    pressureCaption_.Create(this, {408, 60, 578, 84}, kIdPressureCaption);
    pressure_.Create(this, {408, 86, 578, 128}, kIdPressure);
    for (CBttn* box : {&systemFactor_, &tpCorrection_})
        box->SetCheckBoxMode(true);
    for (CBttn* b : {&systemFactor_, &chamber_, &tpCorrection_, &temperature_, &pressure_})
        b->SetFontHeight(kFontHeight);
    for (CLabel* caption : {&temperatureCaption_, &pressureCaption_})
        caption->SetFontHeight(kFontHeight);
    SetBkColor(background);
}

void COneChannelSetupDlg::SetBkColor(fw::Color background) {
    background_ = background;
    for (CBttn* b : {&systemFactor_, &chamber_, &tpCorrection_, &temperature_, &pressure_})
        b->SetBkColor(background);
    for (CLabel* caption : {&temperatureCaption_, &pressureCaption_})
        caption->SetBkColor(background);
    Invalidate();
}

void COneChannelSetupDlg::OnPaint(fw::Dc& dc) {
    dc.FillRect(GetRect(), background_);
}

void COneChannelSetupDlg::RefreshPage() {
    const CHANNEL_INFO& c = doc_->Channel[channel_];
    tpCorrection_.SetMarked(c.TPCorrection == 1);
    systemFactor_.SetMarked(c.SystemFactor == 1);
    temperatureCaption_.SetText("Temperature (" + fw::LoadString(kDegreesCText) + ")");
    pressureCaption_.SetText("Pressure (" + one_channel::PressureUnit(doc_->PressStd) + ")");
    ShowCorrectionValues();
    ShowChamberText();
    const bool chamberSelected = c.ChamberIndex != -1;
    for (fw::Window* w : std::initializer_list<fw::Window*>{
             &tpCorrection_, &temperature_, &pressure_, &temperatureCaption_, &pressureCaption_})
        w->Show(chamberSelected);
    chamber_.Enable(c.SystemFactor == 1);
}

void COneChannelSetupDlg::ShowCorrectionValues() {
    const CHANNEL_INFO& c = doc_->Channel[channel_];
    const bool on = c.TPCorrection == 1;
    temperature_.SetCaption(on ? one_channel::TemperatureText(c.Temperature)
                               : formatting::NotApplicable());
    pressure_.SetCaption(on ? one_channel::PressureText(c.Pressure, doc_->PressStd)
                            : formatting::NotApplicable());
    temperature_.Enable(on);
    pressure_.Enable(on);
}

void COneChannelSetupDlg::ShowChamberText() {
    const CHANNEL_INFO& c = doc_->Channel[channel_];
    chamber_.SetCaption(c.ChamberIndex == -1
                            ? std::string(kNoChamberText)
                            : fw::StringPrintf("%s, %s, %s", c.ChamberModel.c_str(),
                                               c.ChamberSerial.c_str(), c.BeamIsotope.c_str()));
}

bool COneChannelSetupDlg::OnCommand(int commandId, fw::Window* from) {
    switch (commandId) {
        case kIdSystemFactor:
            OnSystemFactor(systemFactor_.IsMarked());
            return true;
        case kIdChamber:
            OnChooseChamber();
            return true;
        case kIdTpCorrection:
            OnTpCorrection(tpCorrection_.IsMarked());
            return true;
        case kIdTemperature:
            EnterTemperature();
            return true;
        case kIdPressure:
            EnterPressure();
            return true;
        default:
            return fw::Window::OnCommand(commandId, from);
    }
}

int COneChannelSetupDlg::RunChamberList(int& record) {
    CChamberListDlg picker(*doc_, channel_);
    const int result = run_(picker);
    record = picker.SelectedRecord();
    return result;
}

void COneChannelSetupDlg::OnSystemFactor(bool applied) {
    if (applied) {
        int record = -1;
        const int result = RunChamberList(record);
        if (result != fw::kIdOk && result != fw::kIdCancel) {
            systemFactor_.SetMarked(false);  // ended by standby: nothing changes
            return;
        }
        const bool chosen =
            result == fw::kIdOk && record >= 0 && doc_->SelectChamber(channel_, record);
        if (!chosen && doc_->Channel[channel_].ChamberIndex == -1)
            applied = false;
    }
    if (!applied)
        DropChamber();
    CHANNEL_INFO& c = doc_->Channel[channel_];
    c.SystemFactor = applied ? 1 : 0;
    doc_->OneChannelShown = channel_;
    doc_->ApplyChamber(channel_);
    RefreshPage();
    doc_->UpdateAllViews(kHintChamber);
}

// The channel uses no chamber and so no air-density correction either.
void COneChannelSetupDlg::DropChamber() {
    doc_->DropChamber(channel_);
}

void COneChannelSetupDlg::OnChooseChamber() {
    int record = -1;
    if (RunChamberList(record) != fw::kIdOk || record < 0)
        return;
    if (!doc_->SelectChamber(channel_, record))
        return;  // unreadable: the text and the channel stay as they were
    ShowChamberText();
    doc_->OneChannelShown = channel_;
    doc_->ApplyChamber(channel_);
    RefreshPage();
    doc_->UpdateAllViews(kHintChamber);
}

void COneChannelSetupDlg::OnTpCorrection(bool on) {
    if (on && !(EnterTemperature() && EnterPressure()))
        on = false;
    doc_->Channel[channel_].TPCorrection = on ? 1 : 0;
    tpCorrection_.SetMarked(on);
    ShowCorrectionValues();
    RecomputeTpFactor();
    doc_->UpdateAllViews(kHintCorrection);
}

bool COneChannelSetupDlg::EnterTemperature() {
    const CHANNEL_INFO& c = doc_->Channel[channel_];
    std::optional<double> t =
        one_channel::AskTemperature(run_, one_channel::TemperatureText(c.Temperature));
    if (!t)
        return false;
    doc_->SetTemperature(*t);
    temperature_.SetCaption(one_channel::TemperatureText(*t));
    return true;
}

bool COneChannelSetupDlg::EnterPressure() {
    const CHANNEL_INFO& c = doc_->Channel[channel_];
    std::optional<double> p = one_channel::AskPressure(
        run_, one_channel::PressureText(c.Pressure, doc_->PressStd), doc_->PressStd);
    if (!p)
        return false;
    doc_->SetPressure(*p);
    pressure_.SetCaption(one_channel::PressureText(*p, doc_->PressStd));
    return true;
}

void COneChannelSetupDlg::RecomputeTpFactor() {
    const CHANNEL_INFO& c = doc_->Channel[channel_];
    doc_->Filter.Chan[channel_].TPFactor =
        ((c.Temperature + 273.15) / (doc_->StandardTemperature() + 273.15)) *
        doc_->StandardPressure() / c.Pressure;
}
