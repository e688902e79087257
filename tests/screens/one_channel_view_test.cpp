// The one-channel screen as an operator uses it: values from a known input current, timed,
// repeated, continuous and trigger collections, and the rows they add.

#include "one_channel_fixture.h"

namespace one_channel_test {
namespace {

using Ids = COneChannelView;

// The rate of the channel shown in its range's unit; over range, red crosses and the overload
// sound until the current is back in range.
TEST_F(OneChannelTest, AKnownCurrentShowsItsRateInTheRangesUnitAndOverRangeCrosses) {
    OpenScreen(1, 1);
    Measure(0.0, 2.5e6);
    EXPECT_EQ(TextOf(Ids::kIdRateValue) + TextOf(Ids::kIdRateUnit), "2.500nA");  // channel 2
    OpenScreen(0, 0);
    Measure(250.0, 61.0);
    EXPECT_EQ(TextOf(Ids::kIdRateValue) + TextOf(Ids::kIdRateUnit), "0.250pA");
    fw::PlayResourceSound("SndNotify");  // only what plays afterwards counts
    InjectCurrent(0, 5e9);               // far beyond the Low range's 500 pA
    Readings(10);
    EXPECT_EQ(fw::LastPlayedSound(), "SNDOVERLOAD");
    auto crosses = FindText("XXXXX");
    ASSERT_TRUE(crosses.has_value());
    EXPECT_EQ(crosses->color, fw::colors::kOverRange);
    Screenshot("one_channel_over_range.png");
    Measure(250.0);
    EXPECT_EQ(FindText("0.250")->color, fw::colors::kBlack);
}

// ---- timed collections -------------------------------------------------------------------

class TimedCollectionTest : public OneChannelTest {
  protected:
    void SetUpTimed(int seconds, int count = 1) {
        OpenScreen(0, 0);
        doc->AutoDataCapture = 1;
        ThenChoose("Timed Collection");
        ThenKeypadEntry(std::to_string(seconds), count > 1);
        if (count > 1)
            ThenKeypadEntry(std::to_string(count));
        TapControl(Ids::kIdChargeType);
        board->sent.clear();
    }
};

TEST_F(TimedCollectionTest, TenSecondsOfTwoPicoampsEndWithTwentyPicocoulombsAndOneRow) {
    SetUpTimed(10);
    Measure(2000.0);
    TapControl(Ids::kIdStartStop);
    Seconds(4);
    EXPECT_EQ(CaptionOf(Ids::kIdChargeType), "6 sec");  // the seconds remaining
    Screenshot("one_channel_collecting.png");
    fw::PlayResourceSound("SndNotify");  // only what plays afterwards counts
    Seconds(6);
    EXPECT_EQ(TextOf(Ids::kIdChargeValue), "20.00");
    EXPECT_EQ(fw::LastPlayedSound(), "SNDCHGDONE");
    EXPECT_EQ(CaptionOf(Ids::kIdStartStop), "Clear");
    EXPECT_EQ(doc->MeasList.size(), 1u);
    // The board was told the controls were locked and then released, once each.
    std::vector<BOARD_PACKET> locks = SentWithCode(0x04);
    ASSERT_EQ(locks.size(), 2u);
    EXPECT_EQ(locks[0].payload[0], 0);
    EXPECT_EQ(locks[1].payload[0], 1);
    Seconds(3);  // more readings do not change the held result
    EXPECT_EQ(TextOf(Ids::kIdChargeValue), "20.00");
}

// A collection of 2 pA that ends otherwise than by its time with automatic capture.
TEST_F(TimedCollectionTest, ACollectionEndedOtherwiseAddsNoRowOrOnlyItsOwn) {
    const struct {
        const char* name;
        int seconds, autoCapture;
        int overRange;  // the channel over range for 0.3 s after the first second, or -1
        int tapAt;      // the second of a touch on Stop/Clear, or 0
        const char* charge;
        size_t rows;
    } cases[] = {
        {"cleared after it ended", 2, 1, -1, 2, "0.000", 1},
        {"without automatic capture", 2, 0, -1, 0, "4.000", 0},
        {"stopped early", 10, 1, -1, 3, "6.000", 0},
        {"over-range on the way", 3, 1, 0, 0, "XXXXX", 0},
        {"over-range on the other channel", 2, 1, 1, 0, "4.000", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUpTimed(c.seconds);
        doc->AutoDataCapture = c.autoCapture;
        InjectCurrent(0, 2000.0);
        TapControl(Ids::kIdStartStop);
        Seconds(1);
        if (c.overRange >= 0) {
            InjectCurrent(c.overRange, 5e9);
            Readings(3);
            InjectCurrent(c.overRange, c.overRange == 0 ? 2000.0 : 0.0);
        }
        Seconds((c.tapAt > 0 ? c.tapAt : c.seconds) - 1);
        if (c.tapAt > 0)
            TapControl(Ids::kIdStartStop);
        EXPECT_EQ(doc->Collecting, 0);
        EXPECT_EQ(TextOf(Ids::kIdChargeValue), c.charge);
        EXPECT_EQ(doc->MeasList.size(), c.rows);
        Restart();
    }
}

TEST_F(TimedCollectionTest, RepeatedCollectionsRunTheSetCountThenHold) {
    SetUpTimed(2, 3);
    InjectCurrent(0, 1000.0);
    TapControl(Ids::kIdStartStop);
    Seconds(2);
    EXPECT_EQ(TextOf(Ids::kIdStatus), "Collecting (2/3)");
    EXPECT_EQ(doc->MeasList.size(), 1u);
    Seconds(9);
    EXPECT_EQ(doc->MeasList.size(), 3u);  // the series does not go on

    Restart();  // a count lowered during the series (as a remote change could) ends it at once
    SetUpTimed(1, 5);
    TapControl(Ids::kIdStartStop);
    Seconds(2);
    doc->RepeatCount = 1;
    Seconds(4);
    EXPECT_EQ(doc->CollectionFinished, 1);
    EXPECT_EQ(doc->MeasList.size(), 3u);
}

// ---- continuous and remote ----------------------------------------------------------------

TEST_F(OneChannelTest, StoppingAContinuousCollectionAddsItsRow) {
    OpenScreen(0, 0);
    doc->AutoDataCapture = 1;
    Choose(Ids::kIdChargeType, "Continuous");
    InjectCurrent(0, 3000.0);
    TapControl(Ids::kIdStartStop);
    Seconds(5);
    EXPECT_EQ(CaptionOf(Ids::kIdChargeType), "5 sec");
    fw::PlayResourceSound("SndNotify");  // only what plays afterwards counts
    TapControl(Ids::kIdStartStop);
    ASSERT_EQ(doc->MeasList.size(), 1u);
    EXPECT_EQ(doc->MeasList[0].CollectionSeconds, 5);
    EXPECT_EQ(fw::LastPlayedSound(), "SNDCHGDONE");
}

// As the button: a start over a held result only clears it, a start while running and a
// stop with nothing running change nothing, and an end notice not started here adds nothing.
TEST_F(OneChannelTest, RemoteStartAndStopActLikeTheButton) {
    OpenScreen(0, 0);
    doc->AutoDataCapture = 1;
    doc->UpdateAllViews(kHintCollection);
    EXPECT_TRUE(doc->MeasList.empty());
    doc->UpdateAllViews(kHintRemoteStart);
    doc->UpdateAllViews(kHintRemoteStart);
    EXPECT_EQ(CaptionOf(Ids::kIdStartStop), "Stop");
    doc->UpdateAllViews(kHintRemoteStop);
    EXPECT_EQ(CaptionOf(Ids::kIdStartStop), "Clear");
    doc->UpdateAllViews(kHintRemoteStart);
    EXPECT_EQ(doc->Collecting, 0);
    EXPECT_EQ(doc->CollectionFinished, 0);
    EXPECT_EQ(CaptionOf(Ids::kIdStartStop), "Start");

    doc->SetChargeType(2, 0);
    doc->UpdateAllViews(kHintRemoteStop);
    EXPECT_EQ(doc->TriggerArmed, 0);
    doc->UpdateAllViews(kHintRemoteStart);
    EXPECT_EQ(doc->TriggerArmed, 1);
    doc->UpdateAllViews(kHintRemoteStop);
    EXPECT_EQ(doc->TriggerArmed, 0);
}

// ---- Zero and the one-second timer -------------------------------------------

TEST_F(OneChannelTest, ZeroReleasesAHeldResultAndZeroesTheChannelShown) {
    OpenScreen(1, 0);
    TapControl(Ids::kIdStartStop);
    Seconds(int(doc->ChargeDuration));
    TapControl(Ids::kIdZero);
    EXPECT_EQ(CaptionOf(Ids::kIdStartStop), "Start");
    EXPECT_EQ(SentWithCode(0x03).size(), 1u);
    EXPECT_EQ(doc->ZeroChannels, 1);
    EXPECT_TRUE(View().ZeroDialogOpen());
}

TEST_F(OneChannelTest, EverySecondTheBiasIsReadBackAndTheBoardsClockRedrawsTheStrip) {
    OpenScreen(0, 0);
    Advance(3000);
    EXPECT_EQ(SentWithCode(0x82).size(), 3u);
    const int before = View().DateTimeBar().RedrawCount();
    doc->UpdateAllViews(kHintBoardClock);
    EXPECT_GT(View().DateTimeBar().RedrawCount(), before);
}

}  // namespace
}  // namespace one_channel_test
