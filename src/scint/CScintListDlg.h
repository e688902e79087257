#pragma once
// The baseline chosen before scintillator measurement: the library's baselines with the
// set-up information of the one selected, OK (once a row is chosen) and Cancel.
#include <array>
#include <optional>
#include <vector>

#include "controls/CBttn.h"
#include "controls/CLabel.h"
#include "controls/CModalDialog.h"
#include "controls/CTouchListCtrl.h"
#include "store/ScintRecords.h"

class CKelvarinDoc;

class CScintListDlg : public CModalDialog {
  public:
    static constexpr int kIdTitle = 1077;
    static constexpr int kIdList = 1386;
    static constexpr int kIdScrollUp = 1390;
    static constexpr int kIdScrollDown = 1387;
    static constexpr int kIdOk = 1056;
    static constexpr int kIdCancel = 1140;
    // Date, time, type, value, gain, CLR.
    static constexpr std::array<int, 6> kIdInfo = {1432, 1435, 1426, 1436, 1429, 1415};
    static constexpr int kVisibleRows = 5;

    explicit CScintListDlg(const CKelvarinDoc& doc);

    // After OK: the chosen baseline as read again from the store; nothing when no row was
    // chosen or the record no longer reads (the caller then acts as on Cancel).
    const std::optional<SCINT_BASELINE>& Chosen() const { return chosen_; }

  protected:
    void OnInitDialog() override;
    bool OnDialogCommand(int commandId, fw::Window* from) override;

  private:
    void CreateControls();
    void OnSelectionChanged(int row);
    void ShowInfo(const SCINT_BASELINE& b);
    void UpdateScrollButtons();
    void OnOk();

    const CKelvarinDoc& doc_;
    std::vector<SCINT_BASELINE> baselines_;
    std::optional<SCINT_BASELINE> chosen_;
    CLabel title_, infoHead_;
    std::array<CLabel, 3> heads_;
    CTouchListCtrl list_;
    std::array<CLabel, 6> infoCaptions_;
    std::array<CLabel, 6> info_;
    CBttn scrollUp_, scrollDown_, ok_, cancel_;
};
