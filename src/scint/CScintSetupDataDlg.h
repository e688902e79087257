#pragma once
// The "Setup\Data" page of the scintillator screen: the data file's name, the baseline in use
// (touched, it opens the baseline selection), its dose type, and the scintillator rows with a
// flag each, showing either the corrected rate or the corrected charge.
#include <array>
#include <functional>
#include <string>

#include "controls/CBttn.h"
#include "controls/CLabel.h"
#include "controls/CTouchListCtrl.h"
#include "fw/Window.h"

class CKelvarinDoc;
class CModalDialog;
struct SCINT_MEAS_INFO;

class CScintSetupDataDlg : public fw::Window {
  public:
    using ModalRunner = std::function<int(CModalDialog&)>;
    static constexpr int kIdFileName = 1450;
    static constexpr int kIdBaseline = 1427;
    static constexpr int kIdDoseType = 1438;
    static constexpr int kIdRateChoice = 1455;
    static constexpr int kIdChargeChoice = 1456;
    static constexpr int kIdList = 1397;
    static constexpr int kIdScrollUp = 1051;
    static constexpr int kIdScrollDown = 1072;
    static constexpr int kVisibleRows = 4;
    static constexpr int kWidth = 584;
    static constexpr int kHeight = 166;

    void CreatePage(CKelvarinDoc& doc, ModalRunner run);
    // Shows the document's baseline and file name and rebuilds the rows.
    void RefreshPage();
    void AddRow(const SCINT_MEAS_INFO& row);
    void ShowFileName();
    bool ShowsRates() const { return showRates_; }
    const CTouchListCtrl& List() const { return list_; }

    bool OnCommand(int commandId, fw::Window* from) override;
    void OnPaint(fw::Dc& dc) override;

  private:
    void CreateControls();
    void FillList();
    std::string RowText(const SCINT_MEAS_INFO& row) const;
    void OnFlagChanged(int row);
    void ChooseBaseline();
    void UpdateScrollButtons();

    CKelvarinDoc* doc_ = nullptr;
    ModalRunner run_;
    bool showRates_ = true;
    CLabel fileCaption_, fileName_, typeCaption_, type_;
    CBttn baseline_, rateChoice_, chargeChoice_;
    std::array<CLabel, 3> heads_;
    CTouchListCtrl list_;
    CBttn scrollUp_, scrollDown_;
};
