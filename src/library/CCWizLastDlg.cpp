#include "library/CCWizLastDlg.h"

#include "controls/ControlColors.h"
#include "fw/Resources.h"

namespace {

constexpr int kButtonLeft = 40;
constexpr int kButtonHeight = 80;
constexpr int kButtonGap = 24;
constexpr int kFirstButtonTop = 96;

}  // namespace

CCWizLastDlg::CCWizLastDlg() {
    Create(nullptr, kRect);
}

void CCWizLastDlg::OnInitDialog() {
    const fw::Rect r = GetRect();
    title_.Create(this, {r.left + 8, r.top + 24, r.right - 8, r.top + 64}, kIdTitle,
                  "Chamber / Calibration Added");
    title_.SetBkColor(controls::kDialogBackground);
    title_.SetTextColor(fw::colors::kWhite);
    title_.SetFontHeight(24);
    title_.SetBold(true);
    const int ids[] = {kIdReturn, kIdAnotherCalibration, kIdAnotherChamber};
    const int texts[] = {kReturnToLibrary, kAnotherCalibration, kAnotherChamber};
    CBttn* buttons[] = {&return_, &anotherCalibration_, &anotherChamber_};
    for (int i = 0; i < 3; ++i) {
        const int top = r.top + kFirstButtonTop + i * (kButtonHeight + kButtonGap);
        buttons[i]->Create(this,
                           {r.left + kButtonLeft, top, r.right - kButtonLeft, top + kButtonHeight},
                           ids[i], fw::LoadString(texts[i]));
        buttons[i]->SetBkColor(controls::kActionButton);
        buttons[i]->SetTextColor(fw::colors::kWhite);
        buttons[i]->SetFontHeight(22);
        buttons[i]->SetBold(true);
    }
}

bool CCWizLastDlg::OnDialogCommand(int commandId, fw::Window*) {
    switch (commandId) {
        case kIdReturn:
            Finish(kReturnToLibrary);
            return true;
        case kIdAnotherCalibration:
            Finish(kAnotherCalibration);
            return true;
        case kIdAnotherChamber:
            Finish(kAnotherChamber);
            return true;
        default:
            return false;
    }
}
