#include "prefs/CMeasmntTab.h"

#include "controls/CMsgBox.h"
#include "controls/CNumKeypadDlg.h"
#include "controls/ControlColors.h"
#include "controls/MenuCommands.h"
#include "controls/NumberEntry.h"
#include "controls/PopupMenus.h"
#include "document/CKelvarinDoc.h"
#include "document/EntryRules.h"
#include "document/Formatting.h"
#include "fw/Resources.h"
#include "fw/Text.h"
#include "prefs/PageStyle.h"
#include "prefs/PrefsPageHost.h"
#include "prefs/PrefsValues.h"

namespace {

constexpr int kInvalidTimeText = 439;
constexpr int kTimedText = 380;
constexpr int kContinuousText = 160;
constexpr int kTriggerText = 162;
constexpr int kDurationDigits = 5;
constexpr int kThresholdEntryLength = 3;  // "9.9"
constexpr int kThresholdIds[] = {CMeasmntTab::kIdHighStart, CMeasmntTab::kIdHighStop,
                                 CMeasmntTab::kIdLowStart, CMeasmntTab::kIdLowStop};

std::string ThresholdText(double pa) {
    return formatting::Fixed(pa, 1);
}

std::string DefaultTypeText(int type) {
    switch (type) {
        case 1:
            return fw::LoadString(kContinuousText);
        case 2:
            return fw::LoadString(kTriggerText);
        default:
            return fw::LoadString(kTimedText);
    }
}

}  // namespace

void CMeasmntTab::CreatePage(PrefsPageHost& host) {
    host_ = &host;
    gate_ = CPasswordGate(true, [this](CModalDialog& d) { return host_->RunPageDialog(d); });
    Create(nullptr, {0, 0, prefs_style::kPageWidth, prefs_style::kPageHeight});
    CreateStandards();
    CreateThresholds();
    ShowValues();
}

void CMeasmntTab::CreateStandards() {
    pressureCaption_.Create(this, {12, 8, 300, 34}, kIdPressureCaption, "Pressure Standard");
    pressure_.Create(this, {12, 36, 200, 80}, kIdPressure);
    temperatureCaption_.Create(this, {12, 96, 300, 122}, kIdTemperatureCaption,
                               "Temperature Standard");
    temperature_.Create(this, {12, 124, 200, 168}, kIdTemperature);
    defaultTypeCaption_.Create(this, {12, 184, 300, 210}, kIdDefaultTypeCaption,
                               "Default Charge Collection Type");
    defaultType_.Create(this, {12, 212, 200, 256}, kIdDefaultType);
    for (CLabel* c : {&pressureCaption_, &temperatureCaption_, &defaultTypeCaption_})
        prefs_style::Caption(*c);
    for (CBttn* b : {&pressure_, &temperature_, &defaultType_})
        prefs_style::Button(*b);
}

void CMeasmntTab::CreateThresholds() {
    triggerCaption_.Create(this, {320, 8, 618, 34}, kIdTriggerCaption, "Trigger Values");
    startHeader_.Create(this, {414, 40, 484, 64}, 0, "Start");
    stopHeader_.Create(this, {518, 40, 588, 64}, 0, "Stop");
    highCaption_.Create(this, {320, 68, 412, 112}, kIdHighCaption, "High Range");
    lowCaption_.Create(this, {320, 122, 412, 166}, kIdLowCaption, "Low Range");
    for (CLabel* c : {&triggerCaption_, &startHeader_, &stopHeader_, &highCaption_, &lowCaption_})
        prefs_style::Caption(*c, 16);
    for (CLabel* c : {&startHeader_, &stopHeader_})
        c->SetAlignment(CLabel::kCentre);
    for (int i = 0; i < 4; ++i) {
        const int top = i < 2 ? 68 : 122;
        const int left = i % 2 == 0 ? 414 : 518;
        thresholds_[i].Create(this, {left, top, left + 70, top + 44}, kThresholdIds[i]);
        prefs_style::Button(thresholds_[i], 20);
        units_[i].Create(this, {left + 72, top, left + 102, top + 44}, 0, "pA");
        prefs_style::Caption(units_[i], 16);
    }
}

void CMeasmntTab::ShowValues() {
    const PrefsValues& v = host_->Values();
    std::string text;
    CKelvarinDoc::FormatPressStd(v.pressStd, text);
    pressure_.SetCaption(text);
    CKelvarinDoc::FormatTempStd(v.tempStd, text);
    temperature_.SetCaption(text);
    defaultType_.SetCaption(DefaultTypeText(v.defChargeType));
    thresholds_[0].SetCaption(ThresholdText(v.hStart));
    thresholds_[1].SetCaption(ThresholdText(v.hStop));
    thresholds_[2].SetCaption(ThresholdText(v.lStart));
    thresholds_[3].SetCaption(ThresholdText(v.lStop));
}

void CMeasmntTab::OnPaint(fw::Dc& dc) {
    dc.FillRect(GetRect(), controls::kDialogBackground);
}

bool CMeasmntTab::PassGate() {
    // The standards, thresholds and default type need the password only while protection
    // is on in the document.
    return host_->Doc().PasswordProtect != 1 || gate_.Pass();
}

// ---- standards and default type ------------------------------------------------------------

void CMeasmntTab::ChoosePressureStandard() {
    if (!PassGate())
        return;
    CPressSTDPopupMenu menu;
    const int command = host_->TrackPagePopup(menu, pressure_.GetRect());
    if (command < menu_cmd::kPressureMmHg || command > menu_cmd::kPressureKPa)
        return;
    PrefsValues& v = host_->Values();
    const int index = command - menu_cmd::kPressureMmHg;
    if (index == v.pressStd)
        return;
    v.pressStd = index;
    ShowValues();
    host_->MarkChanged();
    host_->MarkStandardsChanged();
}

void CMeasmntTab::ChooseTemperatureStandard() {
    if (!PassGate())
        return;
    CTempSTDPopupMenu menu;
    const int command = host_->TrackPagePopup(menu, temperature_.GetRect());
    if (command < menu_cmd::kTemperature20 || command > menu_cmd::kTemperature22)
        return;
    PrefsValues& v = host_->Values();
    const int index = command - menu_cmd::kTemperature20;
    if (index == v.tempStd)
        return;
    v.tempStd = index;
    ShowValues();
    host_->MarkChanged();
    host_->MarkStandardsChanged();
}

void CMeasmntTab::ChooseDefaultType() {
    if (!PassGate())
        return;
    CDefChgTypePopupMenu menu;
    const int command = host_->TrackPagePopup(menu, defaultType_.GetRect());
    if (command == menu_cmd::kChargeTimed) {
        AskDefaultDuration();
        return;
    }
    if (command != menu_cmd::kChargeContinuous && command != menu_cmd::kChargeTrigger)
        return;
    PrefsValues& v = host_->Values();
    const int type = command == menu_cmd::kChargeContinuous ? 1 : 2;
    if (type == v.defChargeType)
        return;
    v.defChargeType = type;
    ShowValues();
    host_->MarkChanged();
}

void CMeasmntTab::AskDefaultDuration() {
    PrefsValues& v = host_->Values();
    CNumKeypadDlg keypad;
    keypad.SetTitleText("Enter Collection Time");
    keypad.SetUnitText("Secs");
    keypad.SetEntryText(fw::StringPrintf("%ld", v.defChargeDuration));
    keypad.SetMaxLength(kDurationDigits);
    keypad.SetDecimals(0);
    keypad.SetSignKey(false);
    if (host_->RunPageDialog(keypad) != fw::kIdOk || keypad.EntryText().empty())
        return;
    const std::optional<double> seconds = ParseEntry(keypad.EntryText());
    if (!seconds || *seconds < 1 || *seconds > 86400) {
        host_->Tell(fw::LoadString(kInvalidTimeText));
        return;
    }
    v.defChargeType = 0;
    v.defChargeDuration = static_cast<long>(*seconds);
    ShowValues();
    host_->MarkChanged();
}

// ---- thresholds ----------------------------------------------------------------------------

void CMeasmntTab::EnterThreshold(Threshold which) {
    if (!PassGate())
        return;
    if (host_->Tell(kAgencyWarning) != CMsgBox::kResultOk)
        return;
    PrefsValues& v = host_->Values();
    double& value = v.Threshold(which.range, which.start);
    CNumKeypadDlg keypad;
    keypad.SetTitleText(which.start ? "Enter Trigger Start" : "Enter Trigger Stop");
    keypad.SetUnitText("pA");
    keypad.SetEntryText(ThresholdText(value));
    // One decimal, as the value is kept: a finer entry would be checked at one precision
    // and stored at another.
    keypad.SetDecimals(entry_rules::kThresholdDecimals);
    keypad.SetMaxLength(kThresholdEntryLength);
    keypad.SetSignKey(false);
    if (host_->RunPageDialog(keypad) != fw::kIdOk || keypad.EntryText().empty())
        return;
    const std::optional<double> entered = ParseEntry(keypad.EntryText());
    if (!entered)
        return;  // "." alone: as an empty entry
    const double v1 = entry_rules::ToThresholdStep(*entered);
    const double other = v.Threshold(which.range, !which.start);
    if (std::optional<std::string> refusal = ThresholdRefusal(which.start, v1, other)) {
        host_->Tell(*refusal);
        return;
    }
    if (v1 == value)
        return;
    value = v1;
    ShowValues();
    host_->MarkChanged();
}

bool CMeasmntTab::OnCommand(int commandId, fw::Window* from) {
    switch (commandId) {
        case kIdPressure:
            ChoosePressureStandard();
            return true;
        case kIdTemperature:
            ChooseTemperatureStandard();
            return true;
        case kIdDefaultType:
            ChooseDefaultType();
            return true;
        case kIdHighStart:
            EnterThreshold({1, true});
            return true;
        case kIdHighStop:
            EnterThreshold({1, false});
            return true;
        case kIdLowStart:
            EnterThreshold({0, true});
            return true;
        case kIdLowStop:
            EnterThreshold({0, false});
            return true;
        default:
            return fw::Window::OnCommand(commandId, from);
    }
}
