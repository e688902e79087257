#pragma once
// The chamber library page: every chamber calibration in store order with its due marker,
// the details of the selected one, and New, Edit, Add Calibration and Delete behind the
// instrument password. The channels' chamber selections are found again by content when
// the page opens and after every change to the library.
#include <array>
#include <optional>
#include <string>

#include "controls/CBttn.h"
#include "controls/CLabel.h"
#include "controls/CRepeatBttn.h"
#include "controls/CTouchListCtrl.h"
#include "library/LibraryPasswordGate.h"
#include "screens/CKelvarinFormView.h"
#include "store/ChamberCal.h"

class CChamberLibView : public CKelvarinFormView {
  public:
    static constexpr int kIdTitle = 1077;
    static constexpr int kIdInfo = 1055;
    static constexpr int kIdList = 1222;
    static constexpr int kIdScrollUp = 1051;
    static constexpr int kIdScrollDown = 1072;
    static constexpr int kIdDueMarker = 1350;
    static constexpr int kIdNew = 1116;
    static constexpr int kIdEdit = 1094;
    static constexpr int kIdAddCalibration = 1089;
    static constexpr int kIdDelete = 1095;
    // Detail values: report, date, due date, coefficient, polarity, Aion.
    static constexpr std::array<int, 6> kDetailValueIds{1190, 1192, 1194, 1178, 1185, 1187};
    static constexpr int kSecondTimer = 1;
    static constexpr int kVisibleRows = 5;
    static constexpr int kDueIcon = 260;
    static constexpr int kDueMarkerBitmap = 261;

    static constexpr const char* kDeleteQuestion =
        "Are you sure?\r\nThis data cannot be recovered!";
    static constexpr const char* kUnreadableText =
        "The chamber calibration could not be read from the library.";

    CChamberLibView();
    ~CChamberLibView() override;

    void OnInitialUpdate() override;
    void OnTimer(int id) override;
    void OnPaint(fw::Dc& dc) override;
    bool OnCommand(int commandId, fw::Window* from) override;

    int SelectedRow() const { return list_.GetSelectedRow(); }
    bool PasswordOK() const { return gate_.Passed(); }

  private:
    void CreateControls();
    void CreateHeads();
    void CreateDetails();
    void CreateRecordButtons();

    // ---- list and details ------------------------------------------------------------------
    // Rows from the store; no row selected, no details.
    void RefillList();
    void OnSelectionChanged(int row);
    void SelectRow(int row);
    void ShowDetails(const CHAMBER_CAL& cal);
    void ClearDetails();
    void EnableRecordButtons(bool enabled);
    void UpdateScrollButtons();
    void Scroll(int lines);

    // ---- actions ---------------------------------------------------------------------------
    void OnNewChamber();
    void OnAddCalibration();
    void OnEdit();
    void OnDelete();
    void OnInfo();
    bool CheckPassword();
    // The selected row when there is one and the password was given; −1 otherwise.
    int SelectedRowForAction();
    // Refused with a message when a channel uses the record at `row`.
    bool RefuseInUse(int row);
    // The record at `row`; nothing (told, details cleared) when it cannot be read.
    std::optional<CHAMBER_CAL> ReadForAction(int row);
    // Runs the wizard on `record` from `startPage`; its result (OK after Finish).
    int RunWizard(CHAMBER_CAL& record, int startPage);
    // Adds `record`, asking to try again after a failure; true once it is stored.
    bool AddRecord(const CHAMBER_CAL& record);
    // After every change to the store: channels re-resolved, list refilled.
    void AfterStoreChange();
    // Whether this page is still the one on the panel after a dialog returned (a standby
    // request or a board event may have replaced it).
    bool StillShown() const;
    void Tell(const std::string& text);

    LibraryPasswordGate gate_{true};
    CLabel title_;
    CBttn info_;
    CLabel modelHead_, serialHead_, beamHead_;
    CTouchListCtrl list_;
    CRepeatBttn scrollUp_, scrollDown_;
    CLabel detailsHead_, dueMarker_;
    std::array<CLabel, 6> detailCaptions_;
    std::array<CLabel, 6> details_;
    CBttn new_, edit_, addCalibration_, delete_;
};
