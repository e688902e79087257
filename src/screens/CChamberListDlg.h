#pragma once
// The chamber picker of a channel's set-up page: the chamber library in store order, one row
// per calibration, with OK and Cancel. A chamber that the other channel uses cannot be picked.
#include <array>
#include <vector>

#include "controls/CBttn.h"
#include "controls/CLabel.h"
#include "controls/CModalDialog.h"
#include "controls/CTouchListCtrl.h"

class CKelvarinDoc;
struct CHAMBER_CAL;

class CChamberListDlg : public CModalDialog {
  public:
    static constexpr int kIdTitle = 1077;
    static constexpr int kIdList = 1222;
    static constexpr int kIdScrollUp = 1051;
    static constexpr int kIdScrollDown = 1072;
    static constexpr int kIdOk = 1056;
    static constexpr int kIdCancel = 1140;

    CChamberListDlg(CKelvarinDoc& doc, int channel);

    // The chosen position in the chamber store after OK; −1 for none.
    int SelectedRecord() const { return selected_; }
    int RowCount() const { return list_.GetItemCount(); }

  protected:
    void OnInitDialog() override;
    bool OnDialogCommand(int commandId, fw::Window* from) override;

  private:
    void CreateControls();
    void FillList();
    void OnSelectionChanged(int row);
    void UpdateScrollButtons();
    void CreateDetails();
    void ShowDetails(const CHAMBER_CAL& cal);
    void ClearDetails();

    CKelvarinDoc& doc_;
    int channel_;
    int selected_ = -1;
    CLabel title_;
    CLabel modelHead_, serialHead_, beamHead_;
    CTouchListCtrl list_;
    // Report, date, due date, coefficient, polarity, Aion: captions and values.
    std::array<CLabel, 6> detailCaptions_;
    std::array<CLabel, 6> details_;
    CLabel detailsHead_, dueMarker_;
    CBttn scrollUp_, scrollDown_, ok_, cancel_;
};
