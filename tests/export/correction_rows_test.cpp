#include <gtest/gtest.h>

#include <algorithm>

#include "export/CorrectionRows.h"
#include "export/DataFile.h"

namespace {

CORRECTION_RESULT Result(bool polarity, std::vector<CORRECTION_READING> readings, double factor) {
    CORRECTION_RESULT r;
    r.Date = "12/08/2026";
    r.Time = "09:15:02";
    r.Channel = polarity ? 0 : 1;
    r.Polarity = polarity;
    r.Beam = polarity ? r.Beam : measure::BeamKind::Pulsed;
    r.Readings = readings;
    r.Factor = factor;
    return r;
}

TEST(CorrectionRows, BlockFollowsTheRowsOnlyInFilesThatHoldAResult) {
    const CORRECTION_RESULT polarity = Result(true, {{300, 10.02}, {-300, -9.98}}, 0.998004);
    const CORRECTION_RESULT recombination = Result(false, {{300, 1494.5}}, 1.0036667);
    const std::string polarityRows =
        "12/08/2026,09:15:02,1,Polarity,----,1,300,10.02,----\r\n"
        "12/08/2026,09:15:02,1,Polarity,----,2,-300,-9.98,----\r\n"
        "12/08/2026,09:15:02,1,Polarity,----,k_pol,----,----,0.99800\r\n";
    const std::string recombinationRows =
        "12/08/2026,09:15:02,2,Recombination,Pulsed,1,300,1494.5,----\r\n"
        "12/08/2026,09:15:02,2,Recombination,Pulsed,P_ion,----,----,1.00367\r\n";
    const std::string header =
        "Corrections\r\nDate,Time,Channel,Procedure,Beam,Reading,Bias (VDC),Charge (pC),"
        "Factor\r\n";
    const struct {
        std::vector<CORRECTION_RESULT> results;
        bool withRow;
        int delimiter;
        std::string block;  // with commas
    } cases[] = {
        {{}, true, 0, ""},
        {{polarity, recombination}, false, 0, header + polarityRows + recombinationRows},
        {{recombination}, true, 1, header + recombinationRows},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.results.size());
        CKelvarinDoc doc;
        doc.DataFileDelimiter = c.delimiter;
        MEAS_INFO row;
        if (c.withRow)
            doc.AddMeasurement(true, row);
        doc.CorrectionResults = c.results;
        const std::string file = BuildDataFile(doc, DataLayout::Measurement);
        std::string block = c.block;
        std::replace(block.begin(), block.end(), ',', c.delimiter == 1 ? '\t' : ',');
        // The block comes last, after the rows of a file without results.
        const std::string rows = file.substr(0, file.size() - std::min(file.size(), block.size()));
        EXPECT_EQ(rows + block, file);
        doc.CorrectionResults.clear();
        if (c.withRow)
            EXPECT_EQ(BuildDataFile(doc, DataLayout::Measurement), rows);
        doc.CorrectionResults = c.results;
        doc.ClearMeasurements();  // a new data set forgets them
        EXPECT_EQ(BuildDataFile(doc, DataLayout::Measurement), "");
    }
}

}  // namespace
