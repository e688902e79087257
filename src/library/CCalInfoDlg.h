#pragma once
// Wizard page 2: the calibration itself: beam or isotope, the coefficient as mantissa and
// power of ten, its calibration mode (units), Aion and polarity. Each entry goes into the
// record as soon as it is accepted.
#include "library/CChamberWizPage.h"

class CCalInfoDlg : public CChamberWizPage {
  public:
    static constexpr int kIdChamberLine = 1249;
    static constexpr int kIdTitle = 1250;
    static constexpr int kIdBeam = 1221;
    static constexpr int kIdMantissa = 1222;
    static constexpr int kIdExponent = 1223;
    static constexpr int kIdUnits = 1224;
    static constexpr int kIdAion = 1226;
    static constexpr int kIdPolarity = 1227;
    static constexpr int kInvalidMantissaText = 532;

    using CChamberWizPage::CChamberWizPage;

  protected:
    void CreateFields() override;
    void LoadFields() override;
    bool CanGoNext() const override;
    bool OnField(int id) override;

  private:
    void EnterBeam();
    void EnterMantissa();
    void EnterExponent();
    void ChooseUnits();
    void EnterAion();
    void EnterPolarity();

    CLabel chamberLine_, title_;
    CLabel beamCaption_, coefCaption_, timesTen_, unitsCaption_, aionCaption_, polarityCaption_;
    CTouchField beam_, mantissa_, exponent_, units_, aion_, polarity_;
};
