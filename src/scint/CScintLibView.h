#pragma once
// The scintillator baseline library: every saved baseline in store order, and for the one
// selected its factors, when it was saved and the points of each set with their statistics.
// New starts a baseline set-up and Delete removes a baseline with its points, both behind the
// instrument password.
#include <array>
#include <string>
#include <vector>

#include "controls/CBttn.h"
#include "controls/CLabel.h"
#include "controls/CTouchListCtrl.h"
#include "library/LibraryPasswordGate.h"
#include "scint/BaselineCalculation.h"
#include "screens/CKelvarinFormView.h"
#include "store/ScintRecords.h"

class CScintLibView : public CKelvarinFormView {
  public:
    static constexpr int kIdTitle = 1384;
    static constexpr int kIdList = 1386;
    static constexpr int kIdScrollUp = 1390;
    static constexpr int kIdScrollDown = 1387;
    static constexpr int kIdFirstSet = 1403;  // .. 1405, by set index
    static constexpr int kIdPoints = 1397;
    static constexpr int kIdPointsUp = 1392;
    static constexpr int kIdPointsDown = 1395;
    // Blue average, green average, blue and green standard deviation.
    static constexpr std::array<int, 4> kIdStatistics = {1417, 1419, 1418, 1420};
    // Gain, CLR, type, date, time.
    static constexpr std::array<int, 5> kIdFactors = {1429, 1415, 1426, 1432, 1435};
    static constexpr int kIdNew = 1116;
    static constexpr int kIdDelete = 1095;
    static constexpr int kSecondTimer = 1;
    static constexpr int kVisibleRows = 5;

    CScintLibView();
    ~CScintLibView() override;

    void OnInitialUpdate() override;
    void OnTimer(int id) override;
    void OnPaint(fw::Dc& dc) override;
    bool IsOpaque() const override { return true; }
    bool OnCommand(int commandId, fw::Window* from) override;

    int DisplayedSet() const { return shownSet_; }
    int SelectedRow() const { return selectedRow_; }

  private:
    void CreateControls();
    void CreateBaselineList();
    void CreatePointList();
    void CreateDetails();

    void RefillBaselines();
    void OnBaselineSelected(int row);
    void ChooseSet(int set);
    void MarkShownSet();
    void FillPoints();
    void ClearDetails();
    void UpdateScrollButtons();
    void OnNew();
    void OnDelete();
    bool StillShown() const;

    LibraryPasswordGate gate_{true};
    std::vector<SCINT_BASELINE> baselines_;  // list row n = element n = store position n
    int selectedRow_ = -1;
    int shownDoseType_ = -1;  // −1 while nothing is shown
    int shownSet_ = scint::kSet40x40Min;

    CLabel title_;
    std::array<CLabel, 3> heads_;
    CTouchListCtrl list_;
    CBttn scrollUp_, scrollDown_;
    std::array<CBttn, scint::kSetCount> setChoices_;
    std::array<CLabel, 2> pointHeads_;
    CTouchListCtrl points_;
    CBttn pointsUp_, pointsDown_;
    std::array<CLabel, 4> statisticsCaptions_;
    std::array<CLabel, 4> statistics_;
    CLabel factorsHead_;
    std::array<CLabel, 5> factorCaptions_;
    std::array<CLabel, 5> factors_;
    CBttn new_, delete_;
};
