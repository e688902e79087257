// The "Trend" page of both measuring screens as an operator uses it: a page left alone while
// hidden, the window buttons, and each channel with its legend, drift and unit (a chamber's
// dose rate).
#include "two_channel_fixture.h"

namespace {

using namespace two_channel_test;

class TrendPageTest : public TwoChannelTest {
  protected:
    // `seconds` of readings, ten a second, with the clock moving as they come.
    void Run(int seconds) {
        for (int i = 0; i < seconds * 10; ++i) {
            board->SendAdc(1);
            Advance(100);
        }
    }
    CTrendPage& Page() {
        if (auto* one = dynamic_cast<COneChannelView*>(frame->ActiveView()))
            return one->TrendPage();
        return Screen().TrendPage();
    }
    const TrendChannelChart& Drawn(size_t slot) { return Page().Chart().channels.at(slot); }
};

// The page is left alone while hidden, then each window button chooses the span shown.
TEST_F(TrendPageTest, AHiddenPageIsLeftAloneAndTheWindowButtonsChooseTheSpan) {
    InjectCurrent(0, 10000);
    OpenScreen(0, 0);
    Run(5);
    ASSERT_TRUE(TapText("Trend"));
    const size_t before = Drawn(0).runs.back().size();
    ASSERT_TRUE(TapText("Data"));
    Run(600);                                        // ten minutes on another page
    EXPECT_EQ(Drawn(0).runs.back().size(), before);  // not built while hidden
    ASSERT_TRUE(TapText("Trend"));
    for (const auto& [button, minutes, oldestTick] :
         {std::tuple{"5 min", 5, "-5 min"}, {"15 min", 15, "-15 min"}, {"1 min", 1, "-60 s"}}) {
        ASSERT_TRUE(TapText(button));
        EXPECT_EQ(Page().WindowMinutes(), minutes);
        EXPECT_TRUE(ScreenHasText(oldestTick)) << oldestTick;
    }
}

// The two-channel screen with channel 1 going up in pA and channel 2 going down in its
// chamber's dose rate: each on its own axis, with its unit and the drift's sign in its legend.
TEST_F(TrendPageTest, EachChannelOnItsAxisWithLegendAndDrift) {
    OpenTwoChannels(0, 1);
    Calibrate(1, kStrengthMode);
    double fa[] = {1.2e4, 4.5e7};
    const double growth[] = {2e-4, -3e-4};         // of each channel's current, per second
    for (int second = 0; second < 80; ++second) {  // past the filter's start, then a minute
        for (int ch = 0; ch < 2; ++ch)
            InjectCurrent(ch, fa[ch] *= 1 + (second < 20 ? 0 : growth[ch]));
        Run(1);
        if (second == 19) {
            ASSERT_TRUE(TapText("Trend"));
        }
    }
    const std::string legends[] = {"Ch.1  pA   Drift: +",
                                   "Ch.2  " + fw::LoadString(309) + "   Drift: -"};
    for (uint8_t ch = 0; ch < 2; ++ch) {
        EXPECT_EQ(Drawn(ch).channel, ch);
        const std::string legend = Page().Legend(ch).Text();
        EXPECT_EQ(legend.rfind(legends[ch], 0), 0u) << legend;
        // The axis holds the channel's value and its labels are shown.
        const double value = ch == 0 ? doc->Filter.Chan[0].Rate / 1e3 : doc->Filter.Chan[1].Dose;
        ASSERT_TRUE(Drawn(ch).axis.has_value());
        EXPECT_LE(Drawn(ch).axis->scale.low, value);
        EXPECT_GE(Drawn(ch).axis->scale.high, value);
        for (const TrendTick& t : Drawn(ch).axis->ticks)
            EXPECT_TRUE(ScreenHasText(t.label)) << t.label;
    }
    Screenshot("trend_two_channels.png");
}

}  // namespace
