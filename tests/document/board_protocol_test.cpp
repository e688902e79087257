// The main board's packets as the document reads them, and the collections they drive.
#include "document/remote_fixture.h"

namespace {

class BoardProtocol : public remote_testing::RemoteTest {
  protected:
    void Receive(uint8_t code, std::initializer_list<uint8_t> payload) {
        BOARD_PACKET p = MakePacket(code, payload);
        doc.OnBoardPacket(&p);
    }
};

// Answers are taken and malformed packets change nothing; the bias read-back is scaled and
// notified only on a change.
TEST_F(BoardProtocol, AnswersBiasReadbackCollectionsZeroingDateTimeAndTriggerLevels) {
    Receive(0x00, {2, 1});           // no channel 3
    Receive(0x00, {0, 2});           // no range 2
    Receive(0x00, {1});              // short
    Receive(0x01, {0, 0x00, 0x10});  // +4096 V: no bias supply gives that
    Receive(0x01, {1, 0x17, 0xFC});  // -1001 V
    Receive(0x81, {1, 2});           // short version
    Receive(0x84, {0, 0, 0x80});
    EXPECT_EQ(std::vector<int>({doc.Channel[0].Range, doc.Channel[1].Range, doc.Channel[0].BiasSet,
                                doc.Channel[1].BiasSet, doc.Filter.SampleCount}),
              std::vector<int>(5, 0));
    EXPECT_TRUE(doc.FirmwareVersion.empty() && screen->hints.empty());

    Receive(0x00, {1, 1});
    Receive(0x01, {0, 0x18, 0xFC});  // -1000 V
    Receive(0x81, {2, 1, 0, 17});
    Receive(0x89, {1, 0, 0, 7});  // no view hears of the second version
    EXPECT_EQ(std::tuple(doc.Channel[1].Range, doc.Channel[0].BiasSet, doc.FirmwareVersion,
                         doc.FirmwareVersion2),
              std::tuple(1, -1000, "2.1.0.17", "1.0.0.7"));
    EXPECT_EQ(screen->hints, (std::vector<int>{7, 9, 1}));
    doc.Filter.Cal[0].BiasM = 0.5;
    doc.Filter.Cal[0].BiasB = 2.0;
    doc.Filter.Cal[1].BiasB = 7.0;
    Receive(0x82, {0x9C, 0xFF, 0x00, 0x00});  // ch1 raw −100, ch2 raw 0
    EXPECT_EQ(doc.Channel[0].BiasRead, -52);  // −(100 × 0.5 + 2)
    EXPECT_EQ(doc.Channel[1].BiasRead, 0);    // zero stays zero whatever the offset
    // Channel 2 is only looked at when channel 1 did not change, so its first look comes next.
    for (int i = 0; i < 2; ++i)
        Receive(0x82, {0x9C, 0xFF, 0x00, 0x00});
    EXPECT_EQ(screen->Count(3), 2);
    // A scale that would overflow the 16-bit reading is held at its limits.
    doc.Filter.Cal[0].BiasM = 1e9;
    Receive(0x82, {0x01, 0x00, 0x00, 0x00});
    EXPECT_EQ(doc.Channel[0].BiasRead, 32767);
    doc.Filter.Cal[0].BiasM = std::nan("");
    Receive(0x82, {0x01, 0x00, 0x00, 0x00});
    EXPECT_EQ(doc.Channel[0].BiasRead, 0);
    // A timed collection of one second ends on the tenth packet; zeroing one channel leaves the
    // other alone.
    doc.SetChargeType(0, 1);
    doc.StartCollection();
    board.SendAdc(9);
    EXPECT_EQ(doc.Collecting, 1);
    board.SendAdc(1);
    EXPECT_EQ(doc.Collecting, 0);
    const int ticks = screen->Count(6);
    board.SendAdc(10);  // nothing more is counted once it ended
    EXPECT_EQ(screen->Count(6), ticks);
    ASSERT_TRUE(doc.SetRange(0, 0) && doc.SetRange(1, 0));
    doc.Filter.Cal[1].Low.Zero = 1234;
    board.Board().SetChannel(0, {.currentFa = 0.0, .leakageFa = 3.0});
    doc.BeginZeroing(0);
    board.SendAdc(239);
    EXPECT_TRUE(doc.Filter.Zeroing);
    board.SendAdc(1);
    EXPECT_FALSE(doc.Filter.Zeroing);
    EXPECT_EQ(doc.Filter.Cal[1].Low.Zero, 1234);
    EXPECT_NE(doc.Filter.Cal[0].Low.Zero, 0);  // the leakage became channel 1's zero
    // The date and time go out and come back in the board layout; a trigger starts at the start
    // level and ends at the stop level.
    ASSERT_TRUE(clock->SetLocalTime({2016, 3, 1, 14, 9, 5, 7, 0}));  // a Monday
    ASSERT_TRUE(doc.SetDateTime());
    const BOARD_PACKET& sent = board.sent.back();
    EXPECT_EQ(std::vector<uint8_t>(sent.payload, sent.payload + sent.length),
              (std::vector<uint8_t>{0x07, 0x05, 0x09, 0x02, 0x0E, 0x03, 0x10}));

    Receive(0x83, {30, 45, 23, 1, 31, 12, 0x19});  // 2025-12-31 23:45:30
    const fw::LocalTime t = clock->Now();
    EXPECT_EQ(std::vector<int>({t.year, t.month, t.day, t.hour, t.minute, t.second}),
              (std::vector<int>{2025, 12, 31, 23, 45, 30}));
    // Nonsense from the board leaves the clock alone and tells nobody.
    Receive(0x83, {0, 0, 0, 1, 31, 2, 16});  // 31 February
    Receive(0x83, {1, 2, 3});                // short
    EXPECT_EQ(clock->Now().year, 2025);
    EXPECT_EQ(screen->Count(2), 1);
    doc.SetChargeType(2, 15);
    doc.LStart = 10.0;
    doc.LStop = 5.0;
    doc.StartCollection();
    auto adc = [&](uint32_t c1) {
        Receive(0x84, {uint8_t(c1), uint8_t(c1 >> 8), uint8_t(c1 >> 16), 0, 0, 0, 0x80, 0, 0, 0,
                       0x80, 0, 0, 0, 0x80, 0});
        return std::pair<int, int>(doc.TriggerArmed, doc.Collecting);
    };
    const uint32_t quiet = (doc.Filter.StopLow + doc.Filter.StopHigh) / 2;
    EXPECT_EQ(adc(quiet), std::pair(1, 0));
    EXPECT_EQ(adc(doc.Filter.StartHigh), std::pair(2, 1));  // exactly the start level starts it
    EXPECT_EQ(adc(doc.Filter.StopLow), std::pair(3, 1));    // exactly the stop level ends it
    for (int i = 0; i < 10 && doc.Collecting; ++i)
        adc(quiet);
    EXPECT_EQ(doc.Collecting, 0);  // on the next one-second tick
}

}  // namespace
