#include "scint/CScintMeasView.h"

#include "controls/CNotifyBox.h"
#include "controls/ControlColors.h"
#include "controls/MenuCommands.h"
#include "document/Hints.h"
#include "document/MeasInfo.h"
#include "fw/Resources.h"
#include "scint/ScintMeasTexts.h"
#include "scint/ScintStyle.h"
#include "screens/OneChannelPainting.h"

namespace {

constexpr fw::Rect kAddMeasurementRect{0, 81, 49, 455};
constexpr fw::Rect kZeroRect{56, 4, 128, 40};
constexpr fw::Rect kStartStopRect{134, 4, 226, 40};
constexpr fw::Rect kChargeTypeRect{232, 4, 390, 40};
constexpr fw::Rect kStatusCaptionRect{402, 28, 466, 60};
constexpr fw::Rect kStatusRect{466, 28, 628, 60};
constexpr fw::Rect kStatusFrame{396, 4, 632, 84};
constexpr fw::Rect kValueArea{52, 44, 390, 148};
constexpr fw::Rect kCorrectedArea{52, 152, 636, 264};
constexpr fw::Rect kTabRect{52, 266, 636, 456};
constexpr int kRowNoticeMs = 1000;

fw::Color ValueColour(bool overRange) {
    return overRange ? fw::colors::kOverRange : fw::colors::kBlack;
}

}  // namespace

CScintMeasView::CScintMeasView() = default;

void CScintMeasView::OnInitialUpdate() {
    CKelvarinFormView::OnInitialUpdate();
    PrepareBoard();
    GetDoc()->CollectionFinished = 0;
    CreateControls();
    CreatePages();
    ShowCollectionTexts();
    ShowCaptions();
    RefreshRates();
    RefreshCharges();
    SetTimer(kSecondTimer, kSecondMs);
}

// ---- construction --------------------------------------------------------------------------

void CScintMeasView::CreateControls() {
    CreateCollectionControls({kZeroRect, kStartStopRect, kChargeTypeRect, kStatusCaptionRect,
                              kStatusRect, kAddMeasurementRect},
                             "Add Measurement");
    addMeasurement_.SetTextAngle(900);
    CreatePageButton("SINT", 18);
    CreateDateTimeBar();
    CreateValues();
    tabs_.Create(this, kTabRect, kIdTabs);
}

void CScintMeasView::CreateValues() {
    const fw::Rect a = kValueArea;
    blueHead_.Create(this, {a.left + 6, a.top + 2, a.right, a.top + 22}, 1279, "Blue (Ch1):");
    greenHead_.Create(this, {a.left + 6, a.top + 52, a.right, a.top + 72}, 1299, "Green (Ch2):");
    scint::StyleOnWhite(blueHead_, 16, true, CLabel::kLeft);
    scint::StyleOnWhite(greenHead_, 16, true, CLabel::kLeft);
    blueHead_.SetTextColor(scint::kBlueText);
    greenHead_.SetTextColor(scint::kGreenText);
    constexpr int kCaptionIds[] = {1449, 1451};
    constexpr int kValueIds[] = {kIdBlueRate, kIdGreenRate};
    constexpr int kUnitIds[] = {1446, 1448};
    for (int ch = 0; ch < 2; ++ch) {
        const int top = a.top + 24 + ch * 50;
        ValueLine& line = channels_[ch];
        line.caption.Create(this, {a.left + 16, top, a.left + 90, top + 24}, kCaptionIds[ch],
                            "Rate:");
        line.value.Create(this, {a.left + 90, top, a.left + 220, top + 24}, kValueIds[ch]);
        line.unit.Create(this, {a.left + 224, top, a.right - 4, top + 24}, kUnitIds[ch]);
        scint::StyleOnWhite(line.caption, 16, false, CLabel::kLeft);
        scint::StyleOnWhite(line.value, 20, true, CLabel::kRight);
        scint::StyleOnWhite(line.unit, 16, false, CLabel::kLeft);
    }
    const fw::Rect c = kCorrectedArea;
    constexpr int kIds[2][3] = {
        {kIdCorrectedRateCaption, kIdCorrectedRate, kIdCorrectedRateUnit},
        {kIdCorrectedChargeCaption, kIdCorrectedCharge, kIdCorrectedChargeUnit}};
    for (int i = 0; i < 2; ++i) {
        const int top = c.top + 2 + i * 56;
        ValueLine& line = corrected_[i];
        line.caption.Create(this, {c.left + 6, top, c.left + 170, top + 52}, kIds[i][0]);
        line.value.Create(this, {c.left + 170, top, c.left + 450, top + 52}, kIds[i][1]);
        line.unit.Create(this, {c.left + 456, top, c.right - 4, top + 52}, kIds[i][2]);
        scint::StyleOnWhite(line.caption, 20, true, CLabel::kLeft);
        scint::StyleOnWhite(line.value, 52, true, CLabel::kRight);
        scint::StyleOnWhite(line.unit, 24, false, CLabel::kLeft);
    }
}

void CScintMeasView::CreatePages() {
    data_.CreatePage(*GetDoc(), ModalRunner());
    file_.CreatePage(nullptr, {0, 0, CScintSetupDataDlg::kWidth, CScintSetupDataDlg::kHeight},
                     *GetDoc(), DataLayout::Scintillator);
    file_.SetModalRunner(ModalRunner());
    file_.SetOnDataSetChanged([this] { data_.RefreshPage(); });
    tabs_.AddPage("Setup\\Data", data_);
    tabs_.AddPage("File", file_);
    data_.RefreshPage();
}

std::vector<fw::Window*> CScintMeasView::LockedControls() {
    return {&zero_, &chargeType_, &addMeasurement_, &PageButton(), &tabs_};
}

void CScintMeasView::OnPaint(fw::Dc& dc) {
    dc.FillRect(GetRect(), controls::kDialogBackground);
    dc.FillRect(kValueArea, fw::colors::kWhite);
    dc.FillRect(kCorrectedArea, fw::colors::kWhite);
    dc.Line({8, 150}, {632, 150}, controls::kScreenFrame);
    one_channel::DrawRoundFrame(dc, kStatusFrame, controls::kScreenFrame);
}

// ---- values --------------------------------------------------------------------------------

// The corrected captions and units follow the baseline in use.
void CScintMeasView::ShowCaptions() {
    const CKelvarinDoc* doc = GetDoc();
    const scint::CorrectedCaptions captions = scint::CaptionsFor(doc->ScintBaseline);
    corrected_[0].caption.SetText(captions.rate + ":");
    corrected_[1].caption.SetText(captions.charge + ":");
    corrected_[0].unit.SetText(doc->ScintRateUnit());
    corrected_[1].unit.SetText(doc->ScintChargeUnit());
}

void CScintMeasView::RefreshRates() {
    CKelvarinDoc* doc = GetDoc();
    for (int ch = 0; ch < 2; ++ch) {
        std::string text;
        doc->FormatRate(ch, text);
        channels_[ch].value.SetText(text);
        channels_[ch].value.SetTextColor(ValueColour(doc->Channel[ch].RateOverRange != 0));
        channels_[ch].unit.SetText(fw::LoadString(doc->Channel[ch].RateUnitId));
    }
    std::string corrected;
    doc->FormatScintRate(corrected);
    corrected_[0].value.SetText(corrected);
    corrected_[0].value.SetTextColor(ValueColour(AnyRateOverRange()));
}

void CScintMeasView::RefreshCharges() {
    CKelvarinDoc* doc = GetDoc();
    ShowTriggerStatus();
    std::string corrected;
    doc->FormatScintCharge(corrected);
    corrected_[1].value.SetText(corrected);
    corrected_[1].value.SetTextColor(ValueColour(AnyRateOverRange() || AnyChargeOverRange()));
}

void CScintMeasView::OnUpdate(int hint) {
    switch (hint) {
        case kHintNewRates:
            RefreshRates();
            return;
        case kHintChamber:  // another baseline in use
            ReleaseHeldResult();
            ShowCaptions();
            data_.RefreshPage();
            RefreshRates();
            RefreshCharges();
            return;
        case kHintRangeAnswer:
            RefreshRates();
            RefreshCharges();
            return;
        default:
            CMeasuringView::OnUpdate(hint);
            return;
    }
}

// ---- rows ----------------------------------------------------------------------------------

void CScintMeasView::AddScintRow(bool isRate) {
    SCINT_MEAS_INFO row;
    GetDoc()->AddScintMeasurement(isRate, row);
    data_.AddRow(row);
    data_.ShowFileName();
    file_.Refresh();  // the name gains its "*" and Save is offered
}

void CScintMeasView::OnAddMeasurement() {
    AddScintRow(true);
    CNotifyBox notice("Data Point Added to List.", kRowNoticeMs);
    RunModal(notice);
}

void CScintMeasView::OnPageCommand(int commandId) {
    GetDoc()->CollectionFinished = 0;  // the held result is not kept for other screens
    if (commandId == menu_cmd::kScintSetup)
        return;  // this page
    CKelvarinFormView::OnPageCommand(commandId);
}
