// The blocks after the rows of a data file: the correction results when the data set holds
// any, and the statistics when chosen. Without them the file is the same byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "export/CorrectionRows.h"
#include "export/DataFile.h"
#include "fw/Clock.h"

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

// Rate rows of both channels (fA), then one charge row (pC), all on the Low range.
void AddRows(CKelvarinDoc& doc) {
    MEAS_INFO row;
    for (const auto& [rate1, rate2] : {std::pair{1000, 500}, {1100, 500}, {1300, 600}}) {
        doc.Filter.Chan[0].Rate = rate1;
        doc.Filter.Chan[1].Rate = rate2;
        doc.AddMeasurement(true, row);
    }
    doc.Filter.Chan[0].Charge = 2000;
    doc.Filter.Chan[1].Charge = 1000;
    doc.AddMeasurement(false, row);
}

TEST(DataFileBlocks, CorrectionsWhenHeldAndStatisticsWhenChosenFollowTheRows) {
    fw::SetClock(std::make_shared<fw::ManualClock>());  // every row of one file at one time
    const CORRECTION_RESULT polarity = Result(true, {{300, 10.02}, {-300, -9.98}}, 0.998004);
    const CORRECTION_RESULT recombination = Result(false, {{300, 1494.5}}, 1.0036667);
    const std::string polarityRows =
        "12/08/2026,09:15:02,1,Polarity,----,1,300,10.02,----\r\n"
        "12/08/2026,09:15:02,1,Polarity,----,2,-300,-9.98,----\r\n"
        "12/08/2026,09:15:02,1,Polarity,----,k_pol,----,----,0.99800\r\n";
    const std::string recombinationRows =
        "12/08/2026,09:15:02,2,Recombination,Pulsed,1,300,1494.5,----\r\n"
        "12/08/2026,09:15:02,2,Recombination,Pulsed,P_ion,----,----,1.00367\r\n";
    const std::string corrections =
        "Corrections\r\nDate,Time,Channel,Procedure,Beam,Reading,Bias (VDC),Charge (pC),"
        "Factor\r\n";
    // By hand: channel 1 rates 1.0, 1.1, 1.3 pA: mean 1.1333, s 0.15275, CV 13.478 %;
    // channel 2 0.5, 0.5, 0.6 pA: mean 0.53333, s 0.057735, CV 10.825 %; rate ratios
    // 2.000, 2.200, 2.167: mean 2.1223, s 0.10722, CV 5.0519 %; one charge row each.
    const std::string statistics =
        "Statistics\r\nSeries,Quantity,n,Mean,Std Dev,CV (%),Min,Max,Unit\r\n"
        "Channel 1,Rate,3,1.133,0.153,13.48,1.000,1.300,pA\r\n"
        "Channel 1,Charge,1,2.000,----,----,----,----,nC\r\n"
        "Channel 2,Rate,3,0.533,0.058,10.83,0.500,0.600,pA\r\n"
        "Channel 2,Charge,1,1.000,----,----,----,----,nC\r\n"
        "Ratio,Rate Ratio,3,2.122,0.107,5.052,2.000,2.200,----\r\n"
        "Ratio,Charge Ratio,1,2.000,----,----,----,----,----\r\n";
    const struct {
        std::vector<CORRECTION_RESULT> results;
        bool withRows;
        int statistics, delimiter;
        std::string block;  // with commas
    } cases[] = {
        {{}, true, 0, 0, ""},
        {{polarity, recombination}, false, 0, 0, corrections + polarityRows + recombinationRows},
        {{recombination}, true, 0, 1, corrections + recombinationRows},
        {{}, true, 1, 1, statistics},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.block.substr(0, 20) + std::to_string(c.delimiter));
        CKelvarinDoc doc;
        doc.DataFileDelimiter = c.delimiter;
        if (c.withRows)
            AddRows(doc);
        const std::string rows = BuildDataFile(doc, DataLayout::Measurement);
        doc.CorrectionResults = c.results;
        doc.DataFileStatistics = c.statistics;
        std::string block = c.block;
        std::replace(block.begin(), block.end(), ',', c.delimiter == 1 ? '\t' : ',');
        const std::string file = BuildDataFile(doc, DataLayout::Measurement);
        if (c.withRows)
            EXPECT_EQ(file, rows + block);
        else
            EXPECT_EQ(file.substr(file.size() - std::min(file.size(), block.size())), block);
        doc.ClearMeasurements();  // a new data set forgets them: no rows, no file content
        EXPECT_EQ(BuildDataFile(doc, DataLayout::Measurement), "");
    }
    fw::SetClock(std::make_shared<fw::SystemClock>());
}

}  // namespace
