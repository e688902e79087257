#pragma once
// The "General" preferences page: display brightness and loudspeaker volume (acting on the
// hardware at once), time and date formats (previewed on the date/time strip), password
// protection, setting the date and time, touch-screen calibration and the software update.
#include <array>
#include <functional>

#include "controls/CBttn.h"
#include "controls/CLabel.h"
#include "controls/CPasswordGate.h"
#include "fw/Window.h"

class PrefsPageHost;

class CGenTab : public fw::Window {
  public:
    static constexpr int kIdSetDateTime = 1314;
    static constexpr int kIdBrightnessCaption = 1109;
    static constexpr int kIdBrightnessValue = 1104;
    static constexpr int kIdBrightnessUp = 1252;
    static constexpr int kIdBrightnessDown = 1255;
    static constexpr int kIdVolumeCaption = 1112;
    static constexpr int kIdVolumeValue = 1106;
    static constexpr int kIdVolumeUp = 1257;
    static constexpr int kIdVolumeDown = 1258;
    static constexpr int kIdTimeCaption = 1110;
    static constexpr int kIdTime12 = 1316;
    static constexpr int kIdTime24 = 1317;
    static constexpr int kIdDateCaption = 1111;
    static constexpr int kIdDateMDY = 1320;
    static constexpr int kIdDateDMY = 1322;
    static constexpr int kIdDateYMD = 1325;
    static constexpr int kIdPassword = 1328;
    static constexpr int kIdCalibrateTouch = 1091;
    static constexpr int kIdSoftwareUpdate = 1088;
    static constexpr int kMinBrightness = 1;
    static constexpr int kMaxStep = 10;

    void CreatePage(PrefsPageHost& host);
    // What "Calibrate Touch Screen" and "Software Update" run.
    void SetOnCalibrateTouch(std::function<void()> run) { calibrateTouch_ = std::move(run); }
    void SetOnSoftwareUpdate(std::function<void()> run) { softwareUpdate_ = std::move(run); }

    bool OnCommand(int commandId, fw::Window* from) override;
    void OnPaint(fw::Dc& dc) override;

  private:
    void CreateSteppers();
    void CreateFormatChoices();
    void CreateButtons();
    void StepBrightness(int step);
    void StepVolume(int step);
    void ChooseTimeFormat(int format);
    void ChooseDateFormat(int format);
    void OnPasswordBox();
    void OnSetDateTime();
    void ShowValues();

    PrefsPageHost* host_ = nullptr;
    CPasswordGate gate_;
    std::function<void()> calibrateTouch_;
    std::function<void()> softwareUpdate_;
    CLabel brightnessCaption_, brightnessValue_, volumeCaption_, volumeValue_;
    CLabel timeCaption_, dateCaption_;
    CBttn brightnessUp_, brightnessDown_, volumeUp_, volumeDown_;
    std::array<CBttn, 2> timeChoices_;
    std::array<CBttn, 3> dateChoices_;
    CBttn password_, setDateTime_, calibrateTouchButton_, softwareUpdateButton_;
};
