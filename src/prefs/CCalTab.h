#pragma once
// The "Calibration" preferences page: the electrometer's own calibration — the date it was
// last calibrated, the date the next calibration is due (with a warning when it is near),
// and the rate and charge factors of each channel and range.
#include <array>

#include "controls/CBttn.h"
#include "controls/CLabel.h"
#include "controls/CPasswordGate.h"
#include "fw/Window.h"
#include "prefs/PrefsValues.h"

class PrefsPageHost;

class CCalTab : public fw::Window {
  public:
    static constexpr int kIdLastCalCaption = 1300;
    static constexpr int kIdLastCal = 1267;
    static constexpr int kIdDueCaption = 1269;
    static constexpr int kIdDue = 1271;
    static constexpr int kIdDueWarning = 1350;
    static constexpr int kIdFactorsCaption = 1276;
    static constexpr int kIdInfo = 1055;
    static constexpr int kIdChannel1 = 1279;
    static constexpr int kIdChannel2 = 1299;
    static constexpr int kBmpDueWarning = 261;
    static constexpr int kFactorCount = 8;
    static constexpr const char* kInvalidFactorText =
        "The calibration factor is invalid.\r\nIt must be a number greater than 0.";

    // The factor button ids and the factor each edits.
    struct FactorButton {
        int id;
        FactorId factor;
    };
    static const std::array<FactorButton, kFactorCount>& FactorButtons();

    void CreatePage(PrefsPageHost& host);
    bool DueWarningShown() const;

    bool OnCommand(int commandId, fw::Window* from) override;
    void OnPaint(fw::Dc& dc) override;

  private:
    bool PassGate();
    void CreateDates();
    void CreateChannelBlock(int ch);
    void EnterFactor(const FactorButton& button);
    void EnterDate(bool due);
    void ShowValues();

    PrefsPageHost* host_ = nullptr;
    CPasswordGate gate_;
    CLabel lastCalCaption_, dueCaption_, dueWarning_, factorsCaption_;
    CBttn lastCal_, due_, info_;
    std::array<CLabel, 2> channelCaptions_;
    // Per channel: "Range", "Rate", "Charge", High row caption, Low row caption.
    std::array<std::array<CLabel, 5>, 2> blockLabels_;
    std::array<CBttn, kFactorCount> factors_;
};
