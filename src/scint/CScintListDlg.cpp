#include "scint/CScintListDlg.h"

#include "controls/ScrollButtons.h"
#include "document/CKelvarinDoc.h"
#include "document/Formatting.h"
#include "fw/Resources.h"
#include "fw/Text.h"
#include "scint/BaselineLibrary.h"
#include "scint/ScintStyle.h"

namespace {

constexpr int kListLeft = 16;
constexpr int kListRight = 570;
constexpr int kListTop = 80;
constexpr int kRowHeight = 32;
constexpr int kListBottom = kListTop + CScintListDlg::kVisibleRows * kRowHeight;
constexpr int kInfoTop = 280;
constexpr int kInfoRow = 30;
constexpr const char* kInfoCaptions[] = {"Date:", "Time:", "Type:", "Value:", "Gain:", "CLR:"};
constexpr int kPlaceholderText = 333;

}  // namespace

CScintListDlg::CScintListDlg(const CKelvarinDoc& doc) : doc_(doc) {
    Create(nullptr, fw::kScreenRect);
    CreateControls();
}

void CScintListDlg::CreateControls() {
    title_.Create(this, {kListLeft, 6, 624, 42}, kIdTitle, "Select Scintillator Baseline");
    scint::StyleCaption(title_, 28, CLabel::kCentre);
    scint::CreateBaselineHeads(this, heads_, {1381, 1382, 1383},
                               {kListLeft, 50, kListRight, kListTop - 2}, 18);
    list_.Create(this, {kListLeft, kListTop, kListRight, kListBottom}, kIdList);
    list_.SetRowHeight(kRowHeight);
    scint::CreateBaselineColumns(list_);
    list_.SetOnItemChanged([this](int row) { OnSelectionChanged(row); });
    controls::CreateScrollButtons(
        this, scrollUp_, {kListRight + 8, kListTop, 626, kListTop + 60}, kIdScrollUp, scrollDown_,
        {kListRight + 8, kListBottom - 60, 626, kListBottom}, kIdScrollDown);
    infoHead_.Create(this, {kListLeft, kInfoTop - 32, 400, kInfoTop - 4}, 1409,
                     "Setup Information");
    scint::StyleCaption(infoHead_, 20);
    for (int i = 0; i < 6; ++i) {
        const int left = i < 3 ? kListLeft : 330;
        const int top = kInfoTop + (i % 3) * kInfoRow;
        infoCaptions_[i].Create(this, {left, top, left + 80, top + kInfoRow - 4}, 0,
                                kInfoCaptions[i]);
        info_[i].Create(this, {left + 86, top, left + 300, top + kInfoRow - 4}, kIdInfo[i]);
        scint::StyleCaption(infoCaptions_[i], 18, CLabel::kRight);
        scint::StyleCaption(info_[i], 18);
    }
    ok_.Create(this, {120, 400, 300, 460}, kIdOk, fw::LoadString(136));
    cancel_.Create(this, {340, 400, 520, 460}, kIdCancel, fw::LoadString(137));
    scint::StyleAction(ok_, 24);
    scint::StyleAction(cancel_, 24);
}

void CScintListDlg::OnInitDialog() {
    baselines_ = scint::ReadBaselines();
    scint::FillBaselineList(list_, baselines_);
    for (CLabel& value : info_)
        value.SetText(fw::LoadString(kPlaceholderText));
    ok_.Enable(false);
    UpdateScrollButtons();
}

void CScintListDlg::OnSelectionChanged(int row) {
    const bool valid = row >= 0 && row < static_cast<int>(baselines_.size());
    ok_.Enable(valid);
    if (valid)
        ShowInfo(baselines_[row]);
}

void CScintListDlg::ShowInfo(const SCINT_BASELINE& b) {
    info_[0].SetText(scint::BaselineDate(doc_, b));
    info_[1].SetText(scint::BaselineTime(b));
    info_[2].SetText(scint::DoseTypeName(b.DoseType));
    info_[3].SetText(b.DoseType == 1 ? formatting::Fixed(b.DoseValue, 2) + " " +
                                           scint::DoseUnitName(b.ScintDoseUnit)
                                     : fw::LoadString(kPlaceholderText));
    info_[4].SetText(scint::FactorText(b.ScintGain));
    info_[5].SetText(scint::FactorText(b.CLR));
}

void CScintListDlg::UpdateScrollButtons() {
    controls::EnableScrollDirections(list_, scrollUp_, scrollDown_);
}

// The chosen row is read again: a baseline deleted or moved meanwhile is not used.
void CScintListDlg::OnOk() {
    const int row = list_.GetSelectedRow();
    chosen_.reset();
    if (row >= 0 && row < static_cast<int>(baselines_.size()))
        chosen_ = scint::ReadBaselineAt(row, baselines_[row].BaselineKey);
    Finish(fw::kIdOk);
}

bool CScintListDlg::OnDialogCommand(int commandId, fw::Window*) {
    switch (commandId) {
        case kIdOk:
            OnOk();
            return true;
        case kIdCancel:
            Finish(fw::kIdCancel);
            return true;
        case kIdScrollUp:
        case kIdScrollDown:
            list_.Scroll(commandId == kIdScrollUp ? -1 : 1);
            UpdateScrollButtons();
            return true;
        default:
            return false;
    }
}
