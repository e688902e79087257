#pragma once
// Setting the instrument's date and time in two steps: the date page (day, month, year),
// then the time page (hour, minute, second). "Finish" sets the instrument clock; the caller
// then sends the new time to the main board. Only a real calendar time is ever set.
#include "controls/CBttn.h"
#include "controls/CLabel.h"
#include "controls/CModalDialog.h"
#include "fw/Clock.h"
#include "screens/DateColumns.h"

class CSetDateTimeDlg : public CModalDialog {
  public:
    static constexpr int kIdBack = 1128;
    static constexpr int kIdNext = 1059;
    static constexpr int kIdCancel = 1140;
    static constexpr int kIdTitle = 1261;
    static constexpr int kLowestYear = 2000;
    enum Page { kDatePage = 0, kTimePage = 1 };

    int CurrentPage() const { return page_; }
    const fw::LocalTime& Value() const { return value_; }

    // Where the controls are on the panel, for the operator's fingers in tests.
    static fw::Rect ColumnsArea();
    static fw::Rect BackRect();
    static fw::Rect NextRect();
    static fw::Rect CancelRect();

  protected:
    void OnInitDialog() override;
    bool OnDialogCommand(int commandId, fw::Window* from) override;

  private:
    void ShowPage(Page page);
    void ShowValues();
    void Step(int column, int direction);
    void OnNext();

    Page page_ = kDatePage;
    fw::LocalTime value_{};
    CLabel title_;
    datecols::UpDownColumns columns_;
    CBttn back_, next_, cancel_;
};
