#include <gtest/gtest.h>

#include "fw/EventLoop.h"
#include "link/WindowMessages.h"
#include "screens/CStandbyView.h"
#include "support/AppHarness.h"

namespace {

using testing_support::AppHarness;

TEST(StartUp, TheBoardAnswersThePollOverRealPtys) {
    AppHarness h;
    ASSERT_TRUE(h.Start());
    EXPECT_NE(dynamic_cast<CStandbyView*>(h.App().Frame().ActiveView()), nullptr);
    // The first poll is answered without needing its 500 ms repeat.
    ASSERT_TRUE(h.WaitFor([&] { return h.Doc().BoardAnswered(); }));
    const int polls = h.Board().CommandCount(0x85);
    EXPECT_EQ(polls, 1);
    // Once answered, the poll stops.
    h.Advance(2000);
    EXPECT_FALSE(fw::Loop().HasTimer(h.App().Frame().ActiveView()->Handle(), IDT_BOARD_POLL));
    h.WaitFor([] { return false; }, 100);
    EXPECT_EQ(h.Board().CommandCount(0x85), polls);
}

TEST(StartUp, WithoutAnAnswerThePollRepeatsEvery500ms) {
    AppHarness h({.boardAnswersPoll = false});
    ASSERT_TRUE(h.Start());
    h.Advance(2000);  // the first poll at start, then one per tick
    ASSERT_TRUE(h.WaitFor([&] { return h.Board().CommandCount(0x85) == 5; }));
    EXPECT_FALSE(h.Doc().BoardAnswered());
    EXPECT_NE(dynamic_cast<CStandbyView*>(h.App().Frame().ActiveView()), nullptr);
}

TEST(StartUp, RunsWithoutEitherPort) {
    AppHarness h({.connectBoard = false, .connectRemote = false});
    testing::internal::CaptureStdout();
    ASSERT_TRUE(h.Start());
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("Error Opening MainBoard COM Port"), std::string::npos);
    EXPECT_NE(out.find("Error Opening Ext COM Port"), std::string::npos);
    // Polls keep failing quietly; the instrument stays up in standby.
    h.Advance(5000);
    EXPECT_NE(dynamic_cast<CStandbyView*>(h.App().Frame().ActiveView()), nullptr);
}

}  // namespace
