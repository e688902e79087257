#include "screens/CTouchCalDlg.h"

#include "fw/Dc.h"
#include "fw/Text.h"

namespace {

constexpr int kCrossArm = 16;
constexpr int kCentreMark = 4;
// Above the centre cross and clear of it, so a touch meant for a cross never lands on text.
constexpr fw::Rect kPromptRect{80, 120, 560, 150};
constexpr fw::Rect kCountRect{80, 152, 560, 176};
constexpr fw::Rect kIdleRect{40, 300, 600, 324};

}  // namespace

const std::array<fw::Point, CTouchCalDlg::kPointCount>& CTouchCalDlg::Targets() {
    static const std::array<fw::Point, kPointCount> targets{
        {{40, 40}, {600, 40}, {600, 440}, {40, 440}, {320, 240}}};
    return targets;
}

void CTouchCalDlg::OnInitDialog() {
    Create(nullptr, fw::kScreenRect);
    previous_ = fw::GetTouchMatrix();
    fw::SetTouchMatrix(fw::TouchMatrix{});
    SetTimer(kTimerId, kIdleMs);
}

void CTouchCalDlg::OnClosing() {
    KillTimer(kTimerId);
    fw::SetTouchMatrix(result_ ? *result_ : previous_);
}

void CTouchCalDlg::OnTimer(int id) {
    if (id == kTimerId && !IsClosing())
        Finish(fw::kIdCancel);
}

void CTouchCalDlg::OnTouchUp(fw::Point at) {
    if (IsClosing() || next_ >= kPointCount)
        return;
    touched_[next_++] = at;
    SetTimer(kTimerId, kIdleMs);  // the half minute counts from the last touch
    Invalidate();
    if (next_ < kPointCount)
        return;
    result_ = fw::SolveTouchMatrix(Targets(), touched_, kTolerancePx);
    Finish(result_ ? fw::kIdOk : kResultFailed);
}

void CTouchCalDlg::DrawCross(fw::Dc& dc, fw::Point at) {
    dc.Line({at.x - kCrossArm, at.y}, {at.x + kCrossArm, at.y}, fw::colors::kBlack);
    dc.Line({at.x, at.y - kCrossArm}, {at.x, at.y + kCrossArm}, fw::colors::kBlack);
    dc.FrameRect(
        {at.x - kCentreMark, at.y - kCentreMark, at.x + kCentreMark + 1, at.y + kCentreMark + 1},
        fw::colors::kBlack);
}

void CTouchCalDlg::OnPaint(fw::Dc& dc) {
    dc.FillRect(GetRect(), fw::colors::kWhite);
    dc.SetTextColor(fw::colors::kBlack);
    dc.SetFont(fw::FontSpec{"Tahoma", 20, fw::kWeightBold});
    dc.DrawText(kPromptText, kPromptRect, fw::kAlignCenter | fw::kAlignVCenter);
    dc.SetFont(fw::FontSpec{"Tahoma", 16, fw::kWeightNormal});
    const int shown = next_ < kPointCount ? next_ + 1 : kPointCount;
    dc.DrawText(fw::StringPrintf("Point %d of %d", shown, kPointCount), kCountRect,
                fw::kAlignCenter | fw::kAlignVCenter);
    dc.DrawText(kIdleText, kIdleRect, fw::kAlignCenter | fw::kAlignVCenter);
    if (next_ < kPointCount)
        DrawCross(dc, Targets()[next_]);
}
