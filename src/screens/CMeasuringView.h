#pragma once
// The base of the two measuring screens (one channel, both channels): the collection
// workflow they share — Start/Stop/Clear with timed, repeated, continuous and trigger
// collections, what happens when one ends, the rows it adds, the controls locked while it
// runs — and the range, bias and charge-type pop-ups with their keypads, the "Add" and
// "Zero" buttons and the one-second timer. Each screen says which channel a range or bias
// choice acts on, which controls it locks and how it shows values and rows.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "controls/CBttn.h"
#include "controls/CLabel.h"
#include "screens/CKelvarinFormView.h"

struct MEAS_INFO;

class CMeasuringView : public CKelvarinFormView {
  public:
    static constexpr int kIdZero = 1003;
    static constexpr int kIdChargeType = 1004;
    static constexpr int kIdStartStop = 1011;
    static constexpr int kIdStatusCaption = 1044;
    static constexpr int kIdStatus = 1045;
    static constexpr int kIdAddMeasurement = 1251;
    static constexpr int kSecondTimer = 1;
    static constexpr int kSecondMs = 1000;

    ~CMeasuringView() override;

    void OnUpdate(int hint) override;
    void OnTimer(int id) override;
    bool OnCommand(int commandId, fw::Window* from) override;

    bool ControlsEnabled() const { return controlsEnabled_; }
    std::string StatusText() const { return status_.Text(); }

  protected:
    // Where the controls every measuring screen has go.
    struct CollectionRects {
        fw::Rect zero;
        fw::Rect startStop;
        fw::Rect chargeType;
        fw::Rect statusCaption;
        fw::Rect status;
        fw::Rect addMeasurement;
    };
    void CreateCollectionControls(const CollectionRects& rects, const std::string& addCaption);
    // The texts of the controls above as the document holds the collection.
    void ShowCollectionTexts();
    // A label on the panel's blue: white bold text.
    static void StyleOnPanel(CLabel& label, int fontHeight);
    // The channel's bias text, white within tolerance and yellow otherwise.
    void ShowBias(uint8_t channel, CLabel& caption);
    // "Low\r\n(0-500pA)" or "High\r\n(0-500nA)".
    void ShowRange(uint8_t channel, CLabel& caption);
    void ShowCollectionDescription();
    void ShowStatus(const std::string& text);
    // While the trigger collection runs: whether it waits on channel 1 or has fired.
    void ShowTriggerStatus();

    // ---- what each screen does its own way ----------------------------------------------
    virtual void RefreshRates() = 0;
    virtual void RefreshCharges() = 0;
    virtual void RefreshRangeCaptions() = 0;
    // After a chamber or system-factor change: the set-up and data pages, and the value lines
    // laid out again for what the channels now measure.
    virtual void ShowChamberChange() = 0;
    // A row just added to the data list: the screen's data pages show it.
    virtual void ShowNewRow(const MEAS_INFO& row) { (void)row; }
    // A collection ended with its charge: a charge row, unless logging is off or a channel
    // is over range. The scintillator screens keep their own points and rows.
    virtual void OnCollectionResult();
    // "Add Measurement": a rate row with its notice.
    virtual void OnAddMeasurement();
    // Whether an ended series is held ("Clear") until cleared, or the button reads "Start".
    virtual bool HoldsResult() const { return true; }
    // After the locked controls were enabled or disabled together: a screen whose controls
    // have rules of their own applies them here.
    virtual void OnControlsEnabled(bool enabled) { (void)enabled; }
    // Whether the one-second tick asks the board for the bias read-back.
    virtual bool RequestsBias() const { return true; }
    // Locked while a collection runs (Start/Stop/Clear never is).
    virtual std::vector<fw::Window*> LockedControls() = 0;
    // The channel the range and bias choices act on.
    virtual uint8_t MenuChannel() const = 0;
    // Whether "Trigger (Ch.1)" is offered: the trigger watches channel 1.
    virtual bool TriggerOffered() const = 0;
    // 0, 1 or 2 (both): what "Zero" zeroes.
    virtual uint8_t ZeroTarget() const = 0;

    // ---- collections (MeasuringCollection.cpp) -------------------------------------------
    void OnStartStopClear();
    // A held result is dropped from the display when the setup it was measured with changes.
    void ReleaseHeldResult();
    bool AnyChargeOverRange() const;
    bool AnyRateOverRange() const;

    // ---- pop-ups (MeasuringMenus.cpp) -----------------------------------------------------
    void OpenRangeMenu(const fw::Rect& button);
    void OpenBiasMenu(const fw::Rect& button);

    CBttn addMeasurement_, zero_, startStop_, chargeType_;
    CLabel statusCaption_, status_;

  private:
    void OnCollectionHint();
    void OnTriggerCollectionEnded();
    void OnTimedOrContinuousEnded();
    void FinishSeries();
    void OnRemoteStart();
    void OnRemoteStop();
    bool CollectionRunning() const;
    void StartTrigger();
    void StopTrigger();
    void StartSeries();
    void ClearHeldResult();
    void StopRunningCollection();
    void HoldEndedSeries();
    void SetControlsEnabled(bool enabled);
    void ShowCollectingStatus();
    void AddRow(bool isRate);
    void OnZero();

    void OpenChargeTypeMenu();
    bool OnMenuCommand(int commandId);
    void OnRangeChoice(int range);
    void OnBiasChoice(int commandId);
    void OnChargeTypeChoice(int commandId);

    bool controlsEnabled_ = true;
    bool seriesRunning_ = false;  // a collection this screen started has not ended yet
    std::array<int16_t, 2> previousBias_{};
};
