#include "controls/CMsgBox.h"

#include <algorithm>

#include "controls/ControlColors.h"
#include "fw/Resources.h"

namespace {

constexpr int kBoxWidth = 440;
constexpr int kMargin = 16;
constexpr int kMinMessageHeight = 72;
constexpr int kTitleHeight = 28;
constexpr int kButtonWidth = 120;
constexpr int kButtonHeight = 48;
constexpr int kMessageFontHeight = 20;

int MessageHeight(const std::string& text, int width) {
    fw::Surface scratch(1, 1);
    fw::Dc dc(scratch);
    dc.SetFont(fw::FontSpec{"Tahoma", kMessageFontHeight, fw::kWeightNormal});
    return dc.MeasureWrapped(text, width);
}

}  // namespace

CMsgBox::CMsgBox(std::string text, int type, std::string caption)
    : text_(std::move(text)), caption_(std::move(caption)), type_(type) {
    Create(nullptr, fw::Rect{0, 0, kBoxWidth, 200});
    title_.Create(this, {}, 0);
    message_.Create(this, {}, kIdMessage);
    left_.Create(this, {}, kIdLeft);
    middle_.Create(this, {}, kIdMiddle);
    right_.Create(this, {}, kIdRight);
    for (CLabel* l : {&title_, &message_}) {
        l->SetBkColor(controls::kDialogBackground);
        l->SetTextColor(fw::colors::kWhite);
        l->SetFontHeight(kMessageFontHeight);
    }
    title_.SetBold(true);
}

void CMsgBox::OnInitDialog() {
    Layout();
}

// Sizes the box to its text, centred on the panel, and sets the buttons of its type.
void CMsgBox::Layout() {
    const int textWidth = kBoxWidth - 2 * kMargin;
    const int titleHeight = caption_.empty() ? 0 : kTitleHeight;
    const int maxText = fw::kScreenHeight - 4 * kMargin - kButtonHeight - titleHeight;
    const int textHeight =
        std::clamp(MessageHeight(text_, textWidth - 6) + 16, kMinMessageHeight, maxText);
    const int height = kMargin + titleHeight + textHeight + kMargin + kButtonHeight + kMargin;
    const int left = (fw::kScreenWidth - kBoxWidth) / 2;
    const int top = (fw::kScreenHeight - height) / 2;
    MoveTo(fw::Rect{left, top, left + kBoxWidth, top + height});

    int y = top + kMargin;
    title_.MoveTo(fw::Rect{left + kMargin, y, left + kMargin + textWidth, y + titleHeight});
    title_.SetText(caption_);
    title_.Show(!caption_.empty());
    y += titleHeight;
    message_.MoveTo(fw::Rect{left + kMargin, y, left + kMargin + textWidth, y + textHeight});
    message_.SetText(text_);

    static const ButtonPlan kOk{136, "OK", kResultOk};
    static const ButtonPlan kCancel{137, "Cancel", kResultCancel};
    static const ButtonPlan kYes{0, "Yes", kResultYes};
    static const ButtonPlan kNo{0, "No", kResultNo};
    const ButtonPlan* plan[3] = {nullptr, nullptr, nullptr};
    switch (type_) {
        case kTypeOkCancel:
            plan[0] = &kOk, plan[2] = &kCancel;
            break;
        case kTypeYesNoCancel:
            plan[0] = &kYes, plan[1] = &kNo, plan[2] = &kCancel;
            break;
        case kTypeYesNo:
            plan[0] = &kYes, plan[2] = &kNo;
            break;
        default:
            plan[1] = &kOk;
            break;
    }
    PlaceButton(left_, 0, plan[0]);
    PlaceButton(middle_, 1, plan[1]);
    PlaceButton(right_, 2, plan[2]);
}

void CMsgBox::PlaceButton(CBttn& button, int slot, const ButtonPlan* plan) {
    const fw::Rect box = GetRect();
    const int gap = (box.Width() - 3 * kButtonWidth) / 4;
    const int x = box.left + gap + slot * (kButtonWidth + gap);
    const int y = box.bottom - kMargin - kButtonHeight;
    button.MoveTo(fw::Rect{x, y, x + kButtonWidth, y + kButtonHeight});
    button.Show(plan != nullptr);
    results_[slot] = plan ? plan->result : 0;
    if (plan != nullptr)
        button.SetCaption(fw::LoadString(plan->stringId, plan->caption));
}

bool CMsgBox::OnDialogCommand(int commandId, fw::Window*) {
    const int slots[3] = {kIdLeft, kIdMiddle, kIdRight};
    for (int i = 0; i < 3; ++i) {
        if (commandId == slots[i] && results_[i] != 0) {
            Finish(results_[i]);
            return true;
        }
    }
    return false;
}

int CMsgBox::Show(const std::string& text, const std::string& caption, int type) {
    CMsgBox box(text, type, caption);
    return box.DoModal();
}

namespace {
int ShowAsHandler(const std::string& text, const std::string& caption, int type) {
    return CMsgBox::Show(text, caption, type);
}
}  // namespace

void CMsgBox::InstallAsMessageBoxHandler() {
    fw::SetMessageBoxHandler(&ShowAsHandler);
}
