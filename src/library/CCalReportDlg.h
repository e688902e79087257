#pragma once
// Wizard page 1: the calibration report's name or number, its date and the calibration due
// date. Picking the report date sets the due date two years on. Dates go into the record
// as they are picked, the report text when the page is left.
#include "library/CChamberWizPage.h"

struct DATE_YMD;

class CCalReportDlg : public CChamberWizPage {
  public:
    static constexpr int kIdChamberLine = 1249;
    static constexpr int kIdTitle = 1250;
    static constexpr int kIdReport = 1211;
    static constexpr int kIdReportDate = 1212;
    static constexpr int kIdDueDate = 1213;

    using CChamberWizPage::CChamberWizPage;

  protected:
    void CreateFields() override;
    void LoadFields() override;
    bool CanGoNext() const override;
    void StoreOnLeave() override;
    bool OnField(int id) override;

  private:
    void EnterReport();
    void EnterReportDate();
    void EnterDueDate();
    // The date picker titled `title` at `preset` (today when that is no real date).
    bool PickDate(const char* title, DATE_YMD& date);
    void ShowDates();

    CLabel chamberLine_, title_, reportCaption_, dateCaption_, dueCaption_;
    CTouchField report_, reportDate_, dueDate_;
};
