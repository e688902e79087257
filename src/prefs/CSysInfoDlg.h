#pragma once
// "System Information": the launcher's and this program's versions, the main board's two
// firmware versions and the panel image's board-support version, with one "OK".
#include <array>
#include <string>

#include "controls/CBttn.h"
#include "controls/CLabel.h"
#include "controls/CModalDialog.h"

class CKelvarinDoc;

class CSysInfoDlg : public CModalDialog {
  public:
    static constexpr int kRowCount = 6;
    static constexpr int kIdTitle = 1300;
    static constexpr int kIdFirstCaption = 1301;  // one id per row, top to bottom
    static constexpr int kIdFirstValue = 1311;
    static constexpr int kIdOk = 1;
    // 208 x 167 dialog units, centred on the panel.
    static constexpr fw::Rect kRect{137, 93, 502, 386};

    explicit CSysInfoDlg(const CKelvarinDoc& doc);

    // The values in row order: launcher, software, firmware boot, firmware, OS version, build.
    const std::array<std::string, kRowCount>& Values() const { return values_; }

  protected:
    void OnInitDialog() override;
    bool OnDialogCommand(int commandId, fw::Window* from) override;

  private:
    void CreateRow(int row);

    std::array<std::string, kRowCount> values_;
    CLabel title_;
    std::array<CLabel, kRowCount> captions_;
    std::array<CLabel, kRowCount> valueLabels_;
    CBttn ok_;
};
