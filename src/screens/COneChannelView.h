#pragma once
// The main working screen: one channel's current, charge and (with a calibrated chamber)
// dose rate or dose in large digits, and the collections run on it — continuous, timed
// (once or repeated up to 500 times) and, on channel 1, triggered by the current itself.
// The lower half holds the channel's set-up and data pages.
#include <array>
#include <cstdint>
#include <string>

#include "controls/CBttn.h"
#include "controls/CLabel.h"
#include "controls/CTouchTabCtrl.h"
#include "document/RemoteScreen.h"
#include "screens/CFileDlg.h"
#include "screens/CKelvarinFormView.h"
#include "screens/COneChannelDataDlg.h"
#include "screens/COneChannelSetupDlg.h"
#include "screens/OneChannelEntry.h"

class COneChannelView : public CKelvarinFormView {
  public:
    static constexpr int kIdPage = kIdPageButton;
    static constexpr int kIdRange = 1001;
    static constexpr int kIdBias = 1002;
    static constexpr int kIdZero = 1003;
    static constexpr int kIdChargeType = 1004;
    static constexpr int kIdStartStop = 1011;
    static constexpr int kIdAddMeasurement = 1251;
    static constexpr int kIdTabs = 1039;
    static constexpr int kIdRangeCaption = 1046;
    static constexpr int kIdBiasCaption = 1042;
    static constexpr int kIdStatus = 1045;
    static constexpr int kIdRateCaption = 1015;
    static constexpr int kIdRateValue = 1021;
    static constexpr int kIdRateUnit = 1028;
    static constexpr int kIdChargeCaption = 1019;
    static constexpr int kIdChargeValue = 1024;
    static constexpr int kIdChargeUnit = 1031;
    static constexpr int kIdDoseCaption = 1058;
    static constexpr int kIdDoseValue = 1054;
    static constexpr int kIdDoseUnit = 1060;
    static constexpr int kIdAdc = 1034;
    static constexpr int kSecondTimer = 1;
    static constexpr int kSecondMs = 1000;

    COneChannelView();
    ~COneChannelView() override;

    void OnInitialUpdate() override;
    void OnUpdate(int hint) override;
    void OnTimer(int id) override;
    bool OnCommand(int commandId, fw::Window* from) override;
    void OnPaint(fw::Dc& dc) override;
    bool IsOpaque() const override { return true; }

    // What the remote protocol asks of the screen shown.
    RemoteScreenKind ScreenKind() const override { return RemoteScreenKind::OneChannel; }
    bool SwitchChannelView(int target) override;

    uint8_t ShownChannel() const { return channel_; }
    bool ControlsEnabled() const { return controlsEnabled_; }
    // Changes the channel shown without leaving the screen.
    void ShowChannel(uint8_t channel);
    COneChannelSetupDlg& SetupPage() { return setup_; }
    COneChannelDataDlg& DataPage() { return data_; }
    CFileDlg& FilePage() { return file_; }

  private:
    struct ValueLine {
        CLabel caption;
        CLabel value;
        CLabel unit;
    };

    // ---- construction and layout (COneChannelView.cpp)
    void CreateControls();
    // `ids`: caption, value, unit.
    void CreateValueLine(ValueLine& line, std::array<int, 3> ids, const std::string& caption);
    void CreatePages();
    void ShowStaticTexts();
    void LayoutValueArea();
    void PlaceLine(ValueLine& line, int row, int rows, int valueHeight);
    void ApplyBackground(fw::Color background);

    // ---- refreshing the texts (COneChannelView.cpp)
    void RefreshRate();
    void RefreshCharge();
    void RefreshDoseLine();
    // The value in red while over range; its unit text by string id (0: none).
    void ShowValue(ValueLine& line, const std::string& text, bool overRange, int unitId);
    void RefreshBias();
    void RefreshRangeCaption();
    void ShowCollectionDescription();
    void ShowStatus(const std::string& text);
    void ShowCollectingStatus();
    bool DoseIsCurrentBased() const;

    // ---- collections (OneChannelCollection.cpp)
    void OnCollectionHint();
    void OnTriggerCollectionEnded();
    void OnTimedOrContinuousEnded();
    void FinishSeries();
    void OnStartStopClear();
    void OnRemoteStart();
    void OnRemoteStop();
    bool CollectionRunning() const;
    void StartTrigger();
    void StopTrigger();
    void StartSeries();
    void ClearHeldResult();
    void StopRunningCollection();
    void ReleaseHeldResult();
    void SetControlsEnabled(bool enabled);
    bool AnyChargeOverRange() const;
    bool AnyRateOverRange() const;
    void AddRow(bool isRate);
    void OnAddMeasurement();
    void OnZero();

  protected:
    void OnPageCommand(int commandId) override;

  private:
    // ---- menus (OneChannelMenus.cpp)
    void OpenRangeMenu();
    void OpenBiasMenu();
    void OpenChargeTypeMenu();
    bool OnMenuCommand(int commandId);
    void OnRangeChoice(int range);
    void OnBiasChoice(int commandId);
    void OnChargeTypeChoice(int commandId);

    uint8_t channel_ = 0;
    bool controlsEnabled_ = true;
    bool seriesRunning_ = false;  // a collection this screen started has not ended yet
    std::array<int16_t, 2> previousBias_{};

    CBttn addMeasurement_, range_, bias_, zero_, startStop_, chargeType_;
    CLabel rangeCaption_, biasCaption_, statusCaption_, status_, adc_;
    ValueLine rate_, charge_, dose_;
    CTouchTabCtrl tabs_;
    COneChannelSetupDlg setup_;
    COneChannelDataDlg data_;
    CFileDlg file_;
};
