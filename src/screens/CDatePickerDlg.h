#pragma once
// Picking a date (day, month, year): calibration dates, reference dates and other date
// entries. The caller presets the date (today when it has no valid one) and reads it after
// OK; a step that would give no real date leaves the previous one.
#include <string>

#include "controls/CBttn.h"
#include "controls/CLabel.h"
#include "controls/CModalDialog.h"
#include "fw/Clock.h"
#include "screens/DateColumns.h"

class CDatePickerDlg : public CModalDialog {
  public:
    static constexpr int kIdOk = 1056;
    static constexpr int kIdCancel = 1140;
    static constexpr int kIdTitle = 1093;
    static constexpr int kLowestYear = 1601;  // the instrument clock's calendar starts here

    // An invalid preset is replaced by today's date.
    CDatePickerDlg(std::string title, int year, int month, int day);

    int Year() const { return value_.year; }
    int Month() const { return value_.month; }
    int Day() const { return value_.day; }

    static fw::Rect ColumnsArea();
    static fw::Rect OkRect();
    static fw::Rect CancelRect();

  protected:
    void OnInitDialog() override;
    bool OnDialogCommand(int commandId, fw::Window* from) override;

  private:
    void ShowValues();
    void Step(int column, int direction);

    std::string titleText_;
    fw::LocalTime value_{};
    CLabel title_;
    datecols::UpDownColumns columns_;
    CBttn ok_, cancel_;
};
