#pragma once
// The scintillator measuring screen: the blue (channel 1) and green (channel 2) currents and
// the value corrected with the baseline in use — relative rate and charge, or dose rate and
// dose in the baseline's unit — with collections as on the other measuring screens and a list
// of scintillator rows on its "Setup\Data" and "File" pages.
#include <array>
#include <string>
#include <vector>

#include "controls/CBttn.h"
#include "controls/CLabel.h"
#include "controls/CTouchTabCtrl.h"
#include "document/RemoteScreen.h"
#include "scint/CScintProbeView.h"
#include "scint/CScintSetupDataDlg.h"
#include "screens/CFileDlg.h"

class CScintMeasView : public CScintProbeView {
  public:
    static constexpr int kIdTabs = 1437;
    static constexpr int kIdBlueRate = 1445;
    static constexpr int kIdGreenRate = 1447;
    static constexpr int kIdCorrectedRateCaption = 1441;
    static constexpr int kIdCorrectedRate = 1439;
    static constexpr int kIdCorrectedRateUnit = 1443;
    static constexpr int kIdCorrectedChargeCaption = 1442;
    static constexpr int kIdCorrectedCharge = 1440;
    static constexpr int kIdCorrectedChargeUnit = 1444;

    CScintMeasView();

    void OnInitialUpdate() override;
    void OnUpdate(int hint) override;
    void OnPaint(fw::Dc& dc) override;
    bool IsOpaque() const override { return true; }

    RemoteScreenKind ScreenKind() const override { return RemoteScreenKind::Scintillator; }
    CScintSetupDataDlg& DataPage() { return data_; }
    CFileDlg& FilePage() { return file_; }

  protected:
    void OnPageCommand(int commandId) override;
    bool StandbySavesScintillatorList() const override { return true; }
    void RefreshRates() override;
    void RefreshCharges() override;
    std::vector<fw::Window*> LockedControls() override;
    // Every ended collection adds a row, over range or not: its texts say so.
    void OnCollectionResult() override { AddScintRow(false); }
    void OnAddMeasurement() override;

  private:
    void CreateControls();
    void CreateValues();
    void CreatePages();
    void ShowCaptions();
    void AddScintRow(bool isRate);

    struct ValueLine {
        CLabel caption, value, unit;
    };
    CLabel blueHead_, greenHead_;
    std::array<ValueLine, 2> channels_;   // blue rate, green rate
    std::array<ValueLine, 2> corrected_;  // corrected rate, corrected charge
    CTouchTabCtrl tabs_;
    CScintSetupDataDlg data_;
    CFileDlg file_;
};
