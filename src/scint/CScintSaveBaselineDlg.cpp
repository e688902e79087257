#include "scint/CScintSaveBaselineDlg.h"

#include "controls/CKeypadDlg.h"
#include "document/CKelvarinDoc.h"
#include "document/Formatting.h"
#include "fw/Clock.h"
#include "fw/Resources.h"
#include "fw/Text.h"
#include "scint/BaselineCalculation.h"
#include "scint/BaselineStore.h"
#include "scint/ScintStyle.h"

namespace {

constexpr const char* kCaptions[CScintSaveBaselineDlg::kRowCount] = {
    "Gain Baseline:", "CLR Baseline:",  "DoseType:",   "Date:",
    "Time:",          "Serial Number:", "Description:"};
constexpr int kRowTop = 52;
constexpr int kRowHeight = 38;
constexpr int kCaptionWidth = 160;
constexpr int kFontHeight = 18;
constexpr int kMaxTextLength = 40;

}  // namespace

void CScintSaveBaselineDlg::OnInitDialog() {
    scint::StampBaseline(baseline_, fw::GetClock().Now());
    Create(nullptr, kDialogRect);
    CreateControls();
    ShowValues();
}

void CScintSaveBaselineDlg::CreateControls() {
    const fw::Rect r = kDialogRect;
    title_.Create(this, {r.left + 10, r.top + 8, r.right - 10, r.top + 42}, kIdTitle,
                  "Scintillator Baseline Summary");
    scint::StyleCaption(title_, 22, CLabel::kCentre);
    for (int i = 0; i < kRowCount; ++i) {
        const int top = r.top + kRowTop + i * kRowHeight;
        const fw::Rect caption{r.left + 10, top, r.left + 10 + kCaptionWidth, top + kRowHeight - 6};
        const fw::Rect value{caption.right + 8, top, r.right - 12, top + kRowHeight - 6};
        captions_[i].Create(this, caption, 0, kCaptions[i]);
        scint::StyleCaption(captions_[i], kFontHeight, CLabel::kRight);
        if (i < static_cast<int>(values_.size())) {
            values_[i].Create(this, value, kIdFirstValue + i);
            scint::StyleCaption(values_[i], kFontHeight);
        } else {
            CBttn& field = i == 5 ? serial_ : description_;
            field.Create(this, value, kIdFirstValue + i);
            scint::StyleField(field, kFontHeight);
        }
    }
    ok_.Create(this, {r.left + 30, r.bottom - 54, r.left + 170, r.bottom - 10}, kIdOk,
               fw::LoadString(136));
    cancel_.Create(this, {r.right - 170, r.bottom - 54, r.right - 30, r.bottom - 10}, kIdCancel,
                   fw::LoadString(137));
    scint::StyleAction(ok_, 20);
    scint::StyleAction(cancel_, 20);
}

void CScintSaveBaselineDlg::ShowValues() {
    const SCINT_BASELINE& b = baseline_;
    std::string date;
    doc_.FormatDateYMD(b.Year, b.Month, b.Day, date);
    values_[0].SetText(formatting::Fixed(b.ScintGain, 3));
    values_[1].SetText(formatting::Fixed(b.CLR, 3));
    values_[2].SetText(scint::DoseTypeText(b.DoseType, b.ScintDoseUnit));
    values_[3].SetText(date);
    values_[4].SetText(fw::StringPrintf("%02d:%02d:%02d", b.Hour, b.Minute, b.Second));
    serial_.SetCaption(b.ScintSerial);
    description_.SetCaption(b.Description);
}

bool CScintSaveBaselineDlg::OnDialogCommand(int commandId, fw::Window*) {
    switch (commandId) {
        case kIdSerial:
            EnterText("Enter Scintillator Serial #", baseline_.ScintSerial);
            return true;
        case kIdDescription:
            EnterText("Enter Description", baseline_.Description);
            return true;
        case kIdOk:
            Finish(fw::kIdOk);
            return true;
        case kIdCancel:
            Finish(fw::kIdCancel);
            return true;
        default:
            return false;
    }
}

void CScintSaveBaselineDlg::EnterText(const char* title, std::string& target) {
    CKeypadDlg keypad;
    keypad.SetTitleText(title);
    keypad.SetMaxLength(kMaxTextLength);
    if (run_(keypad) != fw::kIdOk || keypad.EntryText().empty())
        return;
    target = keypad.EntryText();
    ShowValues();
}
