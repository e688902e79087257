#include "screens/CSplashView.h"

#include "controls/CMsgBox.h"
#include "controls/ControlColors.h"
#include "document/Hints.h"
#include "fw/Resources.h"
#include "fw/Text.h"
#include "fw/Version.h"
#include "screens/ViewFactory.h"

namespace {

// Main-board requests of the warm-up (the answers arrive later as document hints).
constexpr uint8_t kGetFirmwareVersion = 0x81;
constexpr uint8_t kGetBias = 0x82;
constexpr uint8_t kGetDateTime = 0x83;
constexpr uint8_t kGetFirmwareVersion2 = 0x89;
constexpr int kHighRange = 1;
constexpr int kCalDueTextId = 450;
constexpr int kWebAddressId = 531;

constexpr int kCaptionLeft = 60;
constexpr int kCaptionRight = 300;
constexpr int kValueRight = 580;
constexpr int kFirstRowTop = 70;
constexpr int kRowHeight = 36;

std::string SoftwareVersion() {
    std::string version;
    if (!fw::GetOwnProductVersion(version, 1))
        version.clear();
    return version;
}

}  // namespace

std::string CSplashView::CountdownFor(unsigned seconds) {
    return fw::StringPrintf("%s %02u:%02u", "Warm-up time remaining:", seconds / 60, seconds % 60);
}

void CSplashView::OnInitialUpdate() {
    CKelvarinFormView::OnInitialUpdate();
    ApplyDefaultCollection();
    CreateControls();
    SetTimer(kSecondTimer, 1000);
    CommandKnownBoardState();
}

void CSplashView::ApplyDefaultCollection() {
    CKelvarinDoc& doc = *GetDoc();
    doc.CollectionFinished = 0;
    doc.AutoDataCapture = 1;
    doc.TriggerArmed = 0;
    if (doc.DefChargeType != doc.ChargeType || doc.DefChargeDuration != doc.ChargeDuration)
        doc.SetChargeType(doc.DefChargeType, doc.DefChargeDuration);
}

void CSplashView::CreateControls() {
    CKelvarinDoc& doc = *GetDoc();
    CreateLine(softwareCaption_, softwareVersion_, 0, kIdSoftwareCaption, kIdSoftwareVersion,
               "Software Version:", SoftwareVersion());
    CreateLine(firmwareCaption_, firmwareVersion_, 1, kIdFirmwareCaption, kIdFirmwareVersion,
               "Firmware Version:", doc.FirmwareVersion);
    CreateLine(serialCaption_, serialNumber_, 2, kIdSerialCaption, kIdSerialNumber,
               "Serial Number:", doc.SerialNumber);

    const fw::Color background = controls::kDialogBackground;
    calDue_.Create(this, fw::Rect{40, 190, 600, 250}, kIdCalDue, fw::LoadString(kCalDueTextId));
    calDue_.SetBkColor(background);
    calDue_.SetTextColor(fw::Color::Rgb(255, 255, 0));
    calDue_.SetFontHeight(16);
    calDue_.Show(false);

    webAddress_.Create(this, fw::Rect{40, 260, 600, 290}, kIdWebAddress,
                       fw::LoadString(kWebAddressId));
    webAddress_.SetBkColor(background);
    webAddress_.SetTextColor(fw::colors::kWhite);
    webAddress_.SetFontHeight(16);

    countdown_.Create(this, fw::Rect{40, 305, 600, 345}, kIdCountdown,
                      CountdownFor(warmupSeconds_));
    countdown_.SetBkColor(background);
    countdown_.SetTextColor(fw::colors::kWhite);
    countdown_.SetFontHeight(22);
    countdown_.SetBold(true);

    bypass_.Create(this, fw::Rect{210, 365, 430, 425}, kIdBypass, "Bypass Warm-up");
    bypass_.SetBkColor(controls::kActionButton);
    bypass_.SetTextColor(fw::colors::kWhite);

    CreateDateTimeBar();
}

void CSplashView::CreateLine(CLabel& caption, CLabel& value, int row, int captionId, int valueId,
                             const std::string& captionText, const std::string& valueText) {
    const int top = kFirstRowTop + row * kRowHeight;
    caption.Create(this, fw::Rect{kCaptionLeft, top, kCaptionRight, top + kRowHeight - 4},
                   captionId, captionText);
    caption.SetAlignment(CLabel::kRight);
    value.Create(this, fw::Rect{kCaptionRight + 12, top, kValueRight, top + kRowHeight - 4},
                 valueId, valueText);
    value.SetAlignment(CLabel::kLeft);
    for (CLabel* label : {&caption, &value}) {
        label->SetBkColor(controls::kDialogBackground);
        label->SetTextColor(fw::colors::kWhite);
        label->SetFontHeight(18);
    }
}

void CSplashView::CommandKnownBoardState() {
    CKelvarinDoc& doc = *GetDoc();
    doc.SendCommand(kGetFirmwareVersion);
    doc.SendCommand(kGetFirmwareVersion2);
    doc.SendCommand(kGetDateTime);
    HwControl().SetRange(0, kHighRange);
    HwControl().SetRange(1, kHighRange);
    // A zero made before standby belongs to another warm-up: it is never used after it.
    for (CHANNEL_CAL& cal : doc.Filter.Cal) {
        cal.Low.Zero = 0;
        cal.High.Zero = 0;
    }
    doc.ApplyRanges();
    for (CHANNEL_INFO& channel : doc.Channel)
        channel.BiasSet = 0;
    doc.SendCommand(kGetBias);
}

void CSplashView::OnTimer(int id) {
    if (id != kSecondTimer) {
        CKelvarinFormView::OnTimer(id);
        return;
    }
    OnSecond();
    if (!firstTickDone_)
        OnFirstSecond();
}

void CSplashView::OnSecond() {
    if (warmupSeconds_ == 0) {
        fw::PlayResourceSound("SndWarmupComplete");
        // A failed switch leaves the countdown at 00:00 and tries again next second.
        ShowOneChannelScreen(false);
        return;
    }
    --warmupSeconds_;
    countdown_.SetText(CountdownFor(warmupSeconds_));
    DateTimeBar().Refresh(false);
}

void CSplashView::OnFirstSecond() {
    CKelvarinDoc& doc = *GetDoc();
    HwControl().RestoreBrightness(true);
    HwControl().SetBrightness(doc.Brightness);
    HwControl().SetBacklightPower(true);
    firstTickDone_ = true;
    HwControl().SetVolume(doc.Volume);
    fw::PlayResourceSound("SndAppStart");
    if (doc.IsCalDueSoon(doc.CalDueDate.Year, doc.CalDueDate.Month, doc.CalDueDate.Day) ||
        doc.IsAnyChamberDue()) {
        calDue_.Show(true);
        Invalidate();
    }
}

bool CSplashView::OnCommand(int commandId, fw::Window* from) {
    if (commandId == kIdBypass) {
        ShowOneChannelScreen(true);
        return true;
    }
    return CKelvarinFormView::OnCommand(commandId, from);
}

void CSplashView::ShowOneChannelScreen(bool tellFailure) {
    GetDoc()->OneChannelShown = 0;
    if (tellFailure)
        SwitchToViewOrTell(MakeOneChannelView());
    else
        SwitchToView(MakeOneChannelView());
}

void CSplashView::OnUpdate(int hint) {
    if (hint == kHintFirmwareVersion) {
        firmwareVersion_.SetText(GetDoc()->FirmwareVersion);
    } else {
        CKelvarinFormView::OnUpdate(hint);
    }
}

void CSplashView::OnPaint(fw::Dc& dc) {
    dc.FillRect(GetRect(), controls::kDialogBackground);
}
