#include "scint/CScintDoseValDlg.h"

#include "controls/CMsgBox.h"
#include "controls/CNumKeypadDlg.h"
#include "controls/MenuCommands.h"
#include "controls/NumberEntry.h"
#include "controls/PopupMenus.h"
#include "document/Formatting.h"
#include "fw/Resources.h"
#include "fw/Text.h"
#include "scint/BaselineCalculation.h"
#include "scint/ScintStyle.h"

namespace {

constexpr int kUnitRequiredText = 552;
constexpr const char* kDoseRefusal = "The dose value must be a number greater than 0.";
constexpr int kFontHeight = 18;

}  // namespace

void CScintDoseValDlg::SetValues(int doseType, double doseValue, int doseUnit) {
    doseType_ = doseType == scint::kDoseTypeDose ? scint::kDoseTypeDose : scint::kDoseTypeRelative;
    doseValue_ = scint::IsValidDoseValue(doseValue) ? doseValue : 1.0;
    doseUnit_ = doseUnit >= 0 && doseUnit < menu_cmd::kDoseUnitCount ? doseUnit : -1;
}

void CScintDoseValDlg::OnInitDialog() {
    Create(nullptr, kDialogRect);
    CreateControls();
    ShowValues();
}

void CScintDoseValDlg::CreateControls() {
    const fw::Rect r = kDialogRect;
    title_.Create(this, {r.left + 10, r.top + 6, r.right - 10, r.top + 40}, kIdTitle,
                  "Enter Type and Value");
    scint::StyleCaption(title_, 22, CLabel::kCentre);
    relative_.Create(this, {r.left + 20, r.top + 48, r.left + 160, r.top + 84}, kIdRelative,
                     "Relative");
    dose_.Create(this, {r.left + 180, r.top + 48, r.right - 20, r.top + 84}, kIdDose, "Dose");
    scint::StyleChoice(relative_, kFontHeight);
    scint::StyleChoice(dose_, kFontHeight);
    valueCaption_.Create(this, {r.left + 20, r.top + 96, r.left + 110, r.top + 130}, 0, "Value:");
    unitsCaption_.Create(this, {r.left + 20, r.top + 140, r.left + 110, r.top + 174}, 0, "Units:");
    scint::StyleCaption(valueCaption_, kFontHeight, CLabel::kRight);
    scint::StyleCaption(unitsCaption_, kFontHeight, CLabel::kRight);
    value_.Create(this, {r.left + 120, r.top + 96, r.right - 20, r.top + 130}, kIdValue);
    units_.Create(this, {r.left + 120, r.top + 140, r.right - 20, r.top + 174}, kIdUnits);
    scint::StyleField(value_, kFontHeight);
    scint::StyleField(units_, kFontHeight);
    ok_.Create(this, {r.left + 20, r.bottom - 54, r.left + 150, r.bottom - 10}, kIdOk,
               fw::LoadString(136));
    cancel_.Create(this, {r.right - 150, r.bottom - 54, r.right - 20, r.bottom - 10}, kIdCancel,
                   fw::LoadString(137));
    scint::StyleAction(ok_, 20);
    scint::StyleAction(cancel_, 20);
}

void CScintDoseValDlg::ShowValues() {
    const bool dose = doseType_ == scint::kDoseTypeDose;
    relative_.SetMarked(!dose);
    dose_.SetMarked(dose);
    value_.SetCaption(formatting::Fixed(doseValue_, 2));
    units_.SetCaption(doseUnit_ >= 0 ? scint::DoseUnitName(doseUnit_) : "");
    value_.Enable(dose);
    units_.Enable(dose);
}

bool CScintDoseValDlg::OnDialogCommand(int commandId, fw::Window*) {
    switch (commandId) {
        case kIdRelative:
        case kIdDose:
            doseType_ = commandId == kIdDose ? scint::kDoseTypeDose : scint::kDoseTypeRelative;
            break;
        case kIdValue:
            EnterDose();
            break;
        case kIdUnits: {
            CDoseUnitsPopupMenu menu;
            menu.Show(this, units_.GetRect());  // the choice comes back as a command
            break;
        }
        case kIdOk:
            OnOk();
            return true;
        case kIdCancel:
            Finish(fw::kIdCancel);
            return true;
        default:
            if (commandId < menu_cmd::kDoseUnitFirst ||
                commandId >= menu_cmd::kDoseUnitFirst + menu_cmd::kDoseUnitCount)
                return false;
            doseUnit_ = commandId - menu_cmd::kDoseUnitFirst;
            break;
    }
    ShowValues();
    return true;
}

// An empty entry or a lone point leaves the dose as it was; a value that is no dose is told.
void CScintDoseValDlg::EnterDose() {
    CNumKeypadDlg keypad;
    keypad.SetTitleText("Enter Dose Value");
    keypad.SetDecimals(2);
    keypad.SetSignKey(false);
    keypad.SetMaxLength(kMaxDoseLength);
    if (run_(keypad) != fw::kIdOk)
        return;
    const std::optional<double> value = ParseEntry(keypad.EntryText());
    if (!value)
        return;
    if (!scint::IsValidDoseValue(*value)) {
        CMsgBox refusal(kDoseRefusal, CMsgBox::kTypeOk);
        run_(refusal);
        return;
    }
    doseValue_ = *value;
}

void CScintDoseValDlg::OnOk() {
    if (doseType_ == scint::kDoseTypeRelative) {
        doseUnit_ = -1;
        doseValue_ = 1.0;
        Finish(fw::kIdOk);
        return;
    }
    if (doseUnit_ < 0) {
        CMsgBox refusal(fw::LoadString(kUnitRequiredText), CMsgBox::kTypeOk);
        run_(refusal);
        return;
    }
    Finish(fw::kIdOk);
}
