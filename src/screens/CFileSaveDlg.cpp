#include "screens/CFileSaveDlg.h"

#include "controls/CKeypadDlg.h"
#include "controls/ControlColors.h"
#include "fw/Resources.h"

namespace {

constexpr int kBoxWidth = 440;
constexpr int kBoxHeight = 220;
constexpr int kMargin = 16;
constexpr int kButtonWidth = 140;
constexpr int kButtonHeight = 48;
constexpr int kFieldFontHeight = 24;

}  // namespace

CFileSaveDlg::CFileSaveDlg(int titleStringId, std::string name) : name_(std::move(name)) {
    const int left = (fw::kScreenWidth - kBoxWidth) / 2;
    const int top = (fw::kScreenHeight - kBoxHeight) / 2;
    const int right = left + kBoxWidth;
    Create(nullptr, fw::Rect{left, top, right, top + kBoxHeight});

    caption_.Create(this, {left + kMargin, top + kMargin, right - kMargin, top + kMargin + 32});
    caption_.SetBkColor(controls::kDialogBackground);
    caption_.SetTextColor(fw::colors::kWhite);
    caption_.SetFontHeight(24);
    caption_.SetBold(true);
    caption_.SetText(fw::LoadString(titleStringId, titleStringId == 250 ? "Save As" : "Save"));

    int y = top + kMargin + 36;
    prompt_.Create(this, {left + kMargin, y, right - kMargin, y + 24});
    prompt_.SetBkColor(controls::kDialogBackground);
    prompt_.SetTextColor(fw::colors::kWhite);
    prompt_.SetFontHeight(18);
    prompt_.SetAlignment(CLabel::kLeft);
    prompt_.SetText("File name (touch to change):");

    y += 28;
    field_.Create(this, {left + kMargin, y, right - kMargin, y + 44}, kIdName);
    field_.SetBorder(true);
    field_.SetFontHeight(kFieldFontHeight);
    field_.SetAlignment(CLabel::kLeft);

    const int by = top + kBoxHeight - kMargin - kButtonHeight;
    const int gap = (kBoxWidth - 2 * kButtonWidth) / 3;
    ok_.Create(this, {left + gap, by, left + gap + kButtonWidth, by + kButtonHeight}, kIdOk,
               fw::LoadString(136, "OK"));
    ok_.SetBkColor(controls::kActionButton);
    ok_.SetTextColor(fw::colors::kWhite);
    cancel_.Create(this, {right - gap - kButtonWidth, by, right - gap, by + kButtonHeight},
                   kIdCancel, fw::LoadString(137, "Cancel"));
    ShowName();
}

void CFileSaveDlg::OnInitDialog() {
    ShowName();
}

void CFileSaveDlg::ShowName() {
    field_.SetTextShowingEnd(" " + name_);
    ok_.Enable(!name_.empty());
}

void CFileSaveDlg::AskName() {
    CKeypadDlg keypad;
    keypad.SetTitleText(fw::LoadString(kStringEnterFilename, "Enter Filename"));
    keypad.SetEntryText(name_);
    const int result = runKeypad_ ? runKeypad_(keypad) : keypad.DoModal();
    if (result == kIdStandby) {
        Finish(kIdStandby);
        return;
    }
    if (result != fw::kIdOk)
        return;
    name_ = keypad.EntryText();
    ShowName();
}

bool CFileSaveDlg::OnDialogCommand(int commandId, fw::Window*) {
    switch (commandId) {
        case kIdName:
            AskName();
            return true;
        case kIdOk:
            if (!name_.empty())
                Finish(fw::kIdOk);
            return true;
        case kIdCancel:
            Finish(fw::kIdCancel);
            return true;
        default:
            return false;
    }
}
