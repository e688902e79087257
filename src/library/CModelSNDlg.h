#pragma once
// Wizard page 0: the chamber's model and serial number, kept in the record only on Next.
#include "library/CChamberWizPage.h"

class CModelSNDlg : public CChamberWizPage {
  public:
    static constexpr int kIdTitle = 1249;
    static constexpr int kIdModel = 1201;
    static constexpr int kIdSerial = 1202;

    using CChamberWizPage::CChamberWizPage;

  protected:
    void CreateFields() override;
    void LoadFields() override;
    bool CanGoNext() const override;
    void StoreOnLeave() override;
    bool OnField(int id) override;
    bool HasBack() const override { return false; }

  private:
    CLabel title_, modelCaption_, serialCaption_;
    CTouchField model_, serial_;
};
