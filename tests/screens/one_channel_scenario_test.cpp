// The operator's main path through the real application over ptys: warm-up, the Low range,
// zeroing, a known current's rate, and a timed collection that leaves its row in the data
// page.

#include "one_channel_fixture.h"
#include "support/app_harness.h"

namespace one_channel_test {
namespace {

using testing_support::AppHarness;
using Ids = COneChannelView;

// Touches the first text `text` drawn on the panel.
void TapDrawnText(const std::string& text) {
    fw::Loop().RepaintNow();
    for (const fw::DrawnText& t : fw::Loop().GetSurface().Texts()) {
        if (t.text == text) {
            TouchCentreOf(t.extent);
            return;
        }
    }
    ADD_FAILURE() << "no \"" << text << "\" on the panel";
}

class OneChannelScenario : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(h.StartToWarmUp());
        h.Advance(61000);  // the warm-up
        ASSERT_TRUE(h.WaitFor([&] { return Screen() != nullptr; }));
    }
    COneChannelView* Screen() {
        return dynamic_cast<COneChannelView*>(h.App().Frame().ActiveView());
    }
    void Tap(int id) {
        fw::Window* w = FindById(Screen(), id);
        ASSERT_NE(w, nullptr);
        TouchCentreOf(w);
        fw::Loop().ProcessReady();
    }
    // Readings streamed by the board until `done`, ten at a time.
    bool StreamUntil(const std::function<bool()>& done, int most = 600) {
        for (int sent = 0; sent < most && !done(); sent += 10) {
            for (int i = 0; i < 10; ++i)
                h.Board().SendAdc();
            h.WaitFor([] { return false; }, 20);
        }
        return h.WaitFor(done, 1000);
    }
    std::string Text(int id) { return testing_support::LabelText(Screen(), id); }
    AppHarness h;
};

TEST_F(OneChannelScenario, WarmUpZeroMeasureAndKeepTheRow) {
    h.Script().Then([] { TapDrawnText("Low (0-500pA)"); });
    Tap(Ids::kIdRange);
    ASSERT_TRUE(h.WaitFor([&] { return h.Doc().Channel[0].Range == 0; }));

    Tap(Ids::kIdZero);
    ASSERT_TRUE(h.Doc().Filter.Zeroing);
    ASSERT_TRUE(StreamUntil([&] { return !h.Doc().Filter.Zeroing; }, 400));
    h.Advance(200);  // the zeroing box sees the end on its 100 ms tick and closes
    ASSERT_FALSE(Screen()->ZeroDialogOpen());

    boardsim::ChannelModel input;
    input.currentFa = 61.0;
    h.Board().SetChannel(0, input);
    ASSERT_TRUE(StreamUntil([&] { return Text(Ids::kIdRateValue) == "0.061"; }));

    input.currentFa = 2000.0;
    h.Board().SetChannel(0, input);
    StreamUntil([] { return false; }, 200);
    Tap(Ids::kIdStartStop);  // the warm-up's default: 15 s, rows captured
    ASSERT_TRUE(StreamUntil([&] { return h.Doc().CollectionFinished == 1; }, 400));
    EXPECT_EQ(Text(Ids::kIdChargeValue), "30.00");
    EXPECT_EQ(Screen()->DataPage().List().GetItemCount(), 1);
    h.Screenshot("one_channel_scenario.png");
}

}  // namespace
}  // namespace one_channel_test
