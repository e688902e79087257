#pragma once
// Both channels side by side — channel 1 on the left, channel 2 on the right — running the
// same collections as the one-channel screen on both at once, with an optional middle column
// of the ratios channel 1 / channel 2. The lower half holds each channel's set-up and data
// pages, the ratio data page and the file page.
#include <cstdint>
#include <vector>

#include "controls/CBttn.h"
#include "controls/CLabel.h"
#include "controls/CTouchTabCtrl.h"
#include "document/RemoteScreen.h"
#include "screens/CFileDlg.h"
#include "screens/CMeasuringView.h"
#include "screens/COneChannelDataDlg.h"
#include "screens/COneChannelSetupDlg.h"
#include "screens/CRatioDataDlg.h"
#include "screens/CTrendPage.h"
#include "screens/ChannelValues.h"
#include "screens/RatioColumn.h"

class CTwoChannelView : public CMeasuringView {
  public:
    static constexpr int kIdRange1 = 1071;
    static constexpr int kIdRangeCaption1 = 1079;
    static constexpr int kIdBias1 = 1073;
    static constexpr int kIdBiasCaption1 = 1074;
    static constexpr int kIdRange2 = 1007;
    static constexpr int kIdRangeCaption2 = 1080;
    static constexpr int kIdBias2 = 1018;
    static constexpr int kIdBiasCaption2 = 1049;
    static constexpr int kIdRatio = 1014;
    static constexpr int kIdTabs = 1068;
    static constexpr int kIdRateValue1 = 1032;
    static constexpr int kIdChargeValue1 = 1075;
    static constexpr int kIdDoseValue1 = 1048;
    static constexpr int kIdRateValue2 = 1050;
    static constexpr int kIdChargeValue2 = 1076;
    static constexpr int kIdDoseValue2 = 1057;
    static constexpr int kIdAdc1 = 1066;
    static constexpr int kIdAdc2 = 1070;
    enum Page { kSetup1, kData1, kSetup2, kData2, kDataRatio, kFile, kTrend };

    CTwoChannelView();

    void OnInitialUpdate() override;
    void OnUpdate(int hint) override;
    bool OnCommand(int commandId, fw::Window* from) override;
    void OnPaint(fw::Dc& dc) override;
    bool IsOpaque() const override { return true; }  // its paint covers the whole panel

    RemoteScreenKind ScreenKind() const override { return RemoteScreenKind::TwoChannel; }
    bool SwitchChannelView(int target) override;
    // The column of the data page in view; nothing while a set-up or the file page is.
    std::optional<SeriesSelection> ShownSeries() const override;

    int RatioMode() const { return ratioMode_; }
    uint8_t SelChannel() const { return selChannel_; }
    const CRatioColumn& RatioColumn() const { return ratios_; }
    const CChannelValues& Values(uint8_t channel) const { return values_[channel & 1]; }
    COneChannelSetupDlg& SetupPage(uint8_t channel) { return setup_[channel & 1]; }
    COneChannelDataDlg& DataPage(uint8_t channel) { return data_[channel & 1]; }
    CRatioDataDlg& RatioPage() { return ratioData_; }
    CFileDlg& FilePage() { return file_; }
    CTrendPage& TrendPage() { return trend_; }
    CTouchTabCtrl& Tabs() { return tabs_; }

  protected:
    void OnPageCommand(int commandId) override;
    void RefreshRates() override;
    void RefreshCharges() override;
    void RefreshRangeCaptions() override;
    void ShowChamberChange() override;
    void ShowNewRow(const MEAS_INFO& row) override;
    std::vector<fw::Window*> LockedControls() override;
    uint8_t MenuChannel() const override { return selChannel_; }
    bool TriggerOffered() const override { return true; }
    uint8_t ZeroTarget() const override { return 2; }  // both channels

  private:
    void CreateControls();
    void CreateChannelButtons();
    void CreatePages();
    // Both channel columns at the width the ratio column leaves, then the ratio column.
    void LayoutValueArea();
    void ToggleRatioMode();
    void RefreshBiases();
    void RefreshPages();
    // The rows again on every data page but `except`, each keeping its quantity.
    void RefillDataPages(const COneChannelDataDlg* except);
    void RefreshFileNames();

    uint8_t selChannel_ = 0;
    int ratioMode_ = 0;
    CBttn ratio_;
    std::array<CBttn, 2> range_, bias_;
    std::array<CLabel, 2> rangeCaption_, biasCaption_;
    std::array<CChannelValues, 2> values_;
    CRatioColumn ratios_;
    CTouchTabCtrl tabs_;
    std::array<COneChannelSetupDlg, 2> setup_;
    std::array<COneChannelDataDlg, 2> data_;
    CRatioDataDlg ratioData_;
    CFileDlg file_;
    CTrendPage trend_;
};
