#pragma once
// Asked after a new chamber calibration was stored: back to the library, another calibration
// of the same chamber, or another chamber. Ends with the string number of the chosen text.
#include "controls/CBttn.h"
#include "controls/CLabel.h"
#include "controls/CModalDialog.h"

class CCWizLastDlg : public CModalDialog {
  public:
    static constexpr int kIdTitle = 1249;
    static constexpr int kIdReturn = 1246;
    static constexpr int kIdAnotherCalibration = 1247;
    static constexpr int kIdAnotherChamber = 1116;
    // The results.
    static constexpr int kReturnToLibrary = 282;
    static constexpr int kAnotherCalibration = 284;
    static constexpr int kAnotherChamber = 286;
    // 300 x 247 dialog units, centred on the panel.
    static constexpr fw::Rect kRect{57, 23, 583, 456};

    CCWizLastDlg();

  protected:
    void OnInitDialog() override;
    bool OnDialogCommand(int commandId, fw::Window* from) override;

  private:
    CLabel title_;
    CBttn return_, anotherCalibration_, anotherChamber_;
};
