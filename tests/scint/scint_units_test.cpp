// Stored baselines the unit table does not cover, and factors that are no number: the
// corrected captions and the data file's columns read alike, and a dose is never labelled
// as a charge.
#include <gtest/gtest.h>

#include <limits>
#include <tuple>

#include "document/CKelvarinDoc.h"
#include "document/MeasInfo.h"
#include "export/DataFile.h"
#include "scint/ScintMeasTexts.h"

namespace {

TEST(ScintUnits, AnUnknownUnitOrAFactorThatIsNoNumberReadsAlikeOnScreenAndInFiles) {
    CKelvarinDoc doc;
    // Dose type, unit, gain, charge caption, the row's charge (value, then unit), file dose.
    const std::tuple<int, int, double, const char*, const char*, const char*> cases[] = {
        {1, 2, 0.005, "Dose", "0.000,cGy", "2.500 cGy"},
        {1, 4, 0.005, "Exposure", "0.000,mR", "2.500 mR"},
        {1, 7, 0.005, "Dose", "0.000,----", "2.500 ----"},
        {0, 9, 0.002, "Charge", "0.000,pC", "2.500 pC"},
        {0, -1, std::numeric_limits<double>::quiet_NaN(), "Charge", "XXXXX,pC", "2.500 pC"},
    };
    for (const auto& [doseType, unit, gain, chargeCaption, rowCharge, fileDose] : cases) {
        SCOPED_TRACE(fileDose);
        doc.ScintBaseline.DoseType = doseType;
        doc.ScintBaseline.ScintDoseUnit = static_cast<int16_t>(unit);
        doc.ScintBaseline.ScintGain = gain;
        doc.ScintBaseline.DoseValue = 2.5;
        EXPECT_EQ(scint::CaptionsFor(doc.ScintBaseline).charge, chargeCaption);
        doc.ScintMeasList.clear();
        SCINT_MEAS_INFO row;
        doc.AddScintMeasurement(false, row);
        const std::string file = BuildDataFile(doc, DataLayout::Scintillator);
        EXPECT_NE(file.find(std::string(",") + rowCharge + ","), std::string::npos) << file;
        EXPECT_NE(file.find(std::string(",") + fileDose + "\r\n"), std::string::npos) << file;
    }
}

}  // namespace
