// The warm-up as the operator sees it: the board brought into a known state in order, the
// 60 s countdown on the test clock, then the single-channel screen for channel 1.
#include "link/WindowMessages.h"
#include "screens/CDateTimeBar.h"
#include "screens/CSplashView.h"
#include "screens/CStandbyView.h"
#include "screens/ViewFactory.h"
#include "support/screen_fixture.h"

namespace {

class WarmUp : public testing_support::ScreenFixture {
  protected:
    // The standby screen answers the board's ready event, as at every start.
    CSplashView* StartWarmUp() {
        Show<CStandbyView>();
        sentBefore = board->sent.size();
        Post(WM_BOARD_READY);
        return dynamic_cast<CSplashView*>(frame->ActiveView());
    }
    bool OnOneChannelScreen() const {
        return typeid(*frame->ActiveView()) == typeid(*MakeOneChannelView());
    }
    size_t sentBefore = 0;
};

// The zeros cleared: the wake case below.
TEST_F(WarmUp, CommandsTheBoardInOrderAndClearsEveryZero) {
    doc->Channel[1].BiasSet = -150;
    doc->DefChargeType = 1;  // the default collection type replaces a different one
    doc->ChargeType = 0;
    ASSERT_NE(StartWarmUp(), nullptr);

    EXPECT_EQ(SentCodes(sentBefore), (std::vector<uint8_t>{0x81, 0x89, 0x83, 0x00, 0x00, 0x82}));
    for (uint8_t ch : {0, 1}) {  // both channels to High
        EXPECT_EQ(board->sent[sentBefore + 3 + ch].payload[0], ch);
        EXPECT_EQ(board->sent[sentBefore + 3 + ch].payload[1], 1);
    }
    EXPECT_EQ(doc->Channel[1].BiasSet, 0);
    EXPECT_EQ(doc->ChargeType, 1);
    EXPECT_EQ(doc->AutoDataCapture, 1);
    // The board's answers: the firmware version shown, the clock taken over on the strip.
    EXPECT_TRUE(!doc->FirmwareVersion.empty() && ScreenHasText(doc->FirmwareVersion));
    EXPECT_TRUE(ScreenHasText(CDateTimeBar::TimeText(fw::GetClock().Now(), doc->TimeFormat)));
}

// No valid due date counts as due: the notice comes with the first second.
TEST_F(WarmUp, CountsDownSixtySecondsThenOpensChannelOne) {
    doc->OneChannelShown = 1;
    doc->Brightness = 10;
    doc->Volume = 8;
    doc->CalDueDate = DATE3{0, 0, 0};
    ASSERT_NE(StartWarmUp(), nullptr);
    EXPECT_TRUE(ScreenHasText("Warm-up time remaining: 01:00"));
    Advance(1000);
    // The first second lights the panel and sets the sound.
    EXPECT_TRUE(board::Panel().backlightOn);
    EXPECT_EQ(board::Panel().dutyPercent, 70);
    EXPECT_EQ(board::Panel().volumeSetting, 0xCCC8CCC8u);
    EXPECT_EQ(fw::LastPlayedSound(), "SNDAPPSTART");
    EXPECT_TRUE(ScreenShows("calibration is soon or past due."));
    Screenshot("splash_cal_due.png");
    Advance(59000);
    EXPECT_TRUE(ScreenHasText("Warm-up time remaining: 00:00"));
    EXPECT_TRUE(ActiveIs<CSplashView>());
    Advance(1000);
    EXPECT_TRUE(OnOneChannelScreen());
    EXPECT_EQ(doc->OneChannelShown, 0);
    EXPECT_EQ(fw::LastPlayedSound(), "SNDWARMUPCOMPLETE");
}

// A standby during the warm-up, then the wake: the warm-up starts again (zeros cleared), and
// a bypass opens channel 1 at once without the warm-up's sound.
TEST_F(WarmUp, StandbyDuringTheWarmUpAndWakeStartsItAgainAndBypassSkipsIt) {
    doc->CalDueDate = DATE3{2100, 1, 1};
    ASSERT_NE(StartWarmUp(), nullptr);
    Advance(10000);
    EXPECT_FALSE(ScreenShows("calibration is soon or past due."));
    Post(WM_BOARD_STANDBY);
    ASSERT_TRUE(ActiveIs<CStandbyView>());
    doc->Filter.Cal[1].High.Zero = 55;
    Post(WM_BOARD_WAKE);
    auto* splash = dynamic_cast<CSplashView*>(frame->ActiveView());
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(splash->WarmupSeconds(), 60u);
    EXPECT_EQ(doc->Filter.Cal[1].High.Zero, 0);
    const std::string soundBefore = fw::LastPlayedSound();
    ASSERT_TRUE(TapText("Bypass Warm-up"));
    EXPECT_TRUE(OnOneChannelScreen());
    EXPECT_EQ(fw::LastPlayedSound(), soundBefore);
}

}  // namespace
