#include <gtest/gtest.h>

#include "document/CKelvarinDoc.h"
#include "document/Formatting.h"
#include "fw/Clock.h"

namespace {

class Texts : public ::testing::Test {
  protected:
    std::string Rate(int ch, double fa, int range) {
        doc.Channel[ch].Range = range;
        doc.Filter.Chan[ch].Rate = fa;
        std::string s;
        doc.FormatRate(ch, s);
        return s;
    }
    std::string Charge(int ch, double pc, int range) {
        doc.Channel[ch].Range = range;
        doc.Filter.Chan[ch].Charge = pc;
        std::string s;
        doc.FormatCharge(ch, s);
        return s;
    }
    std::string Dose(int ch, double dose, int calMode) {
        CHANNEL_INFO& c = doc.Channel[ch];
        c.SystemFactor = 1;
        c.ChamberIndex = 0;
        c.CalMode = int16_t(calMode);
        doc.Filter.Chan[ch].Dose = dose;
        std::string s;
        doc.FormatDoseValue(ch, s);
        return s;
    }
    CKelvarinDoc doc;
};

TEST_F(Texts, RatesByRangeWithUnitsAndCutting) {
    EXPECT_EQ(Rate(0, 61.0, 0), "0.061");
    EXPECT_EQ(doc.Channel[0].RateUnitId, 292);  // pA
    EXPECT_EQ(Rate(0, 12345.0, 0), "12.35");
    EXPECT_EQ(Rate(0, 1234567.0, 0), "1234.");    // "%.1f" 1234.6 cut to five characters
    EXPECT_EQ(Rate(0, -1234567.0, 0), "-1234.");  // six for a negative value
    EXPECT_EQ(Rate(1, 250e6, 1), "250.0");
    EXPECT_EQ(doc.Channel[1].RateUnitId, 289);  // nA
    EXPECT_EQ(Rate(1, 5e6, 1), "5.000");
    doc.Filter.Chan[1].OverRange = true;
    EXPECT_EQ(Rate(1, 5e6, 1), "XXXXX");
    EXPECT_EQ(doc.Channel[1].RateOverRange, 1);
}

TEST_F(Texts, ChargesStepThroughTheirUnits) {
    EXPECT_EQ(Charge(0, 5.0, 0), "5.000");
    EXPECT_EQ(doc.Channel[0].ChargeUnitId, 294);  // pC
    EXPECT_EQ(Charge(0, 999.9, 0), "999.9");
    EXPECT_EQ(Charge(0, 1000.0, 0), "1.000");  // exactly 1000 pC is 1 nC
    EXPECT_EQ(doc.Channel[0].ChargeUnitId, 291);
    EXPECT_EQ(Charge(0, 2.5e6, 0), "2.500");
    EXPECT_EQ(doc.Channel[0].ChargeUnitId, 351);  // µC
    EXPECT_EQ(Charge(1, 5.0, 1), "0.005");        // High never shows pC
    EXPECT_EQ(doc.Channel[1].ChargeUnitId, 291);
    EXPECT_EQ(Charge(1, 123456.0, 1), "123.5");
    doc.Filter.Chan[1].OverRangeLatched = true;
    EXPECT_EQ(Charge(1, 1.0, 1), "XXXXX");
}

TEST_F(Texts, DosesPickTheirUnitAndAreNotCut) {
    EXPECT_EQ(Dose(0, 0.005, 8), "5.000");  // Gy-based: mGy
    EXPECT_EQ(doc.Channel[0].DoseUnitId, 541);
    EXPECT_EQ(Dose(0, 0.005, 9), "5.000");  // R-based: mR
    EXPECT_EQ(doc.Channel[0].DoseUnitId, 472);
    EXPECT_EQ(Dose(0, 2.0, 8), "2.000");
    EXPECT_EQ(doc.Channel[0].DoseUnitId, 469);
    EXPECT_EQ(Dose(0, 0.05, 8), "5.000");   // cGy
    EXPECT_EQ(Dose(0, 1e-5, 9), "10.00");   // µR
    EXPECT_EQ(Dose(0, 1234.4, 5), "1234");  // rate-based: "%.0f", not cut
    doc.Channel[0].TPCorrection = 1;
    doc.Filter.Chan[0].DoseCorrected = 3.25;
    std::string s;
    doc.FormatDoseValue(0, s);
    EXPECT_EQ(s, "3.250");
}

TEST_F(Texts, RatiosAndTheirGuards) {
    doc.Filter.Chan[0].Rate = 10.0;
    doc.Filter.Chan[1].Rate = 0.0;
    std::string s;
    doc.FormatRateRatio(s);
    EXPECT_EQ(s, "0.000");  // zero denominator
    doc.Filter.Chan[1].Rate = 4.0;
    doc.FormatRateRatio(s);
    EXPECT_EQ(s, "2.500");
    doc.Filter.Chan[0].Charge = 1e6;
    doc.Filter.Chan[1].Charge = 1.0;
    doc.FormatChargeRatio(s);
    EXPECT_EQ(s, "1000000");

    // Dose ratios only between calibrations of the same kind.
    s = "----";
    Dose(0, 1.0, 8);
    Dose(1, 2.0, 5);
    doc.FormatDoseRatio(s);
    EXPECT_EQ(s, "----");
    Dose(1, 2.0, 11);
    doc.FormatDoseRatio(s);
    EXPECT_EQ(s, "0.500");
}

TEST_F(Texts, DatesTimesAndStandards) {
    fw::LocalTime t{2016, 3, 1, 14, 9, 5, 7, 0};
    std::string s;
    doc.FormatDate(t, s);
    EXPECT_EQ(s, "03/14/2016");
    doc.DateFormat = 1;
    doc.FormatDate(t, s);
    EXPECT_EQ(s, "14/03/2016");
    doc.DateFormat = 2;
    doc.FormatDate(t, s);
    EXPECT_EQ(s, "20160314");
    doc.DateFormat = 9;  // damaged: the first format
    doc.FormatDate(t, s);
    EXPECT_EQ(s, "03/14/2016");
    doc.TimeFormat = 0;
    doc.FormatTime(t, s);
    EXPECT_EQ(s, "09:05:07");
    CKelvarinDoc::FormatTimestamp(t, s);
    EXPECT_EQ(s, "20160314090507");
    CKelvarinDoc::FormatTempStd(1, s);
    EXPECT_EQ(s,
              "22.0 \xC2\xB0"
              "C");
    CKelvarinDoc::FormatPressStd(1, s);
    EXPECT_EQ(s, "1.000 atm");
    CKelvarinDoc::FormatPressStd(2, s);
    EXPECT_EQ(s, "101.3 kPa");
    CKelvarinDoc::FormatSuperscript(-12, s);
    EXPECT_EQ(s, "^-^1^2");
    EXPECT_EQ(formatting::RemoveCommas("a,b,,c"), "a b  c");
}

TEST_F(Texts, ValueTextsAreNeverCutLeftOfThePoint) {
    EXPECT_EQ(formatting::CutValueText("101000.0"), "101000");
    EXPECT_EQ(formatting::CutValueText("-101000.0"), "-101000");
    EXPECT_EQ(formatting::CutValueText("12.345"), "12.34");
    EXPECT_EQ(formatting::CutValueText("1.5"), "1.5");
}

TEST_F(Texts, CollectionLabels) {
    std::string s;
    doc.SetChargeType(0, 30);
    doc.FormatCollectionTime(s);
    EXPECT_EQ(s, "30 sec");
    doc.Repeating = 1;
    doc.RepeatCount = 5;
    doc.FormatCollectionTime(s);
    EXPECT_EQ(s, "30 sec x5");
    doc.StartCollection();
    doc.Filter.ElapsedSeconds = 12;
    doc.FormatCollectionTime(s);
    EXPECT_EQ(s, "12 sec");
    doc.Collecting = 0;
    doc.SetChargeType(1, 30);
    doc.FormatCollectionTime(s);
    EXPECT_EQ(s, "Continuous");
    doc.SetChargeType(2, 30);
    doc.FormatCollectionTime(s);
    EXPECT_EQ(s, "Trigger (Ch.1)");
}

TEST_F(Texts, RowsKeepWhatWasShown) {
    auto clock = std::make_shared<fw::ManualClock>();
    fw::SetClock(clock);
    ASSERT_TRUE(clock->SetLocalTime({2016, 3, 1, 14, 9, 5, 7, 0}));
    doc.Filter.Chan[0].Rate = 61.0;
    MEAS_INFO row;
    doc.AddMeasurement(true, row);
    EXPECT_EQ(row.Date, "03/14/2016");
    EXPECT_EQ(row.Time, "09:05:07");
    EXPECT_EQ(row.Rate[0], "0.061");
    EXPECT_EQ(row.RateUnit[0], "pA");
    for (int ch = 0; ch < 2; ++ch) {
        EXPECT_EQ(row.Charge[ch], "----");
        EXPECT_EQ(row.Dose[ch], "----");
        EXPECT_EQ(row.DoseRate[ch], "----");  // no chamber
        EXPECT_EQ(row.ChamberModel[ch], "----");
        EXPECT_EQ(row.CalMode[ch], -1);
        EXPECT_EQ(row.Temperature[ch], "----");
    }
    EXPECT_EQ(row.CollectionType, 255);
    EXPECT_EQ(row.DoseRatio, "----");
    EXPECT_EQ(row.TrigStartLow, "0.0 pA");
    EXPECT_EQ(doc.DataUnsaved, 1);

    doc.SetChargeType(0, 60);  // clears the charge, so before it is set
    doc.Channel[0].SystemFactor = 1;
    doc.Channel[0].ChamberIndex = 2;
    doc.Channel[0].ChamberModel = "FC65-G";
    doc.Channel[0].CalMode = 8;
    doc.Channel[0].CoefMantissa = 4850;
    doc.Channel[0].CoefExponent = 7;
    doc.Channel[0].TPCorrection = 1;
    doc.Channel[0].Temperature = 21.55;
    doc.Filter.Chan[0].Charge = 12.5;
    doc.Filter.Chan[0].Dose = 0.25;
    doc.AddMeasurement(false, row);
    EXPECT_EQ(row.Charge[0], "12.50");
    EXPECT_EQ(row.ChargeUnit[0], "pC");
    EXPECT_EQ(row.Rate[0], "----");
    EXPECT_EQ(row.ChamberModel[0], "FC65-G");
    EXPECT_DOUBLE_EQ(row.Coefficient[0], 4.85e7);
    EXPECT_EQ(row.Temperature[0], "21.6");
    EXPECT_EQ(row.CollectionType, 0);
    EXPECT_EQ(row.CollectionSeconds, 60);
    EXPECT_EQ(doc.MeasList.size(), 2u);
    doc.ClearMeasurements();
    EXPECT_TRUE(doc.MeasList.empty());
    EXPECT_EQ(doc.DataUnsaved, 0);
    fw::SetClock(std::make_shared<fw::SystemClock>());
}

}  // namespace
