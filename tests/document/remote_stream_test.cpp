// Readings streamed to the remote port without being asked: one raw line per ADC packet,
// one rate line per rate update (every fifth packet), each switched on and off remotely.

#include <regex>

#include "document/remote_fixture.h"

namespace {

using remote_testing::RemoteTest;

class RemoteStream : public RemoteTest {
  protected:
    // The numbers of each line `packets` packets stream, after its form is checked: rates in
    // whole femtoamperes, temperatures with one decimal, every line ending in CR LF.
    std::vector<std::vector<double>> Stream(int packets) {
        static const std::regex kLine(
            "(-?[0-9]+,-?[0-9]+(,-?[0-9]+\\.[0-9],-?[0-9]+\\.[0-9])?\r\n)*");
        board.remote.clear();
        board.SendAdc(packets);
        EXPECT_TRUE(std::regex_match(board.remote, kLine)) << board.remote;
        std::vector<std::vector<double>> lines;
        std::stringstream in(board.remote);
        for (std::string line; std::getline(in, line);) {
            std::stringstream fields(line);
            lines.emplace_back();
            for (std::string field; std::getline(fields, field, ',');)
                lines.back().push_back(std::stod(field));
        }
        return lines;
    }
    // How many fields each line of `packets` packets has.
    std::vector<size_t> Widths(int packets) {
        std::vector<size_t> widths;
        for (const auto& line : Stream(packets))
            widths.push_back(line.size());
        return widths;
    }
};

TEST_F(RemoteStream, RawAndRateLinesEachSwitchedOnAndOff) {
    doc.Channel[0].Range = doc.Channel[1].Range = board.Board().Range(0);
    doc.ApplyRanges();
    board.Board().SetChannel(0, {.currentFa = 61000.0, .temperatureC = 22.0});
    board.Board().SetChannel(1, {.currentFa = 0.0, .temperatureC = 30.0});
    EXPECT_TRUE(Stream(20).empty());
    Expect("<SRU1>*");
    for (const auto& raw : Stream(10)) {  // whole femtoamperes
        ASSERT_EQ(raw.size(), 2u);
        EXPECT_NEAR(raw[0], 61000.0, 610.0);
        EXPECT_NEAR(raw[1], 0.0, 100.0);
    }
    Expect("<SRR1>*");
    // The fifth packet's rate line after its raw line.
    EXPECT_EQ(Widths(10), (std::vector<size_t>{2, 2, 2, 2, 2, 4, 2, 2, 2, 2, 2, 4}));
    Expect("<SRU0>*");
    const auto rates = Stream(20);
    ASSERT_EQ(rates.size(), 4u);  // every fifth packet, twice a second
    EXPECT_NEAR(rates.back()[0], 61000.0, 610.0);
    EXPECT_NEAR(rates.back()[2], 22.0, 0.1);
    EXPECT_NEAR(rates.back()[3], 30.0, 0.1);
    Expect("<SRR0>*");
    EXPECT_TRUE(Stream(10).empty());
    // Zeroing readings stream raw but no rates.
    Expect("<SRU1>*|<SRR1>*|<DZ>*");
    EXPECT_EQ(Widths(10), std::vector<size_t>(10, 2));
}

}  // namespace
