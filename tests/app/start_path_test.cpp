// The operator's start path through the real application over ptys: the poll until the board
// answers, settings damage told at start, no ports at all, warm-up, the power key into standby
// and the wake back (the refusals by the screen's state are the screens' tests).
#include <gtest/gtest.h>

#include <fstream>

#include "fw/EventLoop.h"
#include "link/WindowMessages.h"
#include "screens/CSplashView.h"
#include "screens/CStandbyView.h"
#include "screens/ViewFactory.h"
#include "support/app_harness.h"

namespace {

using testing_support::AppHarness;

template <class TView>
bool Shows(AppHarness& h) {
    return dynamic_cast<TView*>(h.App().Frame().ActiveView()) != nullptr;
}

// Answered, the first poll needs no repeat; unanswered it repeats every 500 ms. The board
// that does not answer comes with a damaged settings file, told at start and kept aside.
TEST(StartPath, ThePollIsAnsweredOnceOrRepeatsAndDamagedSettingsAreTold) {
    for (const bool answers : {true, false}) {
        SCOPED_TRACE(answers);
        AppHarness h({.boardAnswersPoll = answers});
        if (!answers)
            std::ofstream(h.Root().FlashDisk() / "ZELTarvo.xml") << "not a settings file <<<";
        ASSERT_TRUE(h.Start());
        EXPECT_TRUE(Shows<CStandbyView>(h));
        const std::string notice = h.App().SettingsNoticeShown();
        EXPECT_EQ(notice.find("damaged") != std::string::npos, !answers) << notice;
        EXPECT_EQ(notice.find(".bad") != std::string::npos, !answers) << notice;
        ASSERT_TRUE(!answers || h.WaitFor([&] { return h.Doc().BoardAnswered(); }));
        h.Advance(2000);  // the first poll at start, then one per tick until answered
        ASSERT_TRUE(h.WaitFor([&] { return h.Board().CommandCount(0x85) == (answers ? 1 : 5); }));
        EXPECT_EQ(fw::Loop().HasTimer(h.App().Frame().ActiveView()->Handle(), IDT_BOARD_POLL),
                  !answers);
        EXPECT_EQ(h.Doc().BoardAnswered(), answers);
    }
}

TEST(StartPath, RunsWithoutEitherPort) {
    AppHarness h({.connectBoard = false, .connectRemote = false});
    testing::internal::CaptureStdout();
    ASSERT_TRUE(h.Start());
    const std::string out = testing::internal::GetCapturedStdout();
    for (const char* port : {"MainBoard", "Ext"})
        EXPECT_NE(out.find(std::string("Error Opening ") + port + " COM Port"), std::string::npos)
            << out;
    h.Advance(5000);  // polls keep failing quietly; the instrument stays up in standby
    EXPECT_TRUE(Shows<CStandbyView>(h));
}

TEST(StartPath, WarmUpPowerKeyAndWake) {
    AppHarness h;
    ASSERT_TRUE(h.Start());
    ASSERT_TRUE(h.WaitFor([&] { return Shows<CSplashView>(h); }));
    h.Advance(61000);
    ASSERT_TRUE(h.WaitFor(
        [&] { return typeid(*h.App().Frame().ActiveView()) == typeid(*MakeOneChannelView()); }));

    h.Board().RaisePowerKey();
    ASSERT_TRUE(h.WaitFor([&] { return Shows<CStandbyView>(h); }));
    EXPECT_EQ(h.Board().LastStandbyStatus(), 0x00);
    // In standby remote lines get no answer.
    h.RemoteSend("<GID>");
    EXPECT_EQ(h.RemoteReceived(200), "");

    h.Board().RaiseWake();
    ASSERT_TRUE(h.WaitFor([&] { return Shows<CSplashView>(h); }));
    ASSERT_TRUE(h.WaitFor([&] { return h.Board().CommandCount(0x87) == 1; }));
}

}  // namespace
