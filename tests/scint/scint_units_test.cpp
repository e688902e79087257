// Stored baselines the table does not cover: a dose unit outside the five units and factors
// that are not finite read alike on screen, in remote replies and in data files.
#include <gtest/gtest.h>

#include <limits>

#include "document/CKelvarinDoc.h"
#include "document/MeasInfo.h"
#include "export/DataFile.h"

namespace {

TEST(ScintUnits, AnUnknownUnitOrAFactorThatIsNoNumberReadsAlikeEverywhere) {
    CKelvarinDoc doc;
    EXPECT_EQ(doc.ScintBaseline.DoseValue, 1.0);  // defined before any baseline is chosen
    EXPECT_EQ(doc.ScintChargeUnit(), "pC");
    struct Case {
        int doseType;
        int unit;
        double gain;
        const char* rateUnit;
        const char* chargeText;
        const char* fileDose;
    } cases[] = {
        {1, 2, 0.005, "cGy/sec", "0.000 cGy", "2.500 cGy"},
        // No unit is invented for a damaged record: the electrical units, everywhere alike.
        {1, 7, 0.005, "pA", "0.000 pC", "2.500 pC"},
        {1, -1, 0.005, "pA", "0.000 pC", "2.500 pC"},
        {0, 9, 0.002, "pA", "0.000 pC", "2.500 pC"},
        {0, -1, std::numeric_limits<double>::quiet_NaN(), "pA", "XXXXX pC", "2.500 pC"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fileDose);
        doc.ScintBaseline.DoseType = c.doseType;
        doc.ScintBaseline.ScintDoseUnit = static_cast<int16_t>(c.unit);
        doc.ScintBaseline.ScintGain = c.gain;
        doc.ScintBaseline.DoseValue = 2.5;
        EXPECT_EQ(doc.ScintRateUnit(), c.rateUnit);
        EXPECT_EQ(doc.ScintChargeText(), c.chargeText);
        doc.ScintMeasList.clear();
        SCINT_MEAS_INFO row;
        doc.AddScintMeasurement(false, row);
        const std::string file = BuildDataFile(doc, DataLayout::Scintillator);
        EXPECT_NE(file.find(std::string(",") + c.fileDose), std::string::npos) << file;
    }
}

}  // namespace
