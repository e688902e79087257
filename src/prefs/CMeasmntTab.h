#pragma once
// The "Measurement" preferences page: the temperature and pressure standards, the default
// collection type (with its time) taken at the next warm-up, and the four trigger
// thresholds of channel 1.
#include <array>
#include <string>

#include "controls/CBttn.h"
#include "controls/CLabel.h"
#include "controls/CPasswordGate.h"
#include "fw/Window.h"

class PrefsPageHost;

class CMeasmntTab : public fw::Window {
  public:
    static constexpr int kIdPressureCaption = 1264;
    static constexpr int kIdPressure = 1262;
    static constexpr int kIdTemperatureCaption = 1265;
    static constexpr int kIdTemperature = 1263;
    static constexpr int kIdDefaultTypeCaption = 1268;
    static constexpr int kIdDefaultType = 1270;
    static constexpr int kIdTriggerCaption = 1319;
    static constexpr int kIdHighCaption = 1285;
    static constexpr int kIdHighStart = 1332;
    static constexpr int kIdHighStop = 1333;
    static constexpr int kIdLowCaption = 1331;
    static constexpr int kIdLowStart = 1280;
    static constexpr int kIdLowStop = 1281;
    static constexpr const char* kAgencyWarning =
        "Charge measurements made in modes other than those used by the calibration agency "
        "may result in measurement errors which exceed the calibration uncertainty.";

    void CreatePage(PrefsPageHost& host);

    bool OnCommand(int commandId, fw::Window* from) override;
    void OnPaint(fw::Dc& dc) override;

  private:
    struct Threshold {
        int range;  // 0 Low, 1 High
        bool start;
    };
    void CreateStandards();
    void CreateThresholds();
    bool PassGate();
    void ChoosePressureStandard();
    void ChooseTemperatureStandard();
    void ChooseDefaultType();
    void AskDefaultDuration();
    void EnterThreshold(Threshold which);
    void ShowValues();

    PrefsPageHost* host_ = nullptr;
    CPasswordGate gate_;
    CLabel pressureCaption_, temperatureCaption_, defaultTypeCaption_;
    CBttn pressure_, temperature_, defaultType_;
    CLabel triggerCaption_, highCaption_, lowCaption_;
    CLabel startHeader_, stopHeader_;
    std::array<CLabel, 4> units_;
    // High start, High stop, Low start, Low stop.
    std::array<CBttn, 4> thresholds_;
};
