#include "controls/CNotifyBox.h"

#include <algorithm>

#include "controls/ControlColors.h"
#include "fw/Resources.h"

namespace {

constexpr int kBoxWidth = 340;
constexpr int kMargin = 14;
constexpr int kFontHeight = 20;
constexpr int kButtonWidth = 120;
constexpr int kButtonHeight = 44;

int TextHeight(const std::string& text, int width) {
    fw::Surface scratch(1, 1);
    fw::Dc dc(scratch);
    dc.SetFont(fw::FontSpec{"Tahoma", kFontHeight, fw::kWeightNormal});
    return dc.MeasureWrapped(text, width);
}

}  // namespace

CNotifyBox::CNotifyBox(std::string text, int durationMs) : text_(std::move(text)) {
    SetDuration(durationMs);
    Create(nullptr, fw::Rect{0, 0, kBoxWidth, 160});
    message_.Create(this, {}, kIdMessage);
    message_.SetBkColor(controls::kDialogBackground);
    message_.SetTextColor(fw::colors::kWhite);
    message_.SetFontHeight(kFontHeight);
    cancel_.Create(this, {}, kIdCancel, fw::LoadString(137));
}

void CNotifyBox::OnInitDialog() {
    const int textWidth = kBoxWidth - 2 * kMargin;
    const int buttonRow = cancellable_ ? kButtonHeight + kMargin : 0;
    const int textHeight = std::clamp(TextHeight(text_, textWidth - 6) + 24, 80,
                                      fw::kScreenHeight - 3 * kMargin - buttonRow);
    const int height = kMargin + textHeight + buttonRow + kMargin;
    const int left = (fw::kScreenWidth - kBoxWidth) / 2;
    const int top = (fw::kScreenHeight - height) / 2;
    MoveTo(fw::Rect{left, top, left + kBoxWidth, top + height});
    message_.MoveTo(fw::Rect{left + kMargin, top + kMargin, left + kMargin + textWidth,
                             top + kMargin + textHeight});
    message_.SetText(text_);
    const int bx = left + (kBoxWidth - kButtonWidth) / 2;
    const int by = top + height - kMargin - kButtonHeight;
    cancel_.MoveTo(fw::Rect{bx, by, bx + kButtonWidth, by + kButtonHeight});
    cancel_.Show(cancellable_);
    SetTimer(kTimerId, durationMs_);
    if (sound_)
        fw::PlayResourceSound("SndNotify");
}

void CNotifyBox::OnTimer(int id) {
    if (id != kTimerId || IsClosing())
        return;
    if (!isComplete_ || isComplete_()) {
        Finish(fw::kIdOk);
        return;
    }
    if (--retries_ <= 0)
        Finish(fw::kIdCancel);
}

bool CNotifyBox::OnDialogCommand(int commandId, fw::Window*) {
    if (commandId != kIdCancel || !cancellable_)
        return false;
    Finish(fw::kIdCancel);
    return true;
}

void CNotifyBox::OnClosing() {
    KillTimer(kTimerId);
}
