#include "scint/CScintLibView.h"

#include "controls/CMsgBox.h"
#include "controls/ControlColors.h"
#include "controls/ScrollButtons.h"
#include "document/Formatting.h"
#include "fw/Resources.h"
#include "fw/Text.h"
#include "library/StoreWritePrompt.h"
#include "scint/BaselineLibrary.h"
#include "scint/CScintSetup.h"
#include "scint/ScintStyle.h"
#include "store/CScintDB.h"

namespace {

constexpr const char* kDeleteQuestion = "Are you sure?\r\nThis data cannot be recovered!";
constexpr int kPlaceholderText = 333;
constexpr int kListLeft = 56;
constexpr int kListRight = 580;
constexpr int kListTop = 66;
constexpr int kRowHeight = 30;
constexpr int kListBottom = kListTop + CScintLibView::kVisibleRows * kRowHeight;
constexpr int kSetTop = 222;
constexpr int kPointsLeft = 8;
constexpr int kPointsTop = 284;
constexpr int kPointColumn = 70;
constexpr int kPointsBottom = kPointsTop + CScintLibView::kVisibleRows * kRowHeight;
constexpr int kDetailTop = 260;
constexpr fw::Rect kTitleRect{56, 4, 636, 40};

std::string Placeholder() {
    return fw::LoadString(kPlaceholderText);
}

// The arrows at the top and the bottom of `area`.
void CreateScrollPair(fw::Window* parent, CBttn& up, CBttn& down, const fw::Rect& area, int upId,
                      int downId) {
    controls::CreateScrollButtons(parent, up, {area.left, area.top, area.right, area.top + 60},
                                  upId, down,
                                  {area.left, area.bottom - 60, area.right, area.bottom}, downId);
}

}  // namespace

CScintLibView::CScintLibView() = default;

CScintLibView::~CScintLibView() {
    KillTimer(kSecondTimer);
}

void CScintLibView::OnInitialUpdate() {
    CKelvarinFormView::OnInitialUpdate();
    CreateControls();
    gate_ = LibraryPasswordGate(GetDoc()->PasswordProtect != 0);
    RefillBaselines();
    SetTimer(kSecondTimer, 1000);
}

// ---- construction --------------------------------------------------------------------------

void CScintLibView::CreateControls() {
    CreatePageButton("LIB", 22);
    title_.Create(this, kTitleRect, kIdTitle, "Scintillator Baseline Library");
    scint::StyleCaption(title_, 28, CLabel::kCentre);
    CreateBaselineList();
    CreatePointList();
    CreateDetails();
    CreateDateTimeBar();
}

void CScintLibView::CreateBaselineList() {
    scint::CreateBaselineHeads(this, heads_, {1381, 1399, 1402},
                               {kListLeft, 44, kListRight, kListTop - 2}, 16);
    list_.Create(this, {kListLeft, kListTop, kListRight, kListBottom}, kIdList);
    list_.SetRowHeight(kRowHeight);
    scint::CreateBaselineColumns(list_);
    list_.SetOnItemChanged([this](int row) { OnBaselineSelected(row); });
    CreateScrollPair(this, scrollUp_, scrollDown_, {586, kListTop, 636, kListBottom}, kIdScrollUp,
                     kIdScrollDown);
    const int width = (636 - kListLeft) / scint::kSetCount;
    for (int i = 0; i < scint::kSetCount; ++i) {
        CBttn& choice = setChoices_[i];
        choice.Create(
            this, {kListLeft + i * width, kSetTop, kListLeft + (i + 1) * width - 6, kSetTop + 32},
            kIdFirstSet + i, scint::SetName(i));
        scint::StyleChoice(choice, 16);
        choice.SetTextColor(scint::kInformGrey);
    }
}

void CScintLibView::CreatePointList() {
    constexpr const char* kHeads[] = {"Blue", "Green"};
    for (int i = 0; i < 2; ++i) {
        const int left = kPointsLeft + i * kPointColumn;
        pointHeads_[i].Create(this, {left, kPointsTop - 24, left + kPointColumn, kPointsTop - 2},
                              1368 + i, kHeads[i]);
        scint::StyleCaption(pointHeads_[i], 16, CLabel::kCentre);
    }
    points_.Create(this, {kPointsLeft, kPointsTop, kPointsLeft + 2 * kPointColumn, kPointsBottom},
                   kIdPoints);
    points_.SetBoldFont(16);
    points_.SetRowHeight(kRowHeight);
    points_.InsertColumn(0, "COL0", CTouchListCtrl::kFormatCentre, kPointColumn);
    points_.InsertColumn(1, "COL1", CTouchListCtrl::kFormatCentre, kPointColumn);
    const int scrollLeft = kPointsLeft + 2 * kPointColumn + 6;
    CreateScrollPair(this, pointsUp_, pointsDown_,
                     {scrollLeft, kPointsTop, scrollLeft + 44, kPointsBottom}, kIdPointsUp,
                     kIdPointsDown);
}

void CScintLibView::CreateDetails() {
    // Statistics in the middle: heads, averages, deviations.
    constexpr const char* kCaptions[] = {"Blue", "Green", "Average:", "Std Dev:"};
    constexpr int kCaptionIds[] = {1356, 1422, 1379, 1416};
    const fw::Rect captionRects[] = {{290, kDetailTop, 354, kDetailTop + 24},
                                     {356, kDetailTop, 420, kDetailTop + 24},
                                     {202, kDetailTop + 28, 288, kDetailTop + 52},
                                     {202, kDetailTop + 56, 288, kDetailTop + 80}};
    for (int i = 0; i < 4; ++i) {
        statisticsCaptions_[i].Create(this, captionRects[i], kCaptionIds[i], kCaptions[i]);
        scint::StyleCaption(statisticsCaptions_[i], 16, i < 2 ? CLabel::kCentre : CLabel::kRight);
        const int left = i % 2 == 0 ? 290 : 356;
        const int top = kDetailTop + (i < 2 ? 28 : 56);
        statistics_[i].Create(this, {left, top, left + 64, top + 24}, kIdStatistics[i]);
        scint::StyleCaption(statistics_[i], 14, CLabel::kCentre);
    }
    // The factors and the time saved at the right.
    factorsHead_.Create(this, {428, kDetailTop, 636, kDetailTop + 24}, 1409, "Baseline Factors");
    scint::StyleCaption(factorsHead_, 18);
    constexpr const char* kFactorCaptions[] = {"Gain:", "CLR:", "Type:", "Date:", "Time:"};
    constexpr int kFactorCaptionIds[] = {1428, 1414, 1423, 1406, 1430};
    for (int i = 0; i < 5; ++i) {
        const int top = kDetailTop + 28 + i * 26;
        factorCaptions_[i].Create(this, {428, top, 492, top + 24}, kFactorCaptionIds[i],
                                  kFactorCaptions[i]);
        factors_[i].Create(this, {496, top, 636, top + 24}, kIdFactors[i]);
        scint::StyleCaption(factorCaptions_[i], 16, CLabel::kRight);
        scint::StyleCaption(factors_[i], 16);
    }
    new_.Create(this, {210, 372, 312, 428}, kIdNew, "New");
    delete_.Create(this, {318, 372, 420, 428}, kIdDelete, "Delete");
    scint::StyleAction(new_, 20);
    scint::StyleAction(delete_, 20);
}

void CScintLibView::OnPaint(fw::Dc& dc) {
    dc.FillRect(GetRect(), controls::kDialogBackground);
}

void CScintLibView::OnTimer(int id) {
    if (id == kSecondTimer) {
        DateTimeBar().Refresh(false);
        return;
    }
    CKelvarinFormView::OnTimer(id);
}

// ---- the list and the details ----------------------------------------------------------------

void CScintLibView::RefillBaselines() {
    baselines_ = scint::ReadBaselines();
    scint::FillBaselineList(list_, baselines_);
    selectedRow_ = -1;
    ClearDetails();
    UpdateScrollButtons();
}

void CScintLibView::ClearDetails() {
    shownDoseType_ = -1;
    points_.DeleteAllItems();
    for (CLabel& value : statistics_)
        value.SetText(Placeholder());
    for (CLabel& value : factors_)
        value.SetText(Placeholder());
    delete_.Enable(false);
    MarkShownSet();
    UpdateScrollButtons();
}

// The factors shown are the row's own record; the points are found by its key.
void CScintLibView::OnBaselineSelected(int row) {
    if (row < 0 || row >= static_cast<int>(baselines_.size()))
        return;
    selectedRow_ = row;
    const SCINT_BASELINE& b = baselines_[row];
    CScintDB store;
    if (!store.FindKey(b.BaselineKey)) {
        shownDoseType_ = -1;
        points_.DeleteAllItems();
        UpdateScrollButtons();
        return;
    }
    shownDoseType_ =
        b.DoseType == scint::kDoseTypeDose ? scint::kDoseTypeDose : scint::kDoseTypeRelative;
    shownSet_ = shownDoseType_ == scint::kDoseTypeDose ? scint::kSet10x10Min : scint::kSet40x40Min;
    MarkShownSet();
    FillPoints();
    factors_[0].SetText(scint::FactorText(b.ScintGain));
    factors_[1].SetText(scint::FactorText(b.CLR));
    factors_[2].SetText(scint::DoseTypeName(b.DoseType));
    factors_[3].SetText(scint::BaselineDate(*GetDoc(), b));
    factors_[4].SetText(scint::BaselineTime(b));
    delete_.Enable(true);
}

// Without a baseline shown a touch only restores the marks; a relative baseline has no
// 10x10 set.
void CScintLibView::ChooseSet(int set) {
    const bool permitted =
        shownDoseType_ == scint::kDoseTypeDose ||
        (shownDoseType_ == scint::kDoseTypeRelative && set != scint::kSet10x10Min);
    if (permitted) {
        shownSet_ = set;
        FillPoints();
    }
    MarkShownSet();
}

void CScintLibView::MarkShownSet() {
    for (int i = 0; i < scint::kSetCount; ++i)
        setChoices_[i].SetMarked(shownDoseType_ >= 0 && i == shownSet_);
}

// The points of the shown set with their statistics: the sample standard deviation, as on
// the set-up page.
void CScintLibView::FillPoints() {
    points_.DeleteAllItems();
    if (selectedRow_ < 0)
        return;
    const scint::PointSet points =
        scint::ReadPoints(baselines_[selectedRow_].BaselineKey, shownSet_);
    for (const SCINT_MMNT& p : points) {
        const int row = points_.InsertItem(points_.GetItemCount(), formatting::Fixed(p.Blue, 3));
        points_.SetItemText(row, 1, formatting::Fixed(p.Green, 3));
    }
    const std::array<std::string, 4> texts =
        scint::StatisticsTexts(scint::ComputeStatistics(points));
    for (size_t i = 0; i < texts.size(); ++i)
        statistics_[i].SetText(texts[i]);
    UpdateScrollButtons();
}

void CScintLibView::UpdateScrollButtons() {
    controls::EnableScrollButtons(list_, kVisibleRows, scrollUp_, scrollDown_);
    controls::EnableScrollButtons(points_, kVisibleRows, pointsUp_, pointsDown_);
}

// ---- commands --------------------------------------------------------------------------------

bool CScintLibView::OnCommand(int commandId, fw::Window* from) {
    if (commandId >= kIdFirstSet && commandId < kIdFirstSet + scint::kSetCount) {
        ChooseSet(commandId - kIdFirstSet);
        return true;
    }
    switch (commandId) {
        case kIdScrollUp:
        case kIdScrollDown:
            list_.Scroll(commandId == kIdScrollUp ? -1 : 1);
            return true;
        case kIdPointsUp:
        case kIdPointsDown:
            points_.Scroll(commandId == kIdPointsUp ? -1 : 1);
            return true;
        case kIdNew:
            OnNew();
            return true;
        case kIdDelete:
            OnDelete();
            return true;
        default:
            return CKelvarinFormView::OnCommand(commandId, from);
    }
}

void CScintLibView::OnNew() {
    if (!gate_.Pass(ModalRunner()) || !StillShown())
        return;
    SwitchToViewOrTell(std::make_unique<CScintSetup>());
}

// The baseline goes first, its points after it unless another baseline still carries the key;
// the list then shows what the store holds.
void CScintLibView::OnDelete() {
    if (selectedRow_ < 0 || !gate_.Pass(ModalRunner()) || !StillShown())
        return;
    CMsgBox ask(kDeleteQuestion, CMsgBox::kTypeYesNo);
    if (RunModal(ask) != CMsgBox::kResultYes || !StillShown())
        return;
    const int row = selectedRow_;
    const std::string key = baselines_[row].BaselineKey;
    library::WriteWithRetry(ModalRunner(), [&] { return scint::DeleteBaselineAt(row, key); });
    if (StillShown())
        RefillBaselines();
}

bool CScintLibView::StillShown() const {
    const fw::Frame* frame = GetFrame();
    return frame != nullptr && frame->ActiveView() == this;
}
