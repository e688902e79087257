#include "prefs/CGenTab.h"

#include "board/CHWControl.h"
#include "controls/ControlColors.h"
#include "document/CKelvarinDoc.h"
#include "fw/Resources.h"
#include "fw/Text.h"
#include "prefs/PageStyle.h"
#include "prefs/PrefsPageHost.h"
#include "prefs/PrefsValues.h"
#include "screens/CSetDateTimeDlg.h"

namespace {

constexpr const char* kBoardClockFailed =
    "The instrument clock was set, but the main board did not take the new time.";
constexpr int kTimeIds[] = {CGenTab::kIdTime12, CGenTab::kIdTime24};
constexpr int kDateIds[] = {CGenTab::kIdDateMDY, CGenTab::kIdDateDMY, CGenTab::kIdDateYMD};
const char* const kTimeTexts[] = {"12 Hour Format", "24 Hour Format"};
const char* const kDateTexts[] = {"MM/DD/YYYY", "DD/MM/YYYY", "YYYYMMDD"};

int IndexOf(const int* ids, int count, int id) {
    for (int i = 0; i < count; ++i) {
        if (ids[i] == id)
            return i;
    }
    return -1;
}

}  // namespace

void CGenTab::CreatePage(PrefsPageHost& host) {
    host_ = &host;
    // Switching protection always needs the password, whether it is on or off.
    gate_ = CPasswordGate(true, [this](CModalDialog& d) { return host_->RunPageDialog(d); });
    Create(nullptr, {0, 0, prefs_style::kPageWidth, prefs_style::kPageHeight});
    CreateSteppers();
    CreateFormatChoices();
    CreateButtons();
    ShowValues();
}

void CGenTab::CreateSteppers() {
    brightnessCaption_.Create(this, {12, 8, 200, 36}, kIdBrightnessCaption, "Display Brightness");
    brightnessDown_.Create(this, {12, 40, 62, 90}, kIdBrightnessDown, "-");
    brightnessValue_.Create(this, {68, 40, 138, 90}, kIdBrightnessValue);
    brightnessUp_.Create(this, {144, 40, 194, 90}, kIdBrightnessUp, "+");
    volumeCaption_.Create(this, {12, 104, 200, 132}, kIdVolumeCaption, "Volume");
    volumeDown_.Create(this, {12, 136, 62, 186}, kIdVolumeDown, "-");
    volumeValue_.Create(this, {68, 136, 138, 186}, kIdVolumeValue);
    volumeUp_.Create(this, {144, 136, 194, 186}, kIdVolumeUp, "+");
    for (CLabel* c : {&brightnessCaption_, &volumeCaption_})
        prefs_style::Caption(*c);
    for (CLabel* v : {&brightnessValue_, &volumeValue_})
        prefs_style::ValueBox(*v, 26);
    for (CBttn* b : {&brightnessDown_, &brightnessUp_, &volumeDown_, &volumeUp_})
        prefs_style::Button(*b, 30);
    password_.Create(this, {12, 214, 200, 300}, kIdPassword, "Password\r\nProtection\r\nEnabled");
    prefs_style::CheckBox(password_);
}

void CGenTab::CreateFormatChoices() {
    timeCaption_.Create(this, {218, 8, 418, 36}, kIdTimeCaption, "Time Format");
    for (int i = 0; i < 2; ++i)
        timeChoices_[i].Create(this, {218, 40 + 38 * i, 418, 74 + 38 * i}, kTimeIds[i],
                               kTimeTexts[i]);
    dateCaption_.Create(this, {218, 132, 418, 160}, kIdDateCaption, "Date Format");
    for (int i = 0; i < 3; ++i)
        dateChoices_[i].Create(this, {218, 164 + 38 * i, 418, 198 + 38 * i}, kDateIds[i],
                               kDateTexts[i]);
    for (CLabel* c : {&timeCaption_, &dateCaption_})
        prefs_style::Caption(*c);
    for (CBttn& c : timeChoices_)
        prefs_style::Choice(c);
    for (CBttn& c : dateChoices_)
        prefs_style::Choice(c);
}

void CGenTab::CreateButtons() {
    setDateTime_.Create(this, {432, 16, 618, 76}, kIdSetDateTime, "Set Date/Time");
    calibrateTouchButton_.Create(this, {432, 96, 618, 156}, kIdCalibrateTouch,
                                 "Calibrate Touch Screen");
    softwareUpdateButton_.Create(this, {432, 176, 618, 236}, kIdSoftwareUpdate, "Software Update");
    for (CBttn* b : {&setDateTime_, &calibrateTouchButton_, &softwareUpdateButton_})
        prefs_style::Button(*b);
}

void CGenTab::ShowValues() {
    const PrefsValues& v = host_->Values();
    brightnessValue_.SetText(fw::StringPrintf("%d", v.brightness));
    volumeValue_.SetText(fw::StringPrintf("%d", v.volume));
    for (int i = 0; i < 2; ++i)
        timeChoices_[i].SetMarked(v.timeFormat == i);
    for (int i = 0; i < 3; ++i)
        dateChoices_[i].SetMarked(v.dateFormat == i);
    password_.SetMarked(v.passwordProtect == 1);
}

void CGenTab::OnPaint(fw::Dc& dc) {
    dc.FillRect(GetRect(), controls::kDialogBackground);
}

// ---- the controls --------------------------------------------------------------------------

void CGenTab::StepBrightness(int step) {
    PrefsValues& v = host_->Values();
    const int next = v.brightness + step;
    if (next < kMinBrightness || next > kMaxStep)
        return;
    v.brightness = next;
    host_->Hardware().SetBrightness(next);
    ShowValues();
    host_->MarkChanged();
}

void CGenTab::StepVolume(int step) {
    PrefsValues& v = host_->Values();
    const int next = v.volume + step;
    if (next < 0 || next > kMaxStep)
        return;
    v.volume = next;
    host_->Hardware().SetVolume(next);
    ShowValues();
    host_->MarkChanged();
    fw::PlayResourceSound("SNDNOTIFY");
}

void CGenTab::ChooseTimeFormat(int format) {
    PrefsValues& v = host_->Values();
    const bool changed = v.timeFormat != format;
    v.timeFormat = format;
    ShowValues();  // a touch on the marked choice must not unmark it
    if (!changed)
        return;
    host_->MarkChanged();
    host_->PreviewFormats();
}

void CGenTab::ChooseDateFormat(int format) {
    PrefsValues& v = host_->Values();
    const bool changed = v.dateFormat != format;
    v.dateFormat = format;
    ShowValues();
    if (!changed)
        return;
    host_->MarkChanged();
    host_->PreviewFormats();
}

void CGenTab::OnPasswordBox() {
    // The click has already turned the mark; it stands only once the password was given.
    const bool wanted = password_.IsMarked();
    if (gate_.Pass()) {
        PrefsValues& v = host_->Values();
        if (v.passwordProtect != (wanted ? 1 : 0)) {
            v.passwordProtect = wanted ? 1 : 0;
            host_->MarkChanged();
        }
    }
    ShowValues();
}

void CGenTab::OnSetDateTime() {
    CSetDateTimeDlg dialog;
    // The dialog ends with OK only once the instrument clock took the new time.
    if (host_->RunPageDialog(dialog) != fw::kIdOk)
        return;
    if (!host_->Doc().SetDateTime())
        host_->Tell(kBoardClockFailed);
    host_->PreviewFormats();
}

bool CGenTab::OnCommand(int commandId, fw::Window* from) {
    if (const int t = IndexOf(kTimeIds, 2, commandId); t >= 0) {
        ChooseTimeFormat(t);
        return true;
    }
    if (const int d = IndexOf(kDateIds, 3, commandId); d >= 0) {
        ChooseDateFormat(d);
        return true;
    }
    switch (commandId) {
        case kIdBrightnessUp:
            StepBrightness(+1);
            return true;
        case kIdBrightnessDown:
            StepBrightness(-1);
            return true;
        case kIdVolumeUp:
            StepVolume(+1);
            return true;
        case kIdVolumeDown:
            StepVolume(-1);
            return true;
        case kIdPassword:
            OnPasswordBox();
            return true;
        case kIdSetDateTime:
            OnSetDateTime();
            return true;
        case kIdCalibrateTouch:
            if (calibrateTouch_)
                calibrateTouch_();
            return true;
        case kIdSoftwareUpdate:
            if (softwareUpdate_)
                softwareUpdate_();
            return true;
        default:
            return fw::Window::OnCommand(commandId, from);
    }
}
