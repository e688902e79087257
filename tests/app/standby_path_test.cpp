// The operator's start path through the real application over ptys: settings damage told at
// start, warm-up after the board answers, the power key into standby and the wake back.
#include <gtest/gtest.h>

#include <fstream>

#include "screens/CSplashView.h"
#include "screens/CStandbyView.h"
#include "screens/ViewFactory.h"
#include "support/AppHarness.h"

namespace {

using testing_support::AppHarness;

template <class TView>
bool Shows(AppHarness& h) {
    return dynamic_cast<TView*>(h.App().Frame().ActiveView()) != nullptr;
}

TEST(StartPath, ADamagedSettingsFileIsToldAndKeptAside) {
    AppHarness h({.boardAnswersPoll = false});
    std::ofstream(h.Root().FlashDisk() / "ZELTarvo.xml") << "this is not a settings file <<<";
    ASSERT_TRUE(h.Start());
    const std::string notice = h.App().SettingsNoticeShown();
    EXPECT_NE(notice.find("damaged"), std::string::npos) << notice;
    EXPECT_NE(notice.find(".bad"), std::string::npos) << notice;
    EXPECT_TRUE(Shows<CStandbyView>(h));
}

TEST(StartPath, AGoodSettingsFileIsNotMentioned) {
    AppHarness h({.boardAnswersPoll = false});
    ASSERT_TRUE(h.Start());
    EXPECT_EQ(h.App().SettingsNoticeShown(), "");
}

TEST(StartPath, WarmUpPowerKeyAndWake) {
    AppHarness h;
    ASSERT_TRUE(h.Start());
    ASSERT_TRUE(h.WaitFor([&] { return Shows<CSplashView>(h); }));
    h.Advance(61000);
    ASSERT_TRUE(h.WaitFor(
        [&] { return typeid(*h.App().Frame().ActiveView()) == typeid(*MakeOneChannelView()); }));
    h.Screenshot("screens/app_after_warmup.png");

    h.Board().RaisePowerKey();
    ASSERT_TRUE(h.WaitFor([&] { return Shows<CStandbyView>(h); }));
    ASSERT_TRUE(h.WaitFor([&] { return h.Board().CommandCount(0x86) == 1; }));
    EXPECT_EQ(h.Board().LastStandbyStatus(), 0x00);

    // In standby remote lines get no answer.
    h.RemoteSend("<GID>");
    EXPECT_EQ(h.RemoteReceived(200), "");

    h.Board().RaiseWake();
    ASSERT_TRUE(h.WaitFor([&] { return Shows<CSplashView>(h); }));
    ASSERT_TRUE(h.WaitFor([&] { return h.Board().CommandCount(0x87) == 1; }));
}

TEST(StartPath, PowerKeyWhileCollectingIsRefused) {
    AppHarness h;
    ASSERT_TRUE(h.Start());
    ASSERT_TRUE(h.WaitFor([&] { return Shows<CSplashView>(h); }));
    h.Doc().Collecting = 1;
    h.Board().RaisePowerKey();
    ASSERT_TRUE(h.WaitFor([&] { return h.Board().CommandCount(0x86) == 1; }));
    EXPECT_EQ(h.Board().LastStandbyStatus(), 0xFF);
    EXPECT_TRUE(Shows<CSplashView>(h));
}

}  // namespace
