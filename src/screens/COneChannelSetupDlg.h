#pragma once
// The "Setup" page of a measuring channel: whether the chamber calibration (system factor)
// applies, which chamber, and the temperature/pressure correction with its two inputs.
#include <cstdint>
#include <string>

#include "controls/CBttn.h"
#include "controls/CLabel.h"
#include "fw/Window.h"
#include "screens/OneChannelEntry.h"

class CKelvarinDoc;

class COneChannelSetupDlg : public fw::Window {
  public:
    static constexpr int kIdTemperature = 1103;
    static constexpr int kIdPressure = 1105;
    static constexpr int kIdTemperatureCaption = 1107;
    static constexpr int kIdPressureCaption = 1108;
    static constexpr int kIdTpCorrection = 1113;
    static constexpr int kIdSystemFactor = 1114;
    static constexpr int kIdChamber = 1186;
    static constexpr int kWidth = 586;
    static constexpr int kHeight = 152;

    // Builds the controls at the page's origin; the tab control moves them into place.
    void CreatePage(CKelvarinDoc& doc, fw::Color background);
    void SetChannel(uint8_t channel) { channel_ = channel & 1; }
    uint8_t Channel() const { return channel_; }
    void SetBkColor(fw::Color background);
    // How the page's keypads and chamber picker are run (registered with its screen).
    void SetModalRunner(one_channel::ModalRunner run) { run_ = std::move(run); }
    // Shows the channel's settings as the document holds them.
    void RefreshPage();

    bool OnCommand(int commandId, fw::Window* from) override;
    void OnPaint(fw::Dc& dc) override;

  private:
    void OnSystemFactor(bool applied);
    void OnChooseChamber();
    void OnTpCorrection(bool on);
    bool EnterTemperature();
    bool EnterPressure();
    // Runs the chamber picker; the dialog result, with the chosen position in `record`.
    int RunChamberList(int& record);
    void DropChamber();
    void ShowChamberText();
    void ShowCorrectionValues();
    void RecomputeTpFactor();

    CKelvarinDoc* doc_ = nullptr;
    one_channel::ModalRunner run_ = one_channel::RunUnregistered;
    uint8_t channel_ = 0;
    fw::Color background_ = fw::colors::kWhite;
    CBttn systemFactor_, chamber_, tpCorrection_, temperature_, pressure_;
    CLabel temperatureCaption_, pressureCaption_;
};
