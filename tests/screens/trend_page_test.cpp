// The "Trend" page of both measuring screens as an operator uses it: a page left alone while
// hidden, the window buttons, standby with the page shown, each channel with its legend,
// drift and unit (a chamber's dose rate) and the marks of a timed collection.
#include <cmath>

#include "link/WindowMessages.h"
#include "screens/CStandbyView.h"
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
    void ShowTrend() { ASSERT_TRUE(TapText("Trend")); }
    const TrendChannelChart& Drawn(size_t slot) { return Page().Chart().channels.at(slot); }
    // The points of a channel's line, as (x, y) pairs.
    std::vector<std::pair<int, int>> LinePoints(size_t slot) {
        std::vector<std::pair<int, int>> points;
        for (const auto& run : Drawn(slot).runs) {
            for (const fw::Point& p : run)
                points.push_back({p.x, p.y});
        }
        return points;
    }
    // How far from the plot's left edge the oldest point drawn lies, as a share of its width.
    double OldestShare(size_t slot) {
        const fw::Rect& plot = Page().Chart().plot;
        const auto& runs = Drawn(slot).runs;
        if (runs.empty())
            return -1;
        return double(runs.front().front().x - plot.left) / (plot.Width() - 1);
    }
    // The axis of `slot` holds `value` and zooms in on it.
    void ExpectAxisAround(size_t slot, double value) {
        ASSERT_TRUE(Drawn(slot).axis.has_value());
        const TrendScale& s = Drawn(slot).axis->scale;
        EXPECT_LE(s.low, value);
        EXPECT_GE(s.high, value);
        EXPECT_LT(s.high - s.low, 0.1 * std::fabs(value));
        for (const TrendTick& t : Drawn(slot).axis->ticks)
            EXPECT_TRUE(ScreenHasText(t.label)) << t.label;
    }
};

// The page is left alone while hidden, then each window button chooses the span shown.
TEST_F(TrendPageTest, AHiddenPageIsLeftAloneAndTheWindowButtonsChooseTheSpan) {
    InjectCurrent(0, 10000);
    OpenScreen(0, 0);
    Run(5);
    ShowTrend();
    const auto before = LinePoints(0);
    ASSERT_TRUE(TapText("Data"));
    Run(600);                          // ten minutes on another page
    EXPECT_EQ(LinePoints(0), before);  // not built while hidden
    ShowTrend();
    const struct {
        const char* button;
        int minutes;
        const char* oldestTick;
        double oldestShare;  // ten minutes of readings fill the first two windows
        bool steady;         // the readings' first seconds are out of the window
    } cases[] = {{"5 min", 5, "-5 min", 0.0, true},
                 {"15 min", 15, "-15 min", 1 - 600.0 / 900, false},
                 {"1 min", 1, "-60 s", 0.0, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        ASSERT_TRUE(TapText(c.button));
        EXPECT_EQ(Page().WindowMinutes(), c.minutes);
        EXPECT_TRUE(ScreenHasText(c.oldestTick));
        EXPECT_NEAR(OldestShare(0), c.oldestShare, 0.02);
        const std::string legend = Page().Legend(0).Text();
        EXPECT_EQ(legend == "pA   Drift: +0.000 %/min", c.steady) << legend;
    }
    ExpectEverythingFits();
    Post(WM_BOARD_STANDBY);  // with the page shown
    EXPECT_TRUE(ActiveIs<CStandbyView>());
}

// Each screen with its channels drifting (channel 1 up in pA, channel 2 up twice as fast in
// nA beside it, or channel 2 alone going down in its chamber's dose rate), then a timed
// collection of 10 s.
TEST_F(TrendPageTest, EachChannelOnItsAxisWithLegendDriftAndTheMarksOfACollection) {
    const struct {
        const char* screenshot;
        bool both;
        std::vector<std::string> legends;
        double growth[2];  // of each channel's current, per second
    } cases[] = {
        {"trend_two_channels.png",
         true,
         {"Ch.1  pA   Drift: +", "Ch.2  nA   Drift: +"},
         {2e-4, 4e-4}},
        {"trend_one_channel.png", false, {fw::LoadString(309) + "   Drift: -"}, {0, -3e-4}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.screenshot);
        double fa[] = {1.2e4, 4.5e7};
        if (c.both) {
            OpenTwoChannels(0, 1);
        } else {
            OpenScreen(1, 1);  // channel 2, on its grey
            Calibrate(1, kStrengthMode);
        }
        for (int second = 0; second < 80; ++second) {  // past the filter's start, then a minute
            for (int ch = 0; ch < 2; ++ch)
                InjectCurrent(ch, fa[ch] *= 1 + (second < 20 ? 0 : c.growth[ch]));
            Run(1);
            if (second == 19)
                ShowTrend();
        }
        for (size_t slot = 0; slot < c.legends.size(); ++slot) {
            const uint8_t ch = c.both ? uint8_t(slot) : 1;
            EXPECT_EQ(Drawn(slot).channel, ch);
            EXPECT_EQ(Page().Legend(int(slot)).Text().rfind(c.legends[slot], 0), 0u);
            const FILTER_CHANNEL& f = doc->Filter.Chan[ch];
            ExpectAxisAround(slot, c.both ? f.Rate / (ch == 1 ? 1e6 : 1e3) : f.Dose);
        }
        EXPECT_TRUE(!c.both || *Drawn(1).drift > 1.5 * *Drawn(0).drift);  // twice as fast
        ChooseTimed(10);
        Touch(Ids::kIdStartStop);  // the page stays while the tabs are locked
        Run(15);
        const TrendChart& chart = Page().Chart();
        ASSERT_EQ(chart.marks.size(), 2u);
        EXPECT_TRUE(chart.marks[0].start && !chart.marks[1].start);
        const double pixelsPerSecond = (chart.plot.Width() - 1) / 60.0;
        EXPECT_NEAR(chart.marks[1].x - chart.marks[0].x, 10 * pixelsPerSecond,
                    1.5 * pixelsPerSecond);
        EXPECT_EQ(chart.spans, (decltype(chart.spans){{chart.marks[0].x, chart.marks[1].x}}));
        Screenshot(c.screenshot);
        Restart();
    }
}

}  // namespace
