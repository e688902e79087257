#pragma once
// The start-up and warm-up screen: who the instrument is (software and firmware version,
// serial number), the main board brought into a known state (both channels High and 0 V,
// zero counts cleared), and a 60 s warm-up countdown that ends on the single-channel
// screen for channel 1 unless the operator bypasses it.
#include <string>

#include "controls/CBttn.h"
#include "controls/CLabel.h"
#include "screens/CKelvarinFormView.h"

class CSplashView : public CKelvarinFormView {
  public:
    static constexpr int kIdSoftwareCaption = 1010;
    static constexpr int kIdSoftwareVersion = 1020;
    static constexpr int kIdFirmwareCaption = 1005;
    static constexpr int kIdFirmwareVersion = 1026;
    static constexpr int kIdSerialCaption = 1016;
    static constexpr int kIdSerialNumber = 1022;
    static constexpr int kIdCalDue = 1243;
    static constexpr int kIdWebAddress = 1030;
    static constexpr int kIdCountdown = 1006;
    static constexpr int kIdBypass = 1000;
    static constexpr int kSecondTimer = 1;
    static constexpr unsigned kWarmupSeconds = 60;

    void OnInitialUpdate() override;
    void OnUpdate(int hint) override;
    void OnTimer(int id) override;
    bool OnCommand(int commandId, fw::Window* from) override;
    void OnPaint(fw::Dc& dc) override;

    unsigned WarmupSeconds() const { return warmupSeconds_; }
    bool CalDueShown() const { return calDue_.IsVisible(); }
    const std::string& CountdownText() const { return countdown_.Text(); }

    // "Warm-up time remaining: 01:00" for 60 s.
    static std::string CountdownFor(unsigned seconds);

  private:
    void CreateControls();
    void CreateLine(CLabel& caption, CLabel& value, int row, int captionId, int valueId,
                    const std::string& captionText, const std::string& valueText);
    void ApplyDefaultCollection();
    void CommandKnownBoardState();
    void OnSecond();
    void OnFirstSecond();
    void ShowOneChannelScreen(bool tellFailure);

    unsigned warmupSeconds_ = kWarmupSeconds;
    bool firstTickDone_ = false;
    CLabel softwareCaption_, softwareVersion_, firmwareCaption_, firmwareVersion_;
    CLabel serialCaption_, serialNumber_, calDue_, webAddress_, countdown_;
    CBttn bypass_;
};
