#pragma once
// Command ids of the pop-up menus' items, as the openers receive them. Ids are unique
// within one menu; different menus reuse some (the coefficient units share 572..584).
namespace menu_cmd {

// Page menu.
constexpr int kChannel1 = 564;
constexpr int kChannel2 = 565;
constexpr int kChannels1And2 = 566;
constexpr int kScintSetup = 567;  // no page-menu item
constexpr int kCheckSource = 568;
constexpr int kChamberLibrary = 569;
constexpr int kScintLibrary = 570;  // no page-menu item
constexpr int kPreferences = 571;

// Coefficient units: kCoefficientUnitFirst + calibration mode (0..12).
constexpr int kCoefficientUnitFirst = 572;
constexpr int kCoefficientUnitCount = 13;

constexpr int kPressureMmHg = 573;
constexpr int kPressureAtm = 574;
constexpr int kPressureKPa = 575;
constexpr int kTemperature20 = 576;
constexpr int kTemperature22 = 577;

constexpr int kChargeTimed = 578;
constexpr int kChargeContinuous = 579;
constexpr int kChargeTrigger = 580;
constexpr int kChargePreviousTime = 581;

constexpr int kRangeLow = 582;
constexpr int kRangeHigh = 583;

constexpr int kBiasOff = 584;
constexpr int kBiasReverse = 585;
constexpr int kBiasSelect = 586;
constexpr int kBiasPrevious = 587;

constexpr int kSourceKBq = 588;
constexpr int kSourceMBq = 589;
constexpr int kSourceMicroCi = 590;
constexpr int kSourceMCi = 591;

// Scintillator dose units: kDoseUnitFirst + unit index (0..4).
constexpr int kDoseUnitFirst = 600;
constexpr int kDoseUnitCount = 5;

}  // namespace menu_cmd
