// The remote port end to end over real ptys: the instrument with the simulated board on COM2
// and a remote computer on COM1; every command is answered exactly once.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include <poll.h>

#include "boardsim/Pty.h"
#include "document/RemoteScreen.h"
#include "kvremote/RemoteClient.h"
#include "link/Framers.h"
#include "support/app_harness.h"

namespace {

using testing_support::AppHarness;

constexpr int kReplyWaitMs = 2000;

// The remote computer's side: one command, then every byte up to its reply line.
class RemoteSide {
  public:
    explicit RemoteSide(AppHarness& h) : h_(h) {}

    std::string Ask(const std::string& line) {
        h_.RemoteSend(line);
        return ReadLine();
    }

    std::string ReadLine() {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kReplyWaitMs);
        while (pending_.find("\r\n") == std::string::npos &&
               std::chrono::steady_clock::now() < deadline)
            pending_ += h_.RemoteReceived(5);
        size_t end = pending_.find("\r\n");
        if (end == std::string::npos)
            return "(no reply)";
        std::string line = pending_.substr(0, end + 2);
        pending_.erase(0, end + 2);
        return line;
    }

    // Whatever else arrives within `ms`.
    std::string Rest(int ms) {
        pending_ += h_.RemoteReceived(ms);
        return std::exchange(pending_, {});
    }

  private:
    AppHarness& h_;
    std::string pending_;
};

RemoteScreenKind ActiveKind(AppHarness& h) {
    auto* screen = dynamic_cast<IRemoteScreen*>(h.App().Frame().ActiveView());
    return screen ? screen->ScreenKind() : RemoteScreenKind::Other;
}

class RemotePty : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(h.Start());
        // A first poll can be lost while the ptys settle; the 500 ms poll timer sends another.
        for (int i = 0; i < 10 && !h.Doc().BoardAnswered(); ++i) {
            if (!h.WaitFor([&] { return h.Doc().BoardAnswered(); }, 300))
                h.Advance(500);
        }
        ASSERT_TRUE(h.Doc().BoardAnswered());
        // The board's answer brings up the warm-up screen, which asks for the firmware.
        ASSERT_TRUE(h.WaitFor([&] { return !h.Doc().FirmwareVersion.empty(); }));
    }
    AppHarness h;
    RemoteSide remote{h};
};

TEST_F(RemotePty, EveryCommandIsAnsweredExactlyOnceAndNoiseNever) {
    const std::pair<std::string, std::string> exchanges[] = {
        {"<GID>", "*KELVARIN\r\n"},
        {"<GFVER>", h.Doc().FirmwareVersion + "\r\n"},
        {"<SHTP 1.0>", "*\r\n"},
        {"<SHTS 5.5>", "*\r\n"},
        {"<GHTS>", "*5.5\r\n"},
        {"<SHTP 6.0>", "!\r\n"},
        {"<GHTP>", "*1.0\r\n"},
        {"<SRU2>", "!\r\n"},
        {"<EDC2>", "?\r\n"},
        {"<GIS>", "!\r\n"},  // the warm-up screen is no measurement screen
    };
    for (const auto& [command, reply] : exchanges)
        EXPECT_EQ(remote.Ask(command), reply) << command;
    // Noise between commands is not answered.
    h.RemoteSend("garbage without brackets\r\n");
    EXPECT_EQ(remote.Ask("<GID>"), "*KELVARIN\r\n");
    h.RemoteSend("<GID><GHTS><XX>");  // three lines in one write: three replies, in order
    EXPECT_EQ(remote.ReadLine(), "*KELVARIN\r\n");
    EXPECT_EQ(remote.ReadLine().substr(0, 1), "*");
    EXPECT_EQ(remote.ReadLine(), "?\r\n");
    EXPECT_EQ(remote.Rest(200), "") << "a command was answered twice";
}

// A remote script as written for the instrument: with a result held on the screen it sends
// <STRC> to clear it, then chooses the collection and starts it with a second <STRC>.
TEST_F(RemotePty, AScriptClearsAHeldResultThenStartsTheNextCollection) {
    h.Advance(61000);
    ASSERT_TRUE(h.WaitFor([&] { return ActiveKind(h) == RemoteScreenKind::OneChannel; }));
    ASSERT_EQ(remote.Ask("<SCT T2>"), "*\r\n");
    ASSERT_EQ(remote.Ask("<STRC>"), "*\r\n");
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
        EXPECT_EQ(remote.Ask(command), reply) << command;
        if (command == "<STRC>" && reply == "*\r\n" && h.Doc().Collecting == 0) {
            EXPECT_EQ(h.Doc().CollectionFinished, 0);
            EXPECT_TRUE(h.ScreenHasText("Start"));
            EXPECT_TRUE(h.ScreenHasText("Idle"));
        }
    }
    EXPECT_EQ(remote.Rest(200), "") << "a command was answered twice";
}

// ---- the kvremote client against the document over a pty ------------------------------------

// Plays the instrument on the master side: frames lines and answers them through a document.
class InstrumentOnPty : public IBoardLink {
  public:
    InstrumentOnPty() {
        ok_ = pty_.Open();
        doc_.SetLink(this);
        thread_ = std::thread([this] { Run(); });
    }
    ~InstrumentOnPty() override {
        stop_ = true;
        thread_.join();
        doc_.SetLink(nullptr);
        pty_.Close();
    }
    bool Ok() const { return ok_; }
    const std::string& Path() const { return pty_.slavePath; }
    bool SendBoardPacket(BOARD_PACKET&) override { return true; }
    bool SendRemoteText(const std::string& text) override {
        return ::write(pty_.master, text.data(), text.size()) == ssize_t(text.size());
    }
    std::atomic<bool> silent{false};

  private:
    void Run() {
        CLineFramer framer;
        while (!stop_) {
            pollfd p{pty_.master, POLLIN, 0};
            if (::poll(&p, 1, 5) <= 0)
                continue;
            uint8_t buffer[64];
            ssize_t n = ::read(pty_.master, buffer, sizeof buffer);
            for (ssize_t i = 0; i < n; ++i) {
                if (framer.OnByte(buffer[i]) && !silent)
                    doc_.OnRemoteCommand(&framer.Record());
            }
        }
    }

    boardsim::Pty pty_;
    bool ok_ = false;
    CKelvarinDoc doc_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// The client on the slave side of a pty whose master plays the instrument.
class RemoteClientTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(instrument.Ok());
        std::string error;
        ASSERT_TRUE(client.Open(instrument.Path(), error)) << error;
    }
    InstrumentOnPty instrument;
    kvremote::RemoteClient client;
};

TEST_F(RemoteClientTest, SendsACommandAndReturnsItsReply) {
    EXPECT_EQ(client.Ask("GID", 1000), "*KELVARIN");
    EXPECT_EQ(client.Ask("<SHTS x>", 1000), "!");
    instrument.silent = true;
    EXPECT_EQ(client.Ask("<GID>", 100), std::nullopt);
    kvremote::RemoteClient absent;
    std::string error;
    EXPECT_FALSE(absent.Open("/nonexistent/remote-port", error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
