#include "scint/CScintSetup.h"

#include <cmath>

#include "controls/CMsgBox.h"
#include "controls/ControlColors.h"
#include "controls/ScrollButtons.h"
#include "document/Formatting.h"
#include "document/Hints.h"
#include "fw/Resources.h"
#include "fw/Text.h"
#include "res/Resources.h"
#include "scint/BaselineStore.h"
#include "scint/CScintDoseValDlg.h"
#include "scint/CScintSaveBaselineDlg.h"
#include "scint/ScintStyle.h"
#include "screens/OneChannelPainting.h"
#include "screens/ViewFactory.h"

namespace {

constexpr int kCalculationFailedText = 553;
constexpr int kPlaceholderText = 333;
constexpr const char* kDeleteQuestion = "Are you sure?\r\nThis data cannot be recovered!";

// Panel layout, in pixels.
constexpr fw::Rect kTitleRect{8, 4, 300, 42};
constexpr fw::Rect kActiveCaptionRect{306, 4, 446, 42};
constexpr fw::Rect kActiveSetRect{446, 4, 636, 42};
constexpr int kSetTop = 46;
constexpr int kSetBottom = 84;
constexpr fw::Rect kSetDoseRect{4, 90, 84, 130};
constexpr fw::Rect kZeroRect{90, 90, 160, 130};
constexpr fw::Rect kStartStopRect{166, 90, 246, 130};
constexpr fw::Rect kChargeTypeRect{252, 90, 392, 130};
constexpr fw::Rect kStatusCaptionRect{400, 94, 466, 126};
constexpr fw::Rect kStatusRect{466, 94, 632, 126};
constexpr fw::Rect kStatusFrame{396, 90, 636, 130};
constexpr fw::Rect kValuePanel{4, 136, 300, 314};
constexpr int kListLeft = 312;
constexpr int kListTop = 160;
constexpr int kRowHeight = 30;
constexpr int kDeleteWidth = 36;
constexpr int kColourWidth = 100;
constexpr int kListRight = kListLeft + kDeleteWidth + 2 * kColourWidth;
constexpr fw::Rect kListFrame{306, 136, 614, 314};
constexpr int kResultsTop = 322;
constexpr int kResultRow = 30;
constexpr int kButtonTop = 428;
constexpr int kButtonBottom = 474;

std::string Placeholder() {
    return fw::LoadString(kPlaceholderText);
}

}  // namespace

CScintSetup::CScintSetup() {
    baseline_.DoseType = scint::kDoseTypeRelative;
    baseline_.DoseValue = 1.0;
    baseline_.ScintDoseUnit = -1;
}

void CScintSetup::OnInitialUpdate() {
    CKelvarinFormView::OnInitialUpdate();
    GetDoc()->CollectionFinished = 0;  // this page holds no result
    PrepareBoard();
    CreateControls();
    ShowCollectionTexts();
    RefreshRates();
    RefreshCharges();
    ClearCalculation();
    ChooseSet(scint::kSet40x40Min);
}

// ---- construction --------------------------------------------------------------------------

void CScintSetup::CreateControls() {
    title_.Create(this, kTitleRect, kIdTitle, "Baseline Setup");
    scint::StyleCaption(title_, 30);
    activeCaption_.Create(this, kActiveCaptionRect, kIdActiveCaption, "Active Data Set");
    activeSetName_.Create(this, kActiveSetRect, kIdActiveSet);
    scint::StyleCaption(activeCaption_, 18, CLabel::kRight);
    scint::StyleCaption(activeSetName_, 18, CLabel::kCentre);
    activeSetName_.SetTextColor(fw::Color::Rgb(255, 255, 0));
    const int setWidth = (636 - 4) / scint::kSetCount;
    for (int i = 0; i < scint::kSetCount; ++i) {
        CBttn& choice = setChoices_[i];
        choice.Create(this, {4 + i * setWidth, kSetTop, 4 + (i + 1) * setWidth - 6, kSetBottom},
                      kIdFirstSet + i, scint::SetName(i));
        scint::StyleChoice(choice, 16);
    }
    setDose_.Create(this, kSetDoseRect, kIdSetDose, "Set\r\nDose");
    scint::StyleAction(setDose_, 16);
    CreateCollectionControls(
        {kZeroRect, kStartStopRect, kChargeTypeRect, kStatusCaptionRect, kStatusRect, {}}, "");
    addMeasurement_.Show(false);  // points come from collections only
    CreateChannelValues();
    CreatePointList();
    CreateResults();
}

void CScintSetup::CreateChannelValues() {
    const fw::Rect p = kValuePanel;
    blueHead_.Create(this, {p.left + 8, p.top + 4, p.right - 8, p.top + 34}, 1356, "Blue (Ch1):");
    greenHead_.Create(this, {p.left + 8, p.top + 92, p.right - 8, p.top + 122}, 1355,
                      "Green (Ch2):");
    for (CLabel* head : {&blueHead_, &greenHead_})
        scint::StyleOnWhite(*head, 24, true);
    blueHead_.SetTextColor(scint::kBlueText);
    greenHead_.SetTextColor(scint::kGreenText);
    constexpr int kCaptionIds[] = {1023, 1029, 1025, 1043};
    constexpr int kValueIds[] = {kIdBlueRate, kIdBlueCharge, kIdGreenRate, kIdGreenCharge};
    constexpr int kTops[] = {36, 62, 124, 150};
    for (int i = 0; i < 4; ++i) {
        const int top = p.top + kTops[i];
        valueCaptions_[i].Create(this, {p.left + 16, top, p.left + 100, top + 24}, kCaptionIds[i],
                                 i % 2 == 0 ? "Rate:" : "Charge:");
        values_[i].Create(this, {p.left + 100, top, p.right - 8, top + 24}, kValueIds[i]);
        scint::StyleOnWhite(valueCaptions_[i], 18, false);
        scint::StyleOnWhite(values_[i], 20, true);
    }
}

void CScintSetup::CreatePointList() {
    constexpr const char* kHeads[] = {"Delete", "Blue", "Green"};
    constexpr int kHeadIds[] = {1363, 1368, 1369};
    constexpr int kLefts[] = {kListLeft - 6, kListLeft + kDeleteWidth,
                              kListLeft + kDeleteWidth + kColourWidth, kListRight};
    for (int i = 0; i < 3; ++i) {
        listHeads_[i].Create(this, {kLefts[i], 138, kLefts[i + 1], 158}, kHeadIds[i], kHeads[i]);
        scint::StyleOnWhite(listHeads_[i], 14, true);
        listHeads_[i].SetAlignment(CLabel::kCentre);
    }
    list_.Create(this, {kListLeft, kListTop, kListRight, kListTop + kVisibleRows * kRowHeight},
                 kIdList);
    list_.SetBoldFont(18);
    list_.SetRowHeight(kRowHeight);
    list_.SetBitmapMode(true, true, fw::colors::kTransparentKey);
    list_.InsertColumn(0, "COL0", CTouchListCtrl::kFormatLeft, kDeleteWidth);
    list_.InsertColumn(1, "COL1", CTouchListCtrl::kFormatCentre, kColourWidth);
    list_.InsertColumn(2, "COL2", CTouchListCtrl::kFormatCentre, kColourWidth);
    list_.SetOnItemChanged([this](int row) { OnRowTouched(row); });
    controls::CreateScrollButtons(
        this, scrollUp_, {kListRight + 8, kListTop, kListRight + 58, kListTop + 60}, kIdScrollUp,
        scrollDown_, {kListRight + 8, kListTop + 90, kListRight + 58, kListTop + 150},
        kIdScrollDown);
}

void CScintSetup::CreateResults() {
    // Statistics at the left: a head row, then averages and deviations.
    constexpr const char* kStatCaptions[] = {"Blue", "Green", "Average:", "Std Dev:"};
    constexpr int kStatCaptionIds[] = {1374, 1378, 1379, 1416};
    const fw::Rect statCaptionRects[] = {{130, kResultsTop, 230, kResultsTop + 26},
                                         {230, kResultsTop, 330, kResultsTop + 26},
                                         {8, kResultsTop + kResultRow, 126, kResultsTop + 56},
                                         {8, kResultsTop + 2 * kResultRow, 126, kResultsTop + 86}};
    for (int i = 0; i < 4; ++i) {
        statisticsCaptions_[i].Create(this, statCaptionRects[i], kStatCaptionIds[i],
                                      kStatCaptions[i]);
        scint::StyleCaption(statisticsCaptions_[i], 18, i < 2 ? CLabel::kCentre : CLabel::kRight);
        // Blue average, green average, blue deviation, green deviation.
        const int left = i % 2 == 0 ? 130 : 230;
        const int top = kResultsTop + (i < 2 ? 1 : 2) * kResultRow;
        statistics_[i].Create(this, {left, top, left + 98, top + 26}, kIdStatistics[i]);
        scint::StyleCaption(statistics_[i], 18, CLabel::kCentre);
    }
    statisticsCaptions_[0].SetTextColor(scint::kBlueText);
    statisticsCaptions_[1].SetTextColor(scint::kGreenText);
    // The factors at the right.
    constexpr const char* kFactorCaptions[] = {"Gain:", "CLR:", "Type:"};
    constexpr int kFactorCaptionIds[] = {1428, 1414, 1421};
    constexpr int kFactorIds[] = {kIdGain, kIdClr, kIdType};
    for (int i = 0; i < 3; ++i) {
        const int top = kResultsTop + i * kResultRow;
        factorCaptions_[i].Create(this, {350, top, 430, top + 26}, kFactorCaptionIds[i],
                                  kFactorCaptions[i]);
        factors_[i].Create(this, {436, top, 632, top + 26}, kFactorIds[i]);
        scint::StyleCaption(factorCaptions_[i], 18, CLabel::kRight);
        scint::StyleCaption(factors_[i], 18);
    }
    calculate_.Create(this, {4, kButtonTop, 210, kButtonBottom}, kIdCalculate,
                      "Calculate Baseline");
    save_.Create(this, {216, kButtonTop, 422, kButtonBottom}, kIdSave, "Save Baseline");
    cancel_.Create(this, {428, kButtonTop, 636, kButtonBottom}, kIdCancel, fw::LoadString(137));
    for (CBttn* b : {&calculate_, &save_, &cancel_})
        scint::StyleAction(*b, 20);
}

std::vector<fw::Window*> CScintSetup::LockedControls() {
    return {&setChoices_[0], &setChoices_[1], &setChoices_[2], &zero_,   &chargeType_,
            &setDose_,       &list_,          &calculate_,     &cancel_, &save_};
}

void CScintSetup::OnPaint(fw::Dc& dc) {
    dc.FillRect(GetRect(), controls::kDialogBackground);
    dc.FillRect(kValuePanel, fw::colors::kWhite);
    dc.FillRect(kListFrame, fw::colors::kWhite);
    one_channel::DrawRoundFrame(dc, kStatusFrame, controls::kScreenFrame);
}

// ---- what the board and the document tell --------------------------------------------------

void CScintSetup::OnUpdate(int hint) {
    switch (hint) {
        case kHintNewRates:
            RefreshRates();
            if (AnyRateOverRange())
                fw::PlayResourceSound("SndOverload");
            return;
        case kHintRangeAnswer:
            RefreshRates();
            RefreshCharges();
            return;
        case kHintChamber:  // a chamber library change leaves the probe's points alone
            CKelvarinFormView::OnUpdate(hint);
            return;
        default:
            CMeasuringView::OnUpdate(hint);
            return;
    }
}

void CScintSetup::RefreshRates() {
    CKelvarinDoc* doc = GetDoc();
    for (int ch = 0; ch < 2; ++ch) {
        values_[2 * ch].SetText(doc->RateText(ch));
        values_[2 * ch].SetTextColor(doc->Channel[ch].RateOverRange ? fw::colors::kOverRange
                                                                    : fw::colors::kBlack);
    }
}

void CScintSetup::RefreshCharges() {
    CKelvarinDoc* doc = GetDoc();
    ShowTriggerStatus();
    for (int ch = 0; ch < 2; ++ch) {
        values_[2 * ch + 1].SetText(doc->ChargeText(ch));
        values_[2 * ch + 1].SetTextColor(doc->Channel[ch].ChargeOverRange ? fw::colors::kOverRange
                                                                          : fw::colors::kBlack);
    }
}

// ---- commands ------------------------------------------------------------------------------

bool CScintSetup::OnCommand(int commandId, fw::Window* from) {
    if (commandId >= kIdFirstSet && commandId < kIdFirstSet + scint::kSetCount) {
        ChooseSet(commandId - kIdFirstSet);
        return true;
    }
    switch (commandId) {
        case kIdSetDose:
            OnSetDose();
            return true;
        case kIdScrollUp:
        case kIdScrollDown:
            list_.Scroll(commandId == kIdScrollUp ? -1 : 1);
            return true;
        case kIdCalculate:
            OnCalculate();
            return true;
        case kIdSave:
            OnSave();
            return true;
        case kIdCancel:
            ReturnToLibrary();
            return true;
        case kIdAddMeasurement:
            return true;  // hidden: points come from collections
        default:
            return CMeasuringView::OnCommand(commandId, from);
    }
}

// ---- the sets and their points -------------------------------------------------------------

void CScintSetup::ChooseSet(int set) {
    // The 10x10 set only counts for a dose baseline.
    if (set == scint::kSet10x10Min && baseline_.DoseType != scint::kDoseTypeDose)
        set = activeSet_;
    activeSet_ = set;
    for (int i = 0; i < scint::kSetCount; ++i)
        setChoices_[i].SetMarked(i == activeSet_);
    activeSetName_.SetText(scint::SetName(activeSet_));
    FillList();
    ShowStatistics();
}

void CScintSetup::FillList() {
    list_.DeleteAllItems();
    for (const SCINT_MMNT& p : sets_[activeSet_]) {
        const int row = list_.InsertItem(list_.GetItemCount(), "");
        list_.SetItemData(row, res::kBmpDeleteMark);
        list_.SetItemText(row, 1, formatting::Fixed(p.Blue, 3));
        list_.SetItemText(row, 2, formatting::Fixed(p.Green, 3));
    }
    ApplyEnablingRules();
}

void CScintSetup::ShowStatistics() {
    const std::array<std::string, 4> texts =
        scint::StatisticsTexts(scint::ComputeStatistics(sets_[activeSet_]));
    for (size_t i = 0; i < texts.size(); ++i)
        statistics_[i].SetText(texts[i]);
}

void CScintSetup::OnCollectionResult() {
    if (!AnyChargeOverRange())
        AddPoint();
}

void CScintSetup::AddPoint() {
    const CFilter& filter = GetDoc()->Filter;
    SCINT_MMNT point;
    point.SetIndex = static_cast<int16_t>(activeSet_);
    point.Blue = filter.Chan[0].Charge;
    point.Green = filter.Chan[1].Charge;
    if (!std::isfinite(point.Blue) || !std::isfinite(point.Green))
        return;
    sets_[activeSet_].push_back(point);
    ClearCalculation();
    FillList();
    list_.EnsureVisible(list_.GetItemCount() - 1);
    ShowStatistics();
}

// A touch on a row deletes its point, once the operator confirms.
void CScintSetup::OnRowTouched(int row) {
    list_.SetSelectedRow(-1);
    if (row < 0)
        return;
    CMsgBox question(kDeleteQuestion, CMsgBox::kTypeYesNo);
    if (RunModal(question) != CMsgBox::kResultYes)
        return;
    scint::PointSet& points = sets_[activeSet_];
    if (row >= static_cast<int>(points.size()))
        return;
    points.erase(points.begin() + row);
    ClearCalculation();
    FillList();
    ShowStatistics();
}

// ---- dose, calculation, saving -------------------------------------------------------------

void CScintSetup::OnSetDose() {
    CScintDoseValDlg dialog(ModalRunner());
    dialog.SetValues(baseline_.DoseType, baseline_.DoseValue, baseline_.ScintDoseUnit);
    if (RunModal(dialog) != fw::kIdOk)
        return;
    const bool changed = dialog.DoseType() != baseline_.DoseType ||
                         dialog.DoseValue() != baseline_.DoseValue ||
                         dialog.DoseUnit() != baseline_.ScintDoseUnit;
    baseline_.DoseType = dialog.DoseType();
    baseline_.DoseValue = dialog.DoseValue();
    baseline_.ScintDoseUnit = static_cast<int16_t>(dialog.DoseUnit());
    if (changed)
        ClearCalculation();
    if (baseline_.DoseType != scint::kDoseTypeDose && activeSet_ == scint::kSet10x10Min)
        ChooseSet(scint::kSet40x40Min);
    ApplyEnablingRules();
}

void CScintSetup::OnCalculate() {
    const std::optional<scint::BaselineFactors> factors =
        scint::CalculateBaseline(sets_, baseline_.DoseType, baseline_.DoseValue);
    if (!factors) {
        CMsgBox failure(fw::LoadString(kCalculationFailedText), CMsgBox::kTypeOk);
        RunModal(failure);
        return;
    }
    baseline_.CLR = factors->CLR;
    baseline_.ScintGain = factors->ScintGain;
    calculated_ = true;
    factors_[0].SetText(formatting::Fixed(baseline_.ScintGain, 3));
    factors_[1].SetText(formatting::Fixed(baseline_.CLR, 3));
    factors_[2].SetText(scint::DoseTypeText(baseline_.DoseType, baseline_.ScintDoseUnit));
    ApplyEnablingRules();
}

// The baseline and every point go to the stores together; when that fails the operator is
// told and stays here with the points, to try again.
void CScintSetup::OnSave() {
    if (!calculated_)
        return;
    CScintSaveBaselineDlg summary(*GetDoc(), ModalRunner(), baseline_);
    if (RunModal(summary) != fw::kIdOk)
        return;
    const scint::SaveOutcome outcome = scint::SaveBaseline(summary.Baseline(), sets_);
    if (outcome != scint::SaveOutcome::kSaved) {
        CMsgBox refusal(scint::SaveOutcomeText(outcome), CMsgBox::kTypeOk);
        RunModal(refusal);
        return;
    }
    baseline_ = summary.Baseline();
    ReturnToLibrary();
}

void CScintSetup::ReturnToLibrary() {
    SwitchToViewOrTell(MakeScintLibraryView());
}

void CScintSetup::ClearCalculation() {
    calculated_ = false;
    for (CLabel& factor : factors_)
        factor.SetText(Placeholder());
    ApplyEnablingRules();
}

bool CScintSetup::CalculationPossible() const {
    const bool doseSetReady =
        baseline_.DoseType != scint::kDoseTypeDose || !sets_[scint::kSet10x10Min].empty();
    return doseSetReady && !sets_[scint::kSet40x40Min].empty() &&
           !sets_[scint::kSet40x40Max].empty();
}

void CScintSetup::OnControlsEnabled(bool enabled) {
    if (enabled)
        ApplyEnablingRules();
}

void CScintSetup::ApplyEnablingRules() {
    controls::EnableScrollButtons(list_, kVisibleRows, scrollUp_, scrollDown_);
    if (!ControlsEnabled())
        return;  // a collection runs: only Start/Stop is live
    setChoices_[scint::kSet10x10Min].Enable(baseline_.DoseType == scint::kDoseTypeDose);
    calculate_.Enable(CalculationPossible());
    save_.Enable(calculated_);
}
