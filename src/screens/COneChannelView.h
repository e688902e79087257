#pragma once
// The main working screen: one channel's current, charge and (with a calibrated chamber)
// dose rate or dose in large digits, and the collections run on it — continuous, timed
// (once or repeated up to 500 times) and, on channel 1, triggered by the current itself.
// The lower half holds the channel's set-up and data pages.
#include <cstdint>
#include <string>
#include <vector>

#include "controls/CBttn.h"
#include "controls/CLabel.h"
#include "controls/CTouchTabCtrl.h"
#include "document/RemoteScreen.h"
#include "screens/CCorrectionDlg.h"
#include "screens/CFileDlg.h"
#include "screens/CMeasuringView.h"
#include "screens/COneChannelDataDlg.h"
#include "screens/COneChannelSetupDlg.h"
#include "screens/CTrendPage.h"
#include "screens/ChannelValues.h"

class COneChannelView : public CMeasuringView {
  public:
    static constexpr int kIdPage = kIdPageButton;
    static constexpr int kIdRange = 1001;
    static constexpr int kIdBias = 1002;
    static constexpr int kIdTabs = 1039;
    static constexpr int kIdRangeCaption = 1046;
    static constexpr int kIdBiasCaption = 1042;
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
    static constexpr int kIdCorrections = 2300;

    COneChannelView();

    void OnInitialUpdate() override;
    void OnUpdate(int hint) override;
    void OnTimer(int id) override;
    bool OnCommand(int commandId, fw::Window* from) override;
    void OnPaint(fw::Dc& dc) override;
    bool IsOpaque() const override { return true; }

    // What the remote protocol asks of the screen shown.
    RemoteScreenKind ScreenKind() const override { return RemoteScreenKind::OneChannel; }
    bool SwitchChannelView(int target) override;
    // The data page's column, whichever page is in view: the screen has one data page.
    std::optional<SeriesSelection> ShownSeries() const override;

    uint8_t ShownChannel() const { return channel_; }
    // Changes the channel shown without leaving the screen.
    void ShowChannel(uint8_t channel);
    COneChannelSetupDlg& SetupPage() { return setup_; }
    COneChannelDataDlg& DataPage() { return data_; }
    CFileDlg& FilePage() { return file_; }
    CTrendPage& TrendPage() { return trend_; }
    // The guided corrections dialog while it is open, else nullptr.
    CCorrectionDlg* CorrectionDialog() const { return correction_; }

  protected:
    void OnPageCommand(int commandId) override;
    void RefreshRates() override {
        values_.RefreshRate();
        trend_.Refresh();
    }
    void RefreshCharges() override;
    void RefreshRangeCaptions() override { ShowRange(channel_, rangeCaption_); }
    void ShowChamberChange() override;
    void ShowNewRow(const MEAS_INFO& row) override;
    std::vector<fw::Window*> LockedControls() override;
    uint8_t MenuChannel() const override { return channel_; }
    bool TriggerOffered() const override { return channel_ == 0; }
    uint8_t ZeroTarget() const override { return channel_; }

  private:
    void CreateControls();
    void CreatePages();
    void LayoutValueArea();
    void ApplyBackground(fw::Color background);
    fw::Color Background() const;
    void RefreshBias() { ShowBias(channel_, biasCaption_); }
    void OpenCorrections();

    uint8_t channel_ = 0;
    CBttn range_, bias_, corrections_;
    CCorrectionDlg* correction_ = nullptr;
    CLabel rangeCaption_, biasCaption_;
    CChannelValues values_;
    CTouchTabCtrl tabs_;
    COneChannelSetupDlg setup_;
    COneChannelDataDlg data_;
    CFileDlg file_;
    CTrendPage trend_;
};
