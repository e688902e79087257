// Readings streamed to the remote port without being asked: one raw line per ADC packet,
// one rate line per rate update (every fifth packet), each switched on and off remotely.
#include <gtest/gtest.h>

#include <charconv>
#include <sstream>

#include "document/remote_fixture.h"

namespace {

using remote_testing::RemoteTest;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t at = 0;
    for (size_t end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(text.substr(at, end - at));
    EXPECT_EQ(at, text.size()) << "a line without CR LF";
    return lines;
}

std::vector<double> Fields(const std::string& line) {
    std::vector<double> values;
    std::stringstream in(line);
    for (std::string field; std::getline(in, field, ',');) {
        double v = 0;
        auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), v);
        EXPECT_TRUE(ec == std::errc() && end == field.data() + field.size()) << line;
        values.push_back(v);
    }
    return values;
}

class RemoteStream : public RemoteTest {
  protected:
    void SetUp() override {
        RemoteTest::SetUp();
        doc.Channel[0].Range = doc.Channel[1].Range = board.Board().Range(0);
        doc.ApplyRanges();
        board.Board().SetChannel(0, {.currentFa = 61000.0, .temperatureC = 22.0});
        board.Board().SetChannel(1, {.currentFa = 0.0, .temperatureC = 30.0});
    }
    std::vector<std::string> Stream(int packets) {
        board.remote.clear();
        board.SendAdc(packets);
        return Lines(board.remote);
    }
};

TEST_F(RemoteStream, RawAndRateLinesEachSwitchedOnAndOff) {
    EXPECT_TRUE(Stream(20).empty());
    Expect("<SRU1>*");
    for (const std::string& line : Stream(10)) {  // whole femtoamperes
        EXPECT_EQ(line.find('.'), std::string::npos) << line;
        std::vector<double> v = Fields(line);
        ASSERT_EQ(v.size(), 2u);
        EXPECT_NEAR(v[0], 61000.0, 610.0);
        EXPECT_NEAR(v[1], 0.0, 100.0);
    }
    Expect("<SRR1>*");
    std::vector<std::string> both = Stream(10);
    ASSERT_EQ(both.size(), 12u);
    EXPECT_EQ(Fields(both[5]).size(), 4u);  // after the fifth packet's raw line
    EXPECT_EQ(Fields(both[11]).size(), 4u);
    Expect("<SRU0>*");
    std::vector<std::string> rates = Stream(20);
    ASSERT_EQ(rates.size(), 4u);  // every fifth packet, twice a second
    for (const std::string& line : rates) {
        ASSERT_EQ(Fields(line).size(), 4u) << line;
        EXPECT_EQ(line[line.size() - 2], '.') << "temperatures with one decimal: " << line;
        EXPECT_EQ(line.substr(0, line.find(',')).find('.'), std::string::npos) << line;
    }
    std::vector<double> last = Fields(rates.back());
    EXPECT_NEAR(last[0], 61000.0, 610.0);
    EXPECT_NEAR(last[2], 22.0, 0.1);
    EXPECT_NEAR(last[3], 30.0, 0.1);
    Expect("<SRR0>*");
    EXPECT_TRUE(Stream(10).empty());
}

TEST_F(RemoteStream, ZeroingReadingsStreamRawButNoRates) {
    Expect("<SRU1>*|<SRR1>*|<DZ>*");
    std::vector<std::string> lines = Stream(20);
    EXPECT_EQ(lines.size(), 20u);
    for (const std::string& line : lines)
        EXPECT_EQ(Fields(line).size(), 2u) << line;
}

}  // namespace
