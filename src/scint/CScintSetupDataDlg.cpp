#include "scint/CScintSetupDataDlg.h"

#include "controls/ScrollButtons.h"
#include "document/CKelvarinDoc.h"
#include "document/Hints.h"
#include "scint/BaselineLibrary.h"
#include "scint/CScintListDlg.h"
#include "scint/ScintMeasTexts.h"

namespace {

constexpr int kFontHeight = 16;
constexpr int kListLeft = 190;
constexpr int kListTop = 46;
constexpr int kRowHeight = 28;
constexpr int kFlagWidth = 40;
constexpr int kTimeWidth = 90;
constexpr int kMeasurementWidth = 200;
constexpr int kListRight = kListLeft + kFlagWidth + kTimeWidth + kMeasurementWidth;

void StyleOnWhite(CLabel& label, bool bold) {
    label.SetBkColor(fw::colors::kWhite);
    label.SetFontHeight(kFontHeight);
    label.SetBold(bold);
    label.SetAlignment(CLabel::kLeft);
}

}  // namespace

void CScintSetupDataDlg::CreatePage(CKelvarinDoc& doc, ModalRunner run) {
    doc_ = &doc;
    run_ = std::move(run);
    Create(nullptr, {0, 0, kWidth, kHeight});
    CreateControls();
}

void CScintSetupDataDlg::CreateControls() {
    fileCaption_.Create(this, {4, 2, 80, 22}, 1197, "Filename:");
    fileName_.Create(this, {80, 2, 300, 22}, kIdFileName);
    typeCaption_.Create(this, {310, 2, 400, 22}, 1201, "DoseType:");
    type_.Create(this, {400, 2, 580, 22}, kIdDoseType);
    for (CLabel* l : {&fileCaption_, &typeCaption_})
        StyleOnWhite(*l, false);
    for (CLabel* l : {&fileName_, &type_})
        StyleOnWhite(*l, true);
    baseline_.Create(this, {4, 30, 182, 74}, kIdBaseline);
    baseline_.SetFontHeight(kFontHeight);
    rateChoice_.Create(this, {4, 80, 182, 112}, kIdRateChoice);
    chargeChoice_.Create(this, {4, 116, 182, 148}, kIdChargeChoice);
    for (CBttn* b : {&rateChoice_, &chargeChoice_}) {
        b->SetCheckBoxMode(true);
        b->SetFontHeight(kFontHeight);
    }
    constexpr const char* kHeads[] = {"Flag", "Time", "Measurement"};
    constexpr int kHeadIds[] = {1200, 1198, 1199};
    constexpr int kLefts[] = {kListLeft, kListLeft + kFlagWidth,
                              kListLeft + kFlagWidth + kTimeWidth, kListRight};
    for (int i = 0; i < 3; ++i) {
        heads_[i].Create(this, {kLefts[i], 24, kLefts[i + 1], kListTop - 2}, kHeadIds[i],
                         kHeads[i]);
        StyleOnWhite(heads_[i], true);
    }
    list_.Create(this, {kListLeft, kListTop, kListRight, kListTop + kVisibleRows * kRowHeight},
                 kIdList);
    list_.SetBoldFont(19);
    list_.SetRowHeight(kRowHeight);
    list_.SetCheckBoxMode(true);
    list_.InsertColumn(0, "COL0", CTouchListCtrl::kFormatLeft, kFlagWidth);
    list_.InsertColumn(1, "COL1", CTouchListCtrl::kFormatLeft, kTimeWidth);
    list_.InsertColumn(2, "COL2", CTouchListCtrl::kFormatCentre, kMeasurementWidth);
    list_.SetOnItemChanged([this](int row) { OnFlagChanged(row); });
    controls::CreateScrollButtons(
        this, scrollUp_, {kListRight + 8, kListTop, kListRight + 58, kListTop + 50}, kIdScrollUp,
        scrollDown_, {kListRight + 8, kListTop + 62, kListRight + 58, kListTop + 112},
        kIdScrollDown);
}

void CScintSetupDataDlg::RefreshPage() {
    const SCINT_BASELINE& b = doc_->ScintBaseline;
    baseline_.SetCaption(b.Description);
    type_.SetText(scint::DoseTypeName(b.DoseType));
    const scint::CorrectedCaptions captions = scint::CaptionsFor(b);
    rateChoice_.SetCaption(captions.rate);
    chargeChoice_.SetCaption(captions.charge);
    rateChoice_.SetMarked(showRates_);
    chargeChoice_.SetMarked(!showRates_);
    ShowFileName();
    FillList();
}

void CScintSetupDataDlg::ShowFileName() {
    fileName_.SetText(doc_->Title + (doc_->DataUnsaved ? "*" : ""));
}

std::string CScintSetupDataDlg::RowText(const SCINT_MEAS_INFO& row) const {
    return showRates_ ? row.RateValue + " " + row.RateUnit : row.ChargeValue + " " + row.ChargeUnit;
}

void CScintSetupDataDlg::FillList() {
    list_.DeleteAllItems();
    for (const SCINT_MEAS_INFO& row : doc_->ScintMeasList)
        AddRow(row);
    UpdateScrollButtons();
}

void CScintSetupDataDlg::AddRow(const SCINT_MEAS_INFO& row) {
    const int index = list_.InsertItem(list_.GetItemCount(), "");
    list_.SetItemData(index, row.Flagged);
    list_.SetItemText(index, 1, row.Time);
    list_.SetItemText(index, 2, RowText(row));
    list_.EnsureVisible(index);
    UpdateScrollButtons();
}

void CScintSetupDataDlg::OnFlagChanged(int row) {
    if (row >= 0 && row < static_cast<int>(doc_->ScintMeasList.size()))
        doc_->ScintMeasList[row].Flagged = list_.GetItemData(row);
}

void CScintSetupDataDlg::UpdateScrollButtons() {
    controls::EnableScrollButtons(list_, kVisibleRows, scrollUp_, scrollDown_);
}

// Another baseline for the rows to come; the screen's captions follow with hint 5.
void CScintSetupDataDlg::ChooseBaseline() {
    CScintListDlg dialog(*doc_);
    if (run_(dialog) != fw::kIdOk || !dialog.Chosen())
        return;
    doc_->ScintBaseline = *dialog.Chosen();
    RefreshPage();
    doc_->UpdateAllViews(kHintChamber);
}

bool CScintSetupDataDlg::OnCommand(int commandId, fw::Window* from) {
    switch (commandId) {
        case kIdBaseline:
            ChooseBaseline();
            return true;
        case kIdRateChoice:
        case kIdChargeChoice:
            showRates_ = commandId == kIdRateChoice;
            RefreshPage();
            return true;
        case kIdScrollUp:
        case kIdScrollDown:
            list_.Scroll(commandId == kIdScrollUp ? -1 : 1);
            return true;
        default:
            return fw::Window::OnCommand(commandId, from);
    }
}

void CScintSetupDataDlg::OnPaint(fw::Dc& dc) {
    dc.FillRect(GetRect(), fw::colors::kWhite);
}
