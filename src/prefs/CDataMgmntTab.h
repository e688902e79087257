#pragma once
// The "Data Management" preferences page: clearing the chamber, check-source and
// scintillator libraries (behind the password and an "Are you sure?"), and the data-file
// format.
#include <array>
#include <string_view>
#include <vector>

#include "controls/CBttn.h"
#include "controls/CLabel.h"
#include "controls/CPasswordGate.h"
#include "fw/Window.h"

class PrefsPageHost;

class CDataMgmntTab : public fw::Window {
  public:
    static constexpr int kIdClearChambers = 1099;
    static constexpr int kIdClearSources = 1101;
    static constexpr int kIdClearScint = 1102;
    static constexpr int kIdFormatCaption = 1470;
    static constexpr int kIdFormatCsv = 1465;
    static constexpr int kIdFormatTxt = 1468;
    static constexpr int kIdStatistics = 1488;
    static constexpr const char* kConfirmText = "Are you sure?\r\nThis data cannot be recovered!";
    static constexpr const char* kFailedText =
        "The library could not be deleted.\r\nIts data is still on the flash disk.";

    void CreatePage(PrefsPageHost& host);

    bool OnCommand(int commandId, fw::Window* from) override;
    void OnPaint(fw::Dc& dc) override;

  private:
    // Gate, question, deletion of `volumes` in order; true when they are gone.
    bool ClearLibrary(const std::vector<std::string_view>& volumes);
    void ClearChamberLibrary();
    void ChooseFormat(int delimiter);
    void ToggleStatistics();
    void ShowValues();

    PrefsPageHost* host_ = nullptr;
    CPasswordGate gate_;
    CBttn clearChambers_, clearSources_, clearScint_;
    CLabel formatCaption_;
    std::array<CBttn, 2> formats_;
    CBttn statistics_;
};
