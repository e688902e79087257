// The one-channel screen as an operator uses it: values from a known input current, timed,
// repeated, continuous and trigger collections, and the rows they add.
#include "one_channel_fixture.h"

namespace one_channel_test {
namespace {

using Ids = COneChannelView;

TEST_F(OneChannelTest, KnownLowRangeCurrentShowsItsRateInPicoamps) {
    OpenScreen(0, 0);
    InjectCurrent(0, 61.0);
    Readings(200);
    EXPECT_EQ(TextOf(Ids::kIdRateValue), "0.061");
    EXPECT_EQ(TextOf(Ids::kIdRateUnit), "pA");
    EXPECT_TRUE(ScreenHasText("0.061"));
    Screenshot("one_channel_low_rate.png");
}

TEST_F(OneChannelTest, KnownHighRangeCurrentShowsItsRateInNanoamps) {
    OpenScreen(0, 1);
    InjectCurrent(0, 2.5e6);
    Readings(200);
    EXPECT_TRUE(ScreenHasText("2.500"));
    EXPECT_EQ(TextOf(Ids::kIdRateUnit), "nA");
}

TEST_F(OneChannelTest, ChannelTwoShowsItsOwnCurrent) {
    OpenScreen(1, 0);
    InjectCurrent(0, 61.0);
    InjectCurrent(1, 250.0);
    Readings(200);
    EXPECT_EQ(TextOf(Ids::kIdRateValue), "0.250");
    EXPECT_EQ(CaptionOf(Ids::kIdPage), " CH\r\n  2");
}

TEST_F(OneChannelTest, OverRangeShowsCrossesInRedAndSoundsTheOverload) {
    OpenScreen(0, 0);
    InjectCurrent(0, 61.0);
    Readings(200);
    ForgetSounds();
    InjectCurrent(0, 5e9);  // far beyond the Low range's 500 pA
    Readings(10);
    EXPECT_TRUE(ScreenHasText("XXXXX"));
    EXPECT_EQ(LastSound(), "SNDOVERLOAD");
    auto crosses = FindText("XXXXX");
    ASSERT_TRUE(crosses.has_value());
    EXPECT_EQ(crosses->color, fw::colors::kOverRange);
    Screenshot("one_channel_over_range.png");
    InjectCurrent(0, 61.0);
    Readings(200);
    EXPECT_EQ(TextOf(Ids::kIdRateValue), "0.061");
    EXPECT_EQ(FindText("0.061")->color, fw::colors::kBlack);
}

// ---- timed collections -------------------------------------------------------------------

class TimedCollectionTest : public OneChannelTest {
  protected:
    void SetUpTimed(int seconds, int count = 1) {
        OpenScreen(0, 0);
        doc->AutoDataCapture = 1;
        script->Then([this] { TapText("Timed Collection"); });
        ThenKeypadEntry(std::to_string(seconds), count > 1);
        if (count > 1)
            ThenKeypadEntry(std::to_string(count));
        TapControl(Ids::kIdChargeType);
        board->sent.clear();
    }
};

TEST_F(TimedCollectionTest, TenSecondsOfTwoPicoampsEndWithTwentyPicocoulombsAndOneRow) {
    SetUpTimed(10);
    ASSERT_EQ(doc->ChargeDuration, 10);
    EXPECT_EQ(CaptionOf(Ids::kIdChargeType), "10 sec");
    InjectCurrent(0, 2000.0);
    Readings(200);
    TapControl(Ids::kIdStartStop);
    EXPECT_EQ(CaptionOf(Ids::kIdStartStop), "Stop");
    EXPECT_EQ(TextOf(Ids::kIdStatus), "Collecting (1/1)");
    EXPECT_FALSE(View().ControlsEnabled());
    Seconds(4);
    EXPECT_EQ(CaptionOf(Ids::kIdChargeType), "6 sec");  // the seconds remaining
    Screenshot("one_channel_collecting.png");
    ForgetSounds();
    Seconds(6);
    EXPECT_EQ(TextOf(Ids::kIdChargeValue), "20.00");
    EXPECT_EQ(TextOf(Ids::kIdChargeUnit), "pC");
    EXPECT_EQ(LastSound(), "SNDCHGDONE");
    EXPECT_EQ(CaptionOf(Ids::kIdStartStop), "Clear");
    EXPECT_EQ(TextOf(Ids::kIdStatus), "Idle");
    ASSERT_EQ(doc->MeasList.size(), 1u);
    EXPECT_EQ(doc->MeasList[0].Charge[0], "20.00");
    EXPECT_EQ(View().DataPage().List().GetItemCount(), 1);
    // The board was told the controls were locked and then released, once each.
    std::vector<BOARD_PACKET> locks = SentWithCode(0x04);
    ASSERT_EQ(locks.size(), 2u);
    EXPECT_EQ(locks[0].payload[0], 0);
    EXPECT_EQ(locks[1].payload[0], 1);
    // More readings do not change the held result.
    Seconds(3);
    EXPECT_EQ(TextOf(Ids::kIdChargeValue), "20.00");
    Screenshot("one_channel_held.png");
}

TEST_F(TimedCollectionTest, ClearDiscardsTheHeldChargeAndReturnsToStart) {
    SetUpTimed(2);
    InjectCurrent(0, 2000.0);
    TapControl(Ids::kIdStartStop);
    Seconds(2);
    ASSERT_EQ(CaptionOf(Ids::kIdStartStop), "Clear");
    TapControl(Ids::kIdStartStop);
    EXPECT_EQ(CaptionOf(Ids::kIdStartStop), "Start");
    EXPECT_EQ(doc->CollectionFinished, 0);
    EXPECT_EQ(TextOf(Ids::kIdChargeValue), "0.000");
    EXPECT_EQ(doc->MeasList.size(), 1u);
}

TEST_F(TimedCollectionTest, WithoutAutomaticCaptureTheCollectionEndsWithoutARow) {
    SetUpTimed(2);
    doc->AutoDataCapture = 0;
    InjectCurrent(0, 2000.0);
    TapControl(Ids::kIdStartStop);
    Seconds(2);
    EXPECT_EQ(CaptionOf(Ids::kIdStartStop), "Clear");
    EXPECT_TRUE(doc->MeasList.empty());
}

TEST_F(TimedCollectionTest, StoppedEarlyItAddsNoRow) {
    SetUpTimed(10);
    InjectCurrent(0, 2000.0);
    TapControl(Ids::kIdStartStop);
    Seconds(3);
    TapControl(Ids::kIdStartStop);
    EXPECT_EQ(CaptionOf(Ids::kIdStartStop), "Clear");
    EXPECT_EQ(doc->Collecting, 0);
    EXPECT_TRUE(doc->MeasList.empty());
    EXPECT_TRUE(View().ControlsEnabled());
}

TEST_F(TimedCollectionTest, OverRangeDuringTheCollectionShowsCrossesAndAddsNoRow) {
    SetUpTimed(3);
    InjectCurrent(0, 2000.0);
    TapControl(Ids::kIdStartStop);
    Seconds(1);
    InjectCurrent(0, 5e9);
    Readings(3);
    InjectCurrent(0, 2000.0);
    Seconds(2);
    EXPECT_EQ(doc->Collecting, 0);
    EXPECT_EQ(TextOf(Ids::kIdChargeValue), "XXXXX");
    EXPECT_TRUE(doc->MeasList.empty());
    EXPECT_EQ(CaptionOf(Ids::kIdStartStop), "Clear");
}

TEST_F(TimedCollectionTest, OverRangeOnTheOtherChannelAlsoKeepsTheRowOut) {
    SetUpTimed(2);
    InjectCurrent(0, 2000.0);
    InjectCurrent(1, 5e9);
    TapControl(Ids::kIdStartStop);
    Seconds(2);
    EXPECT_EQ(TextOf(Ids::kIdChargeValue), "4.000");
    EXPECT_TRUE(doc->MeasList.empty());
}

TEST_F(TimedCollectionTest, RepeatedCollectionsRunTheSetCountThenHold) {
    SetUpTimed(2, 3);
    ASSERT_EQ(doc->RepeatCount, 3);
    ASSERT_EQ(doc->Repeating, 1);
    EXPECT_EQ(CaptionOf(Ids::kIdChargeType), "2 sec x3");
    InjectCurrent(0, 1000.0);
    TapControl(Ids::kIdStartStop);
    Seconds(2);
    EXPECT_EQ(TextOf(Ids::kIdStatus), "Collecting (2/3)");
    EXPECT_EQ(doc->MeasList.size(), 1u);
    Seconds(2);
    EXPECT_EQ(TextOf(Ids::kIdStatus), "Collecting (3/3)");
    Seconds(2);
    EXPECT_EQ(doc->MeasList.size(), 3u);
    EXPECT_EQ(CaptionOf(Ids::kIdStartStop), "Clear");
    EXPECT_EQ(doc->Collecting, 0);
    Seconds(5);
    EXPECT_EQ(doc->MeasList.size(), 3u);  // the series does not go on
    for (const MEAS_INFO& row : doc->MeasList)
        EXPECT_EQ(row.Charge[0], "2.000");
}

TEST_F(TimedCollectionTest, ACountLoweredDuringTheSeriesEndsItAtOnce) {
    SetUpTimed(1, 5);
    TapControl(Ids::kIdStartStop);
    Seconds(2);
    doc->RepeatCount = 1;  // as a remote change could
    Seconds(1);
    EXPECT_EQ(doc->CollectionFinished, 1);
    Seconds(3);
    EXPECT_EQ(doc->MeasList.size(), 3u);
}

// ---- continuous and trigger ----------------------------------------------------------------

TEST_F(OneChannelTest, StoppingAContinuousCollectionAddsItsRow) {
    OpenScreen(0, 0);
    doc->AutoDataCapture = 1;
    script->Then([this] { TapText("Continuous"); });
    TapControl(Ids::kIdChargeType);
    ASSERT_EQ(doc->ChargeType, 1);
    InjectCurrent(0, 3000.0);
    TapControl(Ids::kIdStartStop);
    Seconds(5);
    EXPECT_EQ(CaptionOf(Ids::kIdChargeType), "5 sec");
    ForgetSounds();
    TapControl(Ids::kIdStartStop);
    ASSERT_EQ(doc->MeasList.size(), 1u);
    EXPECT_EQ(doc->MeasList[0].Charge[0], "15.00");
    EXPECT_EQ(doc->MeasList[0].CollectionSeconds, 5);
    EXPECT_EQ(LastSound(), "SNDCHGDONE");
    EXPECT_EQ(CaptionOf(Ids::kIdStartStop), "Clear");
}

TEST_F(OneChannelTest, TriggerCollectionsReArmUntilStopped) {
    OpenScreen(0, 0);
    doc->AutoDataCapture = 1;
    doc->LStart = 10.0;  // pA
    doc->LStop = 5.0;
    script->Then([this] { TapText("Trigger (Ch.1)"); });
    TapControl(Ids::kIdChargeType);
    ASSERT_EQ(doc->ChargeType, 2);
    InjectCurrent(0, 0.0);
    Readings(200);
    TapControl(Ids::kIdStartStop);
    EXPECT_EQ(TextOf(Ids::kIdStatus), "Armed (Ch.1)");
    for (int shot = 1; shot <= 2; ++shot) {
        InjectCurrent(0, 50000.0);
        Seconds(3);
        EXPECT_EQ(TextOf(Ids::kIdStatus), "Triggered (Ch.1)") << "shot " << shot;
        InjectCurrent(0, 0.0);
        Seconds(2);
        EXPECT_EQ(TextOf(Ids::kIdStatus), "Armed (Ch.1)") << "shot " << shot;
        EXPECT_EQ(doc->MeasList.size(), size_t(shot));
    }
    TapControl(Ids::kIdStartStop);
    EXPECT_EQ(TextOf(Ids::kIdStatus), "Idle");
    EXPECT_EQ(doc->TriggerArmed, 0);
    InjectCurrent(0, 50000.0);
    Seconds(3);
    EXPECT_EQ(doc->MeasList.size(), 2u);
}

TEST_F(OneChannelTest, RemoteStartAndStopActLikeTheButton) {
    OpenScreen(0, 0);
    doc->UpdateAllViews(kHintRemoteStart);
    EXPECT_EQ(doc->Collecting, 1);
    EXPECT_EQ(CaptionOf(Ids::kIdStartStop), "Stop");
    doc->UpdateAllViews(kHintRemoteStop);
    EXPECT_EQ(doc->Collecting, 0);
    EXPECT_EQ(CaptionOf(Ids::kIdStartStop), "Clear");
}

// As the button: the first start over a held result clears it, the next one starts.
TEST_F(OneChannelTest, ARemoteStartOverAHeldResultOnlyClearsIt) {
    OpenScreen(0, 0);
    TapControl(Ids::kIdStartStop);
    Seconds(int(doc->ChargeDuration));
    ASSERT_EQ(CaptionOf(Ids::kIdStartStop), "Clear");
    doc->UpdateAllViews(kHintRemoteStart);
    EXPECT_EQ(doc->Collecting, 0);
    EXPECT_EQ(doc->CollectionFinished, 0);
    EXPECT_EQ(CaptionOf(Ids::kIdStartStop), "Start");
    EXPECT_EQ(TextOf(Ids::kIdStatus), "Idle");
    doc->UpdateAllViews(kHintRemoteStart);
    EXPECT_EQ(doc->Collecting, 1);
    EXPECT_EQ(CaptionOf(Ids::kIdStartStop), "Stop");
    doc->UpdateAllViews(kHintRemoteStart);  // a start while running changes nothing
    EXPECT_EQ(doc->Collecting, 1);
}

TEST_F(OneChannelTest, ARemoteStopWithNothingRunningStartsNothing) {
    OpenScreen(0, 0);
    doc->SetChargeType(2, 0);
    doc->UpdateAllViews(kHintRemoteStop);
    EXPECT_EQ(doc->TriggerArmed, 0);
    EXPECT_EQ(CaptionOf(Ids::kIdStartStop), "Start");
    doc->UpdateAllViews(kHintRemoteStart);
    EXPECT_EQ(doc->TriggerArmed, 1);
    doc->UpdateAllViews(kHintRemoteStop);
    EXPECT_EQ(doc->TriggerArmed, 0);
    EXPECT_EQ(TextOf(Ids::kIdStatus), "Idle");
}

TEST_F(OneChannelTest, AnEndNoticeForACollectionNotStartedHereStartsNothing) {
    OpenScreen(0, 0);
    doc->AutoDataCapture = 1;
    doc->UpdateAllViews(kHintCollection);
    EXPECT_EQ(doc->Collecting, 0);
    EXPECT_TRUE(doc->MeasList.empty());
    EXPECT_EQ(CaptionOf(Ids::kIdStartStop), "Start");
}

// ---- Add Measurement -----------------------------------------------------------------------

TEST_F(OneChannelTest, AddMeasurementAddsARateRowAndSaysSo) {
    OpenScreen(0, 0);
    doc->AutoDataCapture = 1;
    InjectCurrent(0, 61.0);
    Readings(200);
    bool noticeShown = false;
    script->Then([&] {
        noticeShown = ScreenHasText("Data Point Added to List.");
        clock->Advance(1000);
    });
    TapControl(Ids::kIdAddMeasurement);
    EXPECT_TRUE(noticeShown);
    ASSERT_EQ(doc->MeasList.size(), 1u);
    EXPECT_EQ(doc->MeasList[0].Rate[0], "0.061");
    EXPECT_EQ(View().DataPage().List().GetItemText(0, 2), "0.061 pA");
}

TEST_F(OneChannelTest, AddMeasurementAddsNothingOverRangeOrWithoutCapture) {
    OpenScreen(0, 0);
    doc->AutoDataCapture = 0;
    Readings(200);
    TapControl(Ids::kIdAddMeasurement);
    EXPECT_TRUE(doc->MeasList.empty());
    doc->AutoDataCapture = 1;
    InjectCurrent(1, 5e9);  // the channel not shown
    Readings(10);
    TapControl(Ids::kIdAddMeasurement);
    EXPECT_TRUE(doc->MeasList.empty());
}

TEST_F(OneChannelTest, ZeroReleasesAHeldResultAndZeroesTheChannelShown) {
    OpenScreen(1, 0);
    TapControl(Ids::kIdStartStop);
    Seconds(int(doc->ChargeDuration));
    ASSERT_EQ(CaptionOf(Ids::kIdStartStop), "Clear");
    TapControl(Ids::kIdZero);
    EXPECT_EQ(CaptionOf(Ids::kIdStartStop), "Start");
    EXPECT_EQ(SentWithCode(0x03).size(), 1u);
    EXPECT_EQ(doc->ZeroChannels, 1);
    EXPECT_TRUE(View().ZeroDialogOpen());
}

// ---- the one-second timer ------------------------------------------------------------------

TEST_F(OneChannelTest, TheBoardsClockRedrawsTheDateStrip) {
    OpenScreen(0, 0);
    const int before = View().DateTimeBar().RedrawCount();
    doc->UpdateAllViews(kHintBoardClock);
    EXPECT_GT(View().DateTimeBar().RedrawCount(), before);
}

TEST_F(OneChannelTest, EverySecondTheBiasIsReadBack) {
    OpenScreen(0, 0);
    Advance(3000);
    EXPECT_EQ(SentWithCode(0x82).size(), 3u);
}

}  // namespace
}  // namespace one_channel_test
