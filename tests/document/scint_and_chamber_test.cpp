// Scintillator values from the two channels, and chamber choices kept across library changes.
#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "document/CKelvarinDoc.h"
#include "fw/Clock.h"
#include "store/CCLibDB.h"
#include "support/temp_root.h"

namespace {

// Blue minus the green leakage, times the gain; any involved over-range shows crosses, and a
// latched charge overload spares the rate. Electrical units for a relative baseline whatever
// unit it holds; a dose baseline's own units, and "----" for a stored unit outside the table: a
// dose never reads as a charge.
TEST(ScintValues, GreenLeakageRemovedGainAppliedAndUnits) {
    CKelvarinDoc doc;
    doc.ScintBaseline.ScintGain = 2.0;
    doc.ScintBaseline.CLR = 0.25;
    const struct {
        bool rate;
        double blue, green;
        const char* text;
        bool greenOver = false, blueLatched = false;
    } cases[] = {
        {true, 3000.0, 4000.0, "4.000"},  // (3000 − 0.25 × 4000) × 2 = 4000 fA → 4.000 pA
        {false, 10.0, 8.0, "16.00"},
        {false, 1000.0, 0.0, "2000."},  // 2000 would be "2000.0": cut to five characters
        {true, 3000.0, 4000.0, "XXXXX", true},
        {false, 10.0, 8.0, "XXXXX", true},
        {true, 3000.0, 4000.0, "4.000", false, true},
        {false, 10.0, 8.0, "XXXXX", false, true},
    };
    for (const auto& c : cases) {
        auto& [blue, green] = doc.Filter.Chan;
        green.OverRange = c.greenOver;
        blue.OverRangeLatched = c.blueLatched;
        (c.rate ? blue.Rate : blue.Charge) = c.blue;
        (c.rate ? green.Rate : green.Charge) = c.green;
        std::string s;
        c.rate ? doc.FormatScintRate(s) : doc.FormatScintCharge(s);
        EXPECT_EQ(s, c.text) << c.blue << " " << c.green;
    }
    const struct {
        int doseType, unit;
        const char *rate, *charge;
    } units[] = {
        {0, 2, "pA", "pC"},     {1, 2, "cGy/sec", "cGy"}, {1, 3, "R/sec", "R"},
        {1, 0, "MU/sec", "MU"}, {1, -1, "----", "----"},  {1, 5, "----", "----"},
    };
    for (const auto& c : units) {
        doc.ScintBaseline.DoseType = c.doseType;
        doc.ScintBaseline.ScintDoseUnit = static_cast<int16_t>(c.unit);
        EXPECT_EQ(doc.ScintRateUnit() + " " + doc.ScintChargeUnit(),
                  std::string(c.rate) + " " + c.charge)
            << c.unit;
    }
}

CHAMBER_CAL Chamber(const char* serial, const char* model, int16_t mantissa) {
    CHAMBER_CAL c;
    c.ChamberSerial = serial;
    c.ChamberModel = model;
    c.CalDueDate = {2027, 6, 1};
    c.CoefMantissa = mantissa;
    c.CoefExponent = 7;
    c.CalMode = 8;
    return c;
}

class ChamberChoice : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(clock->SetLocalTime({2026, 12, fw::DayOfWeek(2026, 12, 7), 7, 12, 0, 0, 0}));
        fw::SetClock(clock);
        ASSERT_TRUE(library.AddRecord(Chamber("200", "FC65", 5410)));
        ASSERT_TRUE(library.AddRecord(Chamber("300", "FC65", 4800)));
        for (auto& c : doc.Channel)
            c.SystemFactor = 1;
    }
    void TearDown() override { fw::SetClock(std::make_shared<fw::SystemClock>()); }
    testing_support::TempRoot root;
    std::shared_ptr<fw::ManualClock> clock = std::make_shared<fw::ManualClock>();
    CCLibDB library;
    CKelvarinDoc doc;
};

// A chosen record is copied and applied, and found again by content after the library
// changes under it; a chamber is in use under each position of its model and serial.
TEST_F(ChamberChoice, SelectionsFoundAgainAfterLibraryChangesAndChambersInUse) {
    EXPECT_FALSE(doc.SelectChamber(1, 5) || doc.SelectChamber(1, -1));  // no such record
    EXPECT_EQ(doc.Channel[1].ChamberIndex, -1);
    ASSERT_TRUE(doc.SelectChamber(0, 1));  // serial "300"
    EXPECT_EQ(doc.Channel[0].ChamberSerial, "300");
    ASSERT_TRUE(doc.SelectChamber(1, 0));                          // serial "200"
    ASSERT_TRUE(library.AddRecord(Chamber("100", "FC65", 1000)));  // sorts first
    EXPECT_EQ(doc.ResolveChamberSelections(), 0);
    EXPECT_EQ(std::tuple(doc.Channel[0].ChamberIndex, doc.Channel[1].ChamberIndex),
              std::tuple(2, 1));
    EXPECT_DOUBLE_EQ(doc.Filter.Chan[0].CalCoefficient, 4.8 * 1e7 * 1e-12);

    doc.Channel[1].TPCorrection = 1;
    ASSERT_TRUE(library.DeleteRecord(1));  // channel 2's calibration is gone
    EXPECT_EQ(doc.ResolveChamberSelections(), 2);
    EXPECT_EQ(doc.Channel[1].ChamberIndex, -1);
    EXPECT_DOUBLE_EQ(doc.GetCalCoefficient(1), 1.0);
    // As with the factor switched off.
    EXPECT_EQ(std::tuple(doc.Channel[1].SystemFactor, doc.Channel[1].TPCorrection),
              std::tuple(0, 0));
    EXPECT_EQ(doc.Channel[0].ChamberIndex, 1);
    ASSERT_TRUE(library.AddRecord(Chamber("100", "FC65", 6000)));  // a second calibration
    ASSERT_TRUE(doc.SelectChamber(0, 0));
    EXPECT_TRUE(doc.IsChamberInUse(0, 0));
    EXPECT_TRUE(doc.IsChamberInUse(0, 1));   // same model and serial
    EXPECT_FALSE(doc.IsChamberInUse(0, 2));  // serial "300"
    EXPECT_FALSE(doc.IsChamberInUse(0, 9));  // unreadable position
    // Any chamber due: every record is looked at.
    EXPECT_FALSE(doc.IsAnyChamberDue());
    CHAMBER_CAL due = Chamber("400", "PTW", 100);
    due.CalDueDate = {2027, 1, 20};  // 44 days ahead
    ASSERT_TRUE(library.AddRecord(due));
    EXPECT_TRUE(doc.IsAnyChamberDue());
}

}  // namespace
