#pragma once
// "Baseline Setup": the blue (channel 1) and green (channel 2) charges of a scintillator probe
// collected in three irradiation set-ups, their statistics, the CLR and gain calculated from
// them, and the baseline saved with all its points. Collections run as on the measuring
// screens; each finished one adds a point to the active set instead of a row.
#include <array>
#include <string>
#include <vector>

#include "controls/CBttn.h"
#include "controls/CLabel.h"
#include "controls/CTouchListCtrl.h"
#include "scint/BaselineCalculation.h"
#include "scint/CScintProbeView.h"
#include "store/ScintRecords.h"

class CScintSetup : public CScintProbeView {
  public:
    static constexpr int kIdTitle = 1261;
    static constexpr int kIdActiveCaption = 1036;
    static constexpr int kIdActiveSet = 1037;
    static constexpr int kIdFirstSet = 1403;  // .. 1405, by set index
    static constexpr int kIdSetDose = 1012;
    static constexpr int kIdBlueRate = 1032;
    static constexpr int kIdBlueCharge = 1075;
    static constexpr int kIdGreenRate = 1050;
    static constexpr int kIdGreenCharge = 1076;
    static constexpr int kIdList = 1397;
    static constexpr int kIdScrollUp = 1051;
    static constexpr int kIdScrollDown = 1072;
    // Blue average, green average, blue and green standard deviation.
    static constexpr std::array<int, 4> kIdStatistics = {1417, 1419, 1418, 1420};
    static constexpr int kIdGain = 1429;
    static constexpr int kIdClr = 1415;
    static constexpr int kIdType = 1424;
    static constexpr int kIdCalculate = 1008;
    static constexpr int kIdSave = 1017;
    static constexpr int kIdCancel = 1140;
    static constexpr int kVisibleRows = 5;

    CScintSetup();

    void OnInitialUpdate() override;
    void OnUpdate(int hint) override;
    bool OnCommand(int commandId, fw::Window* from) override;
    void OnPaint(fw::Dc& dc) override;
    bool IsOpaque() const override { return true; }

    int ActiveSet() const { return activeSet_; }
    const scint::PointSets& Sets() const { return sets_; }
    const SCINT_BASELINE& Baseline() const { return baseline_; }
    bool HasCalculation() const { return calculated_; }

  protected:
    void RefreshRates() override;
    void RefreshCharges() override;
    std::vector<fw::Window*> LockedControls() override;
    void OnCollectionResult() override;
    bool HoldsResult() const override { return false; }
    void OnControlsEnabled(bool enabled) override;

  private:
    void CreateControls();
    void CreateChannelValues();
    void CreatePointList();
    void CreateResults();

    void ChooseSet(int set);
    void FillList();
    void ShowStatistics();
    void AddPoint();
    void OnRowTouched(int row);
    void OnSetDose();
    void OnCalculate();
    void OnSave();
    void ReturnToLibrary();
    // The factors no longer match the points or the dose: "----" and no Save.
    void ClearCalculation();
    // Which controls the points, the dose type and the calculation allow.
    void ApplyEnablingRules();
    bool CalculationPossible() const;

    int activeSet_ = scint::kSet40x40Min;
    scint::PointSets sets_;
    SCINT_BASELINE baseline_;
    bool calculated_ = false;

    CLabel title_, activeCaption_, activeSetName_;
    std::array<CBttn, scint::kSetCount> setChoices_;
    CBttn setDose_;
    CLabel blueHead_, greenHead_;
    std::array<CLabel, 4> valueCaptions_;  // blue rate, blue charge, green rate, green charge
    std::array<CLabel, 4> values_;
    std::array<CLabel, 3> listHeads_;
    CTouchListCtrl list_;
    CBttn scrollUp_, scrollDown_;
    std::array<CLabel, 4> statisticsCaptions_;  // "Blue", "Green", "Average:", "Std Dev:"
    std::array<CLabel, 4> statistics_;
    std::array<CLabel, 3> factorCaptions_;  // "Gain:", "CLR:", "Type:"
    std::array<CLabel, 3> factors_;
    CBttn calculate_, save_, cancel_;
};
