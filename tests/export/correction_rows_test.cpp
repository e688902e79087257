#include <gtest/gtest.h>

#include <algorithm>

#include "export/CorrectionRows.h"
#include "export/DataFile.h"

namespace {

CORRECTION_RESULT Polarity() {
    CORRECTION_RESULT r;
    r.Date = "12/08/2026";
    r.Time = "09:15:02";
    r.Readings = {{300, 10.02}, {-300, -9.98}, {300, 10.02}};
    r.Factor = 0.998004;
    return r;
}

CORRECTION_RESULT Recombination() {
    CORRECTION_RESULT r = Polarity();
    r.Channel = 1;
    r.Polarity = false;
    r.Beam = measure::BeamKind::Pulsed;
    r.Readings = {{300, 1494.5}, {100, 1483.7}};
    r.Factor = 1.0036667;
    return r;
}

TEST(CorrectionRows, BlockFollowsTheRowsOnlyInFilesThatHoldAResult) {
    const std::string polarityRows =
        "12/08/2026,09:15:02,1,Polarity,----,1,300,10.02,----\r\n"
        "12/08/2026,09:15:02,1,Polarity,----,2,-300,-9.98,----\r\n"
        "12/08/2026,09:15:02,1,Polarity,----,3,300,10.02,----\r\n"
        "12/08/2026,09:15:02,1,Polarity,----,k_pol,----,----,0.99800\r\n";
    const std::string recombinationRows =
        "12/08/2026,09:15:02,2,Recombination,Pulsed,1,300,1494.5,----\r\n"
        "12/08/2026,09:15:02,2,Recombination,Pulsed,2,100,1483.7,----\r\n"
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
        {{Polarity(), Recombination()}, false, 0, header + polarityRows + recombinationRows},
        {{Recombination()}, true, 1, header + recombinationRows},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.results.size());
        CKelvarinDoc doc;
        doc.DataFileDelimiter = c.delimiter;
        MEAS_INFO row;
        if (c.withRow)
            doc.AddMeasurement(true, row);
        for (const CORRECTION_RESULT& r : c.results)
            doc.CorrectionResults.push_back(r);
        const std::string file = BuildDataFile(doc, DataLayout::Measurement);
        std::string block = c.block;
        for (char& ch : block)
            ch = ch == ',' && c.delimiter == 1 ? '\t' : ch;
        // The block comes last, after the ratio rows; the rows before it are those of a file
        // without results.
        EXPECT_EQ(file.find("Corrections"),
                  block.empty() ? std::string::npos : file.size() - block.size());
        if (c.withRow) {
            doc.CorrectionResults.clear();
            EXPECT_EQ(BuildDataFile(doc, DataLayout::Measurement) + block, file);
        } else {
            EXPECT_EQ(file.substr(file.size() - std::min(file.size(), block.size())), block);
        }
        doc.ClearMeasurements();  // a new data set forgets them
        EXPECT_EQ(BuildDataFile(doc, DataLayout::Measurement), "");
    }
}

}  // namespace
