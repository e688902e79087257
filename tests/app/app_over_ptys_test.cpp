// The real application over ptys, with the simulated board on COM2 and a remote computer on
// COM1. The operator's start path: the poll until the board answers, settings damage told at
// start, no ports at all, warm-up, the power key into standby and the wake back (the refusals
// by the screen's state are the screens' tests). The remote port: every command answered
// exactly once, a remote script's clear and start, and the kvremote client.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include <poll.h>

#include <fstream>

#include "boardsim/Pty.h"
#include "kvremote/RemoteClient.h"
#include "screens/COneChannelView.h"
#include "screens/CSplashView.h"
#include "screens/CStandbyView.h"
#include "support/app_harness.h"

namespace {

using testing_support::AppHarness;

constexpr int kReplyWaitMs = 2000;

// The remote computer sends `text` and reads until `lines` reply lines have come (or the
// wait runs out).
std::string Exchange(AppHarness& h, const std::string& text, long lines = 1) {
    h.RemoteSend(text);
    std::string got;
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kReplyWaitMs);
    while (std::count(got.begin(), got.end(), '\n') < lines &&
           std::chrono::steady_clock::now() < deadline)
        got += h.RemoteReceived(5);
    return got;
}

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

class RemotePty : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(h.StartToWarmUp()); }
    AppHarness h;
};

TEST_F(RemotePty, EveryCommandIsAnsweredExactlyOnceAndNoiseNever) {
    const std::pair<std::string, std::string> exchanges[] = {
        {"<GID>", "*KELVARIN\r\n"},
        {"<GFVER>", h.Doc().FirmwareVersion + "\r\n"},
        {"<SHTS 5.5>", "*\r\n"},
        {"<GIS>", "!\r\n"},  // the warm-up screen is no measurement screen
    };
    for (const auto& [command, reply] : exchanges)
        EXPECT_EQ(Exchange(h, command), reply) << command;
    // Noise between commands is not answered.
    EXPECT_EQ(Exchange(h, "garbage without brackets\r\n<GID>"), "*KELVARIN\r\n");
    // Three lines in one write: three replies, in order.
    EXPECT_EQ(Exchange(h, "<GID><GHTS><XX>", 3), "*KELVARIN\r\n*5.5\r\n?\r\n");
    EXPECT_EQ(h.RemoteReceived(200), "") << "a command was answered twice";
}

// After the warm-up, the power key into standby, where remote lines get no answer, and the wake
// back through the warm-up. Then a remote script as written for the instrument: with a result
// held on the screen it sends <STRC> to clear it, then chooses the collection and starts it with
// a second <STRC>.
TEST_F(RemotePty, StandbyAndWakeThenAScriptClearsAHeldResultAndStartsTheNext) {
    h.Advance(61000);
    ASSERT_TRUE(h.WaitFor([&] { return Shows<COneChannelView>(h); }));
    const int wakeAnswers = h.Board().CommandCount(0x87);
    h.Board().RaisePowerKey();
    ASSERT_TRUE(h.WaitFor([&] { return Shows<CStandbyView>(h); }));
    EXPECT_EQ(h.Board().LastStandbyStatus(), 0x00);
    h.RemoteSend("<GID>");
    EXPECT_EQ(h.RemoteReceived(200), "");
    h.Board().RaiseWake();
    ASSERT_TRUE(h.WaitFor([&] { return Shows<CSplashView>(h); }));
    ASSERT_TRUE(h.WaitFor([&] { return h.Board().CommandCount(0x87) == wakeAnswers + 1; }));
    h.Advance(61000);
    ASSERT_TRUE(h.WaitFor([&] { return Shows<COneChannelView>(h); }));
    ASSERT_EQ(Exchange(h, "<SCT T2>"), "*\r\n");
    ASSERT_EQ(Exchange(h, "<STRC>"), "*\r\n");
    for (int i = 0; i < 25; ++i)
        h.Board().SendAdc();
    ASSERT_TRUE(h.WaitFor([&] { return h.Doc().CollectionFinished == 1; }));
    ASSERT_TRUE(h.ScreenHasText("Clear"));

    const std::pair<std::string, std::string> script[] = {
        {"<STPC>", "!\r\n"},  // nothing runs: a held result is not stopped
        {"<STRC>", "*\r\n"},  // clears the held result, starts nothing
        {"<GCS>", "*I\r\n"}, {"<SCT C>", "*\r\n"}, {"<GCT>", "*C\r\n"},
        {"<STRC>", "*\r\n"},  // starts
        {"<GCS>", "*C\r\n"}, {"<STRC>", "!\r\n"},  {"<SCT C>", "!\r\n"},
        {"<STPC>", "*\r\n"}, {"<GCS>", "*I\r\n"},  {"<STPC>", "!\r\n"},
    };
    for (const auto& [command, reply] : script) {
        EXPECT_EQ(Exchange(h, command), reply) << command;
        if (command == "<STRC>" && reply == "*\r\n" && h.Doc().Collecting == 0) {
            EXPECT_EQ(h.Doc().CollectionFinished, 0);
            EXPECT_TRUE(h.ScreenHasText("Start"));
            EXPECT_TRUE(h.ScreenHasText("Idle"));
        }
    }
    EXPECT_EQ(h.RemoteReceived(200), "") << "a command was answered twice";
}

// What the other side of `fd` wrote, waited for up to the reply time.
std::string Waiting(int fd) {
    pollfd p{fd, POLLIN, 0};
    char buffer[64];
    const ssize_t n = ::poll(&p, 1, kReplyWaitMs) == 1 ? ::read(fd, buffer, sizeof buffer) : 0;
    return std::string(buffer, size_t(std::max<ssize_t>(n, 0)));
}

// The kvremote client on the slave side of a pty whose master plays the instrument: the
// command goes out bracketed, the reply line comes back without its line end, and silence is
// no reply.
TEST(RemoteClient, SendsTheBracketedCommandAndReturnsItsReplyLine) {
    boardsim::Pty pty;
    ASSERT_TRUE(pty.Open());
    kvremote::RemoteClient client;
    std::string error;
    ASSERT_TRUE(client.Open(pty.slavePath, error)) << error;
    ASSERT_EQ(::write(pty.master, "*KELVARIN\r\n", 11), 11);
    EXPECT_EQ(client.Ask("GID", 1000), "*KELVARIN");
    EXPECT_EQ(Waiting(pty.master), "<GID>");
    EXPECT_EQ(client.Ask("<SHTS x>", 100), std::nullopt);
    EXPECT_EQ(Waiting(pty.master), "<SHTS x>");
    kvremote::RemoteClient absent;
    EXPECT_FALSE(absent.Open("/nonexistent/remote-port", error));
    EXPECT_FALSE(error.empty());
    pty.Close();
}

}  // namespace
