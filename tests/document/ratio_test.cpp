// Channel 1 / channel 2 ratios as the two-channel screen and the data rows show them: the
// format chosen by the size before rounding, the zero and over-range guards, values that
// cannot be divided, and which calibrations give a dose ratio at all.
#include <gtest/gtest.h>

#include <limits>

#include "document/CKelvarinDoc.h"
#include "document/Formatting.h"

namespace {

using Kind = CKelvarinDoc::DoseRatioKind;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

class Ratios : public ::testing::Test {
  protected:
    std::string RateRatio(double fa1, double fa2, bool over1 = false, bool over2 = false) {
        doc.Filter.Chan[0].Rate = fa1;
        doc.Filter.Chan[1].Rate = fa2;
        doc.Filter.Chan[0].OverRange = over1;
        doc.Filter.Chan[1].OverRange = over2;
        std::string s;
        doc.FormatRateRatio(s);
        return s;
    }
    // A calibration of `calMode` applied on `ch`; kNone leaves the channel in electrical units,
    // kFactorOff keeps a chamber with the system factor switched off.
    static constexpr int kNone = -1, kFactorOff = -2;
    void Calibrate(int ch, int calMode) {
        CHANNEL_INFO& c = doc.Channel[ch];
        c.SystemFactor = calMode == kNone || calMode == kFactorOff ? 0 : 1;
        c.ChamberIndex = calMode == kNone ? -1 : ch;
        c.CalMode = int16_t(calMode == kNone || calMode == kFactorOff ? 8 : calMode);
    }
    CKelvarinDoc doc;
};

TEST_F(Ratios, FormatGuardsComparableDosesRowRatiosAndALostChamber) {
    const struct {
        double a, b;
        const char* text;
        bool over1 = false, over2 = false;
    } cases[] = {
        {123.456, 1.0, "123.46"},    {99.9996, 1.0, "100.000"},  {9999.996, 1.0, "10000.00"},
        {99999.96, 1.0, "100000.0"}, {100000.0, 1.0, "100000"},  {-1.0, -4.0, "0.250"},
        {5.0, 0.0, "0.000"},         {1e-300, 1e-300, "1.000"},  {1e300, 1e-300, "XXXXX"},
        {kNaN, 1.0, "XXXXX"},        {10.0, 5.0, "XXXXX", true}, {10.0, 5.0, "XXXXX", false, true},
        {10.0, 0.0, "XXXXX", true},                         // before the zero guard
        {-1.0, 1e4, "0.000"},        {3.0, kInf, "XXXXX"},  // no sign on a shown zero
    };
    for (const auto& c : cases)
        EXPECT_EQ(RateRatio(c.a, c.b, c.over1, c.over2), c.text) << c.a << " / " << c.b;
    // The filter holds every rate in femtoamperes, whatever range each channel is in.
    doc.Channel[1].Range = 1;
    EXPECT_EQ(RateRatio(1500.0, 3000.0), "0.500");
    doc.Filter.Chan[0].Charge = 30.0;
    doc.Filter.Chan[1].Charge = 20.0;
    std::string s;
    doc.FormatChargeRatio(s);
    EXPECT_EQ(s, "1.500");
    doc.Filter.Chan[1].OverRangeLatched = true;  // the charge's flag, not the rate's
    doc.FormatChargeRatio(s);
    EXPECT_EQ(s, "XXXXX");
    // Mode numbers: 8, 10, 11, 12 a dose in "Gy" (under different string ids), 9 an exposure in
    // "R"; 1 a source strength in Gym^2/(h*A), 3 an activity in GBq; 13 damaged. Only doses
    // of one kind and one unit compare, and the crosses follow the flag of the dose's own kind: the
    // charge's for a charge-based dose.
    doc.Filter.Chan[0].Dose = 3.0;
    doc.Filter.Chan[1].Dose = 2.0;
    doc.Filter.Chan[0].DoseCorrected = 6.0;  // T/P-corrected, used only with the correction on
    const struct {
        int mode1, mode2, tp1;
        Kind kind;
        const char* text;
        bool rateOver = false, chargeOver = false;
    } doses[] = {
        {8, 10, 0, Kind::Dose, "1.500"},
        {12, 11, 1, Kind::Dose, "3.000"},
        {1, 1, 0, Kind::DoseRate, "1.500"},
        {8, 9, 0, Kind::None, "----"},
        {8, kNone, 0, Kind::None, "----"},
        {8, kFactorOff, 0, Kind::None, "----"},
        {8, 13, 0, Kind::None, "----"},
        {8, 8, 0, Kind::Dose, "1.500", true},
        {8, 8, 0, Kind::Dose, "XXXXX", false, true},
        {1, 1, 0, Kind::DoseRate, "XXXXX", true},
        {1, 1, 0, Kind::DoseRate, "1.500", false, true},
    };
    for (const auto& c : doses) {
        Calibrate(0, c.mode1);
        Calibrate(1, c.mode2);
        doc.Channel[0].TPCorrection = c.tp1;
        doc.Filter.Chan[1].OverRange = c.rateOver;
        doc.Filter.Chan[1].OverRangeLatched = c.chargeOver;
        std::string shown = "----";
        doc.FormatDoseRatio(shown);
        EXPECT_EQ(shown, c.text) << c.mode1 << " against " << c.mode2;
        EXPECT_EQ(doc.ComparableDoses(), c.kind) << c.mode1 << " against " << c.mode2;
    }
    // Each row holds the ratio of its own kind; a Gy dose against an R exposure is no dose ratio,
    // and the charge row keeps "----" for it. A channel whose chamber went from the library
    // measures in electrical units again.
    doc.Filter.Chan[1].OverRange = doc.Filter.Chan[1].OverRangeLatched = false;
    doc.Filter.Chan[0].Charge = 4.0;
    doc.Filter.Chan[1].Charge = 2.0;
    doc.Filter.Chan[0].Rate = 9.0;
    doc.Filter.Chan[1].Rate = 3.0;
    Calibrate(0, 8);
    Calibrate(1, 9);
    MEAS_INFO charge, rate;
    doc.AddMeasurement(false, charge);
    doc.AddMeasurement(true, rate);
    EXPECT_EQ(charge.ChargeRatio + " " + charge.RateRatio + " " + charge.DoseRatio,
              "2.000 ---- ----");
    EXPECT_EQ(rate.RateRatio + " " + rate.ChargeRatio + " " + rate.DoseRatio, "3.000 ---- ----");
    for (int ch = 0; ch < 2; ++ch) {
        Calibrate(ch, 8);
        doc.Channel[ch].TPCorrection = 1;
        doc.Channel[ch].CoefMantissa = 5000;
        doc.Channel[ch].CoefExponent = 7;
        doc.ApplyChamber(ch);
    }
    doc.Channel[1].ChamberIndex = -1;  // as left by a deselection
    EXPECT_EQ(doc.DropLostChambers(), 2);
    const auto state = [&](int ch) {
        return std::tuple(doc.Channel[ch].SystemFactor, doc.Channel[ch].TPCorrection,
                          doc.Filter.Chan[ch].CalCoefficient == 1.0);
    };
    EXPECT_EQ(state(1), std::tuple(0, 0, true));
    EXPECT_EQ(state(0), std::tuple(1, 1, false));  // channel 1 keeps its chamber
    EXPECT_EQ(doc.DropLostChambers(), 0);
}

}  // namespace
