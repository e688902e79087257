#pragma once
// The check-source page: the operator's radioactive check sources in store order, the
// selected source's reference activity, its activity today and on a chosen calculation
// date, and New, Edit and Delete behind the instrument password.
#include <optional>
#include <vector>

#include "controls/CBttn.h"
#include "controls/CLabel.h"
#include "controls/CRepeatBttn.h"
#include "controls/CTouchListCtrl.h"
#include "fw/Clock.h"
#include "library/LibraryPasswordGate.h"
#include "screens/CKelvarinFormView.h"
#include "store/SourceInfo.h"

class CCheckSrcView : public CKelvarinFormView {
  public:
    static constexpr int kIdTitle = 1081;
    static constexpr int kIdNameHead = 1082;
    static constexpr int kIdSerialHead = 1083;
    static constexpr int kIdList = 1202;
    static constexpr int kIdScrollUp = 1051;
    static constexpr int kIdScrollDown = 1072;
    static constexpr int kIdSourceLine = 1203;
    static constexpr int kIdReferenceLine = 1210;
    static constexpr int kIdCurrentCaption = 1207;
    static constexpr int kIdCurrentValue = 1205;
    static constexpr int kIdProjectedValue = 1212;
    static constexpr int kIdProjectedCaption = 1216;
    static constexpr int kIdCalculationDate = 1213;
    static constexpr int kIdDateButton = 1117;
    static constexpr int kIdNew = 1116;
    static constexpr int kIdEdit = 1094;
    static constexpr int kIdDelete = 1095;
    static constexpr int kSecondTimer = 1;
    // More rows than this need the scroll buttons.
    static constexpr int kVisibleRows = 10;

    CCheckSrcView();
    ~CCheckSrcView() override;

    void OnInitialUpdate() override;
    bool OnCommand(int commandId, fw::Window* from) override;
    void OnTimer(int id) override;
    void OnPaint(fw::Dc& dc) override;

    // The store position of list row `row`, or -1.
    int PositionOfRow(int row) const;
    int SelectedPosition() const { return selectedPosition_; }
    const fw::LocalTime& CalculationDate() const { return calculationDate_; }
    CTouchListCtrl& List() { return list_; }

  private:
    void CreateControls();
    void CreateDetails();
    void CreateButtons();
    void FillList();
    void UpdateScrollButtons();
    void OnSelectionChanged(int row);
    void SelectNothing();
    void ShowDetails();
    void ClearDetails();
    void ShowCurrentActivity();
    void RefreshWhenTheDayChanged();

    void OnNew();
    void OnEdit();
    void OnDelete();
    void OnDateButton();
    // The selected record as the store holds it now; nothing when it no longer reads.
    std::optional<SOURCE_INFO> ReadSelected();
    // After a change of the store: no selection, the list from the store, no details.
    void AfterStoreChange();

    std::vector<int> rowPositions_;  // store position of each list row
    int selectedPosition_ = -1;
    std::optional<SOURCE_INFO> selected_;
    fw::LocalTime calculationDate_;
    fw::LocalTime currentShownFor_{};  // the day the current activity was computed for
    LibraryPasswordGate gate_{true};

    CLabel title_, nameHead_, serialHead_;
    CTouchListCtrl list_;
    CRepeatBttn scrollUp_, scrollDown_;
    CLabel sourceLine_, referenceLine_;
    CLabel currentCaption_, currentValue_, projectedCaption_, projectedValue_;
    CLabel calculationDateLabel_;
    CBttn dateButton_, newButton_, editButton_, deleteButton_;
};
