// The statistics block at the end of a data file: absent unless chosen, so that the file is
// then the same byte for byte, and after every row when chosen.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "export/DataFile.h"
#include "fw/Clock.h"

namespace {

class StatisticsBlock : public ::testing::Test {
  protected:
    void SetUp() override { fw::SetClock(clock); }
    void TearDown() override { fw::SetClock(std::make_shared<fw::SystemClock>()); }
    // Rate rows of both channels (fA), then one charge row (pC), all on the Low range.
    void AddRows() {
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
    std::string File(int statistics, int delimiter) {
        doc.DataFileStatistics = statistics;
        doc.DataFileDelimiter = delimiter;
        return BuildDataFile(doc, DataLayout::Measurement);
    }

    std::shared_ptr<fw::ManualClock> clock = std::make_shared<fw::ManualClock>();
    CKelvarinDoc doc;
};

TEST_F(StatisticsBlock, OffLeavesTheFileAsItWasAndOnAddsTheBlockAfterEveryRow) {
    AddRows();
    // By hand: channel 1 rates 1.0, 1.1, 1.3 pA: mean 1.1333, s 0.15275, CV 13.478 %;
    // channel 2 0.5, 0.5, 0.6 pA: mean 0.53333, s 0.057735, CV 10.825 %; rate ratios
    // 2.000, 2.200, 2.167: mean 2.1223, s 0.10722, CV 5.0519 %; one charge row each.
    const std::string kBlock =
        "Statistics\r\nSeries,Quantity,n,Mean,Std Dev,CV (%),Min,Max,Unit\r\n"
        "Channel 1,Rate,3,1.133,0.153,13.48,1.000,1.300,pA\r\n"
        "Channel 1,Charge,1,2.000,----,----,----,----,nC\r\n"
        "Channel 2,Rate,3,0.533,0.058,10.83,0.500,0.600,pA\r\n"
        "Channel 2,Charge,1,1.000,----,----,----,----,nC\r\n"
        "Ratio,Rate Ratio,3,2.122,0.107,5.052,2.000,2.200,----\r\n"
        "Ratio,Charge Ratio,1,2.000,----,----,----,----,----\r\n";
    for (int delimiter : {0, 1}) {
        SCOPED_TRACE(delimiter);
        const std::string off = File(0, delimiter);
        const std::string on = File(1, delimiter);
        EXPECT_EQ(off.find("Statistics"), std::string::npos);
        ASSERT_EQ(on.substr(0, off.size()), off);
        std::string block = kBlock;
        std::replace(block.begin(), block.end(), ',', delimiter == 1 ? '\t' : ',');
        EXPECT_EQ(on.substr(off.size()), block);
    }
    doc.MeasList.clear();
    EXPECT_EQ(File(1, 0), "");  // no rows, no file content, block or not
}

}  // namespace
