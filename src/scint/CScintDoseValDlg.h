#pragma once
// The dose type and value of a baseline: "Relative", or "Dose" with the calibration dose and
// its unit. A dose baseline needs a unit and a dose that is a finite number above 0.
#include <functional>

#include "controls/CBttn.h"
#include "controls/CLabel.h"
#include "controls/CModalDialog.h"

class CScintDoseValDlg : public CModalDialog {
  public:
    using ModalRunner = std::function<int(CModalDialog&)>;
    static constexpr int kIdTitle = 1093;
    static constexpr int kIdRelative = 1457;
    static constexpr int kIdDose = 1458;
    static constexpr int kIdValue = 1459;
    static constexpr int kIdUnits = 1460;
    static constexpr int kIdOk = 1056;
    static constexpr int kIdCancel = 1140;
    static constexpr fw::Rect kDialogRect{150, 110, 490, 360};
    // At most this many characters on the keypad: any real dose, never a 400-digit one.
    static constexpr int kMaxDoseLength = 9;

    // `run` runs the keypads and boxes registered with the page.
    explicit CScintDoseValDlg(ModalRunner run) : run_(std::move(run)) {}

    void SetValues(int doseType, double doseValue, int doseUnit);
    int DoseType() const { return doseType_; }
    double DoseValue() const { return doseValue_; }
    int DoseUnit() const { return doseUnit_; }

  protected:
    void OnInitDialog() override;
    bool OnDialogCommand(int commandId, fw::Window* from) override;

  private:
    void CreateControls();
    void ShowValues();
    void EnterDose();
    void OnOk();

    ModalRunner run_;
    int doseType_ = 0;
    double doseValue_ = 1.0;
    int doseUnit_ = -1;
    CLabel title_, valueCaption_, unitsCaption_;
    CBttn relative_, dose_, value_, units_, ok_, cancel_;
};
