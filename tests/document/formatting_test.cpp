// Value texts as the screens and the data rows show them: the format chosen by the size, the
// unit stepped by the range, the five-character cut, dates, times and the standards.
#include <gtest/gtest.h>

#include "document/CKelvarinDoc.h"
#include "document/Formatting.h"
#include "fw/Clock.h"

namespace {

enum class Kind { Rate, Charge, Dose };

class Texts : public ::testing::Test {
  protected:
    // The text of one value on channel `ch`; `setting` is the range, or for a dose the mode.
    std::string Text(Kind kind, int ch, double value, int setting) {
        CHANNEL_INFO& c = doc.Channel[ch];
        auto& filter = doc.Filter.Chan[ch];
        std::string s;
        if (kind == Kind::Dose) {
            c.SystemFactor = 1;
            c.ChamberIndex = 0;
            c.CalMode = int16_t(setting);
            filter.Dose = value;
            doc.FormatDoseValue(ch, s);
            return s;
        }
        c.Range = setting;
        (kind == Kind::Rate ? filter.Rate : filter.Charge) = value;
        kind == Kind::Rate ? doc.FormatRate(ch, s) : doc.FormatCharge(ch, s);
        return s;
    }
    CKelvarinDoc doc;
};

TEST_F(Texts, ValuesDatesTimesStandardsAndCollectionLabels) {
    const struct {
        Kind kind;
        int ch;
        double value;
        int setting;
        const char* text;
        int unitId;
    } cases[] = {
        {Kind::Rate, 0, 61.0, 0, "0.061", 292},         // pA
        {Kind::Rate, 0, -1234567.0, 0, "-1234.", 292},  // "%.1f" cut to six for a negative
        {Kind::Rate, 1, 250e6, 1, "250.0", 289},        // nA
        {Kind::Charge, 0, 999.9, 0, "999.9", 294},      // pC
        {Kind::Charge, 0, 1000.0, 0, "1.000", 291},     // exactly 1000 pC is 1 nC
        {Kind::Charge, 0, 2.5e6, 0, "2.500", 351},      // µC
        {Kind::Charge, 1, 5.0, 1, "0.005", 291},        // High never shows pC
        {Kind::Dose, 0, 0.005, 8, "5.000", 541},        // Gy-based: mGy
        {Kind::Dose, 0, 1e-5, 9, "10.00", -1},          // R-based: µR
        {Kind::Dose, 0, 1234.4, 5, "1234", -1},         // rate-based: "%.0f", not cut
        // A value whose shown digits are all zero carries no minus sign; one that shows a
        // digit keeps it.
        {Kind::Rate, 0, -0.0, 0, "0.000", 292},  // a zeroed channel
        {Kind::Rate, 0, -0.6, 0, "-0.001", 292},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Text(c.kind, c.ch, c.value, c.setting), c.text) << c.value;
        const CHANNEL_INFO& info = doc.Channel[c.ch];
        const int unit = c.kind == Kind::Rate     ? info.RateUnitId
                         : c.kind == Kind::Charge ? info.ChargeUnitId
                                                  : info.DoseUnitId;
        EXPECT_TRUE(c.unitId < 0 || unit == c.unitId) << c.value << ": " << unit;
    }
    doc.Channel[0].TPCorrection = 1;  // the corrected dose when the correction is on
    doc.Filter.Chan[0].DoseCorrected = 3.25;
    std::string s;
    doc.FormatDoseValue(0, s);
    EXPECT_EQ(s, "3.250");
    doc.Filter.Chan[1].OverRange = true;
    doc.Filter.Chan[1].OverRangeLatched = true;
    EXPECT_EQ(Text(Kind::Rate, 1, 5e6, 1) + Text(Kind::Charge, 1, 1.0, 1), "XXXXXXXXXX");
    // Never cut left of the point.
    EXPECT_EQ(formatting::CutValueText("-101000.0"), "-101000");
    // Dates, times, the standards and the collection labels.
    const fw::LocalTime t{2016, 3, 1, 14, 9, 5, 7, 0};
    std::string shown;
    for (int format : {0, 1, 2, 9}) {  // 9: damaged
        doc.DateFormat = format;
        doc.FormatDate(t, s);
        shown += s + " ";
    }
    EXPECT_EQ(shown, "03/14/2016 14/03/2016 20160314 03/14/2016 ");
    CKelvarinDoc::FormatTimestamp(t, s);
    EXPECT_EQ(s, "20160314090507");
    CKelvarinDoc::FormatTempStd(1, s);
    EXPECT_EQ(s, "22.0 \302\260C");
    CKelvarinDoc::FormatPressStd(2, s);
    EXPECT_EQ(s, "101.3 kPa");
    CKelvarinDoc::FormatSuperscript(-12, s);
    EXPECT_EQ(s, "^-^1^2");
    doc.FormatTime(t, s);
    EXPECT_EQ(s, "09:05:07");
    const auto label = [&](int type, int collecting) {
        doc.SetChargeType(type, 30);
        doc.Repeating = 1;
        doc.RepeatCount = 5;
        doc.Collecting = collecting;
        doc.Filter.ElapsedSeconds = 12;
        doc.FormatCollectionTime(s);
        return s;
    };
    EXPECT_EQ(label(0, 0) + "|" + label(0, 1) + "|" + label(1, 0) + "|" + label(2, 0),
              "30 sec x5|12 sec|Continuous|Trigger (Ch.1)");
}

}  // namespace
