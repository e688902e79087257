#pragma once
// The baseline as it will be saved: its factors and type, the date and time it is stamped
// with when the summary opens, and the serial number and description the operator enters.
#include <array>
#include <functional>

#include "controls/CBttn.h"
#include "controls/CLabel.h"
#include "controls/CModalDialog.h"
#include "store/ScintRecords.h"

class CKelvarinDoc;

class CScintSaveBaselineDlg : public CModalDialog {
  public:
    using ModalRunner = std::function<int(CModalDialog&)>;
    static constexpr int kIdTitle = 1093;
    static constexpr int kRowCount = 7;
    // Values top to bottom: gain, CLR, dose type, date, time, serial number, description.
    static constexpr int kIdFirstValue = 1470;
    static constexpr int kIdSerial = kIdFirstValue + 5;
    static constexpr int kIdDescription = kIdFirstValue + 6;
    static constexpr int kIdOk = 1056;
    static constexpr int kIdCancel = 1140;
    static constexpr fw::Rect kDialogRect{110, 50, 530, 430};

    CScintSaveBaselineDlg(const CKelvarinDoc& doc, ModalRunner run, SCINT_BASELINE baseline)
        : doc_(doc), run_(std::move(run)), baseline_(std::move(baseline)) {}

    // The baseline stamped and completed; what the caller saves after OK.
    const SCINT_BASELINE& Baseline() const { return baseline_; }

  protected:
    void OnInitDialog() override;
    bool OnDialogCommand(int commandId, fw::Window* from) override;

  private:
    void CreateControls();
    void ShowValues();
    void EnterText(const char* title, std::string& target);

    const CKelvarinDoc& doc_;
    ModalRunner run_;
    SCINT_BASELINE baseline_;
    CLabel title_;
    std::array<CLabel, kRowCount> captions_;
    std::array<CLabel, 5> values_;
    CBttn serial_, description_, ok_, cancel_;
};
