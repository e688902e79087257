#pragma once
// Wizard page 3: everything entered, to confirm with "Finish".
#include <array>

#include "library/CChamberWizPage.h"

class CChamberSummaryDlg : public CChamberWizPage {
  public:
    static constexpr int kIdTitle = 1249;
    static constexpr int kRowCount = 9;
    // Value labels, top to bottom: model, serial, beam, coefficient, report, date, due date,
    // Aion, polarity.
    static constexpr int kIdFirstValue = 1261;

    using CChamberWizPage::CChamberWizPage;

  protected:
    void CreateFields() override;
    void LoadFields() override;
    bool CanGoNext() const override { return true; }
    bool OnField(int) override { return false; }
    std::string NextCaption() const override { return "Finish"; }
    void GoNext() override;

  private:
    CLabel title_;
    std::array<CLabel, kRowCount> captions_;
    std::array<CLabel, kRowCount> values_;
};
