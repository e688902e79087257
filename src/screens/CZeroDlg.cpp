#include "screens/CZeroDlg.h"

#include "controls/CPopupMenu.h"
#include "controls/ControlColors.h"
#include "document/CKelvarinDoc.h"
#include "fw/EventLoop.h"
#include "fw/Resources.h"

namespace {

// 228 x 125 dialog units, centred on the panel.
constexpr fw::Rect kBoxRect{120, 130, 520, 349};
constexpr int kTextSize = 24;

}  // namespace

CZeroDlg::CZeroDlg(CKelvarinDoc& doc, uint8_t channels, std::function<void()> onClosed)
    : doc_(doc), channels_(channels > 2 ? 2 : channels), onClosed_(std::move(onClosed)) {}

CZeroDlg::~CZeroDlg() {
    if (shown_)
        fw::Loop().RemoveTopLevel(this);
}

std::string CZeroDlg::ChannelName(uint8_t channels) {
    switch (channels) {
        case 0:
            return fw::LoadString(116);
        case 1:
            return fw::LoadString(117);
        default:
            return fw::LoadString(118);
    }
}

void CZeroDlg::ShowBox() {
    Create(nullptr, kBoxRect);
    const fw::Rect r = GetRect();
    text_.Create(this, fw::Rect{r.left + 10, r.top + 12, r.right - 10, r.top + 100}, kIdText,
                 "Zeroing " + CPopupMenu::MenuText(ChannelName(channels_)) + "\r\nPlease Wait");
    text_.SetFontHeight(kTextSize);
    cancel_.Create(this, fw::Rect{r.left + 130, r.bottom - 62, r.right - 130, r.bottom - 14},
                   kIdCancel, fw::LoadString(137));
    cancel_.SetBkColor(controls::kActionButton);
    cancel_.SetTextColor(fw::colors::kWhite);
    progress_ = 0;
    shown_ = true;
    fw::Loop().PushTopLevel(this);
    SetTimer(kTimerId, kTimerMs);
}

void CZeroDlg::OnTimer(int id) {
    if (id != kTimerId || !shown_)
        return;
    const int count = doc_.Filter.SampleCount;
    if (count <= kPackets && doc_.Filter.Zeroing) {
        if (count != progress_) {
            progress_ = count;
            Invalidate();
        }
        return;
    }
    progress_ = kPackets;
    fw::PlayResourceSound("SndZeroComplete");
    Close();
}

bool CZeroDlg::OnCommand(int commandId, fw::Window* from) {
    if (commandId == kIdCancel) {
        Cancel();
        return true;
    }
    return fw::Window::OnCommand(commandId, from);
}

void CZeroDlg::Cancel() {
    if (!shown_)
        return;
    // The stored offsets stay as they were; the filters start over from the ranges.
    doc_.Filter.Zeroing = false;
    doc_.ApplyRanges();
    Close();
}

void CZeroDlg::Close() {
    KillTimer(kTimerId);
    shown_ = false;
    Show(false);
    fw::Loop().RemoveTopLevel(this);
    if (onClosed_) {
        auto closed = std::move(onClosed_);
        closed();
    }
}

fw::Rect CZeroDlg::ProgressRect() const {
    const fw::Rect r = GetRect();
    // 184 x 16 dialog units.
    const int left = r.left + (r.Width() - 322) / 2;
    return fw::Rect{left, r.top + 104, left + 322, r.top + 132};
}

void CZeroDlg::OnPaint(fw::Dc& dc) {
    dc.FillRect(GetRect(), fw::colors::kWhite);
    dc.FrameRect(GetRect(), fw::colors::kBlack, 2);
    const fw::Rect bar = ProgressRect();
    dc.FillRect(bar, fw::Color::Rgb(224, 224, 224));
    const int filled = bar.Width() * progress_ / kPackets;
    dc.FillRect(fw::Rect{bar.left, bar.top, bar.left + filled, bar.bottom},
                controls::kActionButton);
    dc.FrameRect(bar, controls::kGrey, 1);
}
