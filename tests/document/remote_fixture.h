#pragma once
// A document under a held clock with a stand-in screen that records the hints it is sent and
// answers what the remote protocol asks of the screen shown, and the simulated board wired in
// process.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "document/CKelvarinDoc.h"
#include "document/RemoteScreen.h"
#include "fw/Clock.h"
#include "settings/SettingsFile.h"
#include "support/hint_view.h"
#include "support/in_process_board.h"
#include "support/temp_root.h"

namespace remote_testing {

// A screen of any kind; it records what the document asked of it.
class FakeScreen : public testing_support::HintView, public IRemoteScreen {
  public:
    explicit FakeScreen(RemoteScreenKind kind) : kind_(kind) {}

    RemoteScreenKind ScreenKind() const override { return kind_; }
    bool ZeroDialogOpen() const override { return zeroDialogOpen; }
    bool IsModalOpen() const override { return modalOpen; }
    void StartZeroingFromRemote(uint8_t channels) override {
        zeroStarts.push_back(channels);
        zeroDialogOpen = true;
        static_cast<CKelvarinDoc*>(GetDocument())->BeginZeroing(channels);
    }
    bool CancelZeroingFromRemote() override {
        if (!zeroDialogOpen)
            return false;
        zeroDialogOpen = false;
        return true;
    }
    bool SwitchChannelView(int target) override {
        switches.push_back(target);
        return switchSucceeds;
    }

    bool zeroDialogOpen = false;
    bool modalOpen = false;
    bool switchSucceeds = true;
    std::vector<int> zeroStarts;
    std::vector<int> switches;

  private:
    RemoteScreenKind kind_;
};

class RemoteTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fw::SetClock(clock);
        doc.SaveSettingsFile = [this] { return SaveSettings(doc); };
        frame = std::make_unique<fw::Frame>(doc);
        doc.ApplyRanges();
        Show(RemoteScreenKind::OneChannel);
    }
    void TearDown() override {
        frame.reset();
        fw::SetClock(std::make_shared<fw::SystemClock>());
    }

    FakeScreen& Show(RemoteScreenKind kind) {
        frame->SwitchToView(std::make_unique<FakeScreen>(kind));
        screen = static_cast<FakeScreen*>(frame->ActiveView());
        return *screen;
    }

    std::string Send(const std::string& line) { return board.RemoteLine(line); }
    // Everything a remote line can change, apart from the unit ids and over-range copies that
    // every value query refreshes.
    auto State() const {
        auto channel = [](const CHANNEL_INFO& c) {
            return std::tuple(c.Range, c.BiasSet, c.BiasRead);
        };
        auto range = [](const RANGE_CAL& r) { return std::tuple(r.Gain, r.A, r.B, r.C, r.D, r.E); };
        auto cal = [&](const CHANNEL_CAL& c) {
            return std::tuple(range(c.High), range(c.Low), c.BiasM, c.BiasB);
        };
        const FakeScreen none(RemoteScreenKind::Other);
        const FakeScreen& s = screen ? *screen : none;
        const CKelvarinDoc& d = doc;
        return std::tuple(channel(d.Channel[0]), channel(d.Channel[1]), cal(d.Filter.Cal[0]),
                          cal(d.Filter.Cal[1]), d.HStart, d.HStop, d.LStart, d.LStop, d.ChargeType,
                          d.ChargeDuration, d.PrevChargeDuration, d.TriggerArmed, d.Collecting,
                          d.SerialNumber, d.StreamRaw, d.StreamRate, d.AutoDataCapture,
                          d.OneChannelShown, d.Filter.Zeroing, d.SettingsSaved, board.sent.size(),
                          s.hints.size(), s.zeroStarts.size(), s.switches.size(), s.zeroDialogOpen);
    }

    // Sends each exchange of `script` in turn and checks its reply. Exchanges are separated by
    // '|', each the line up to its '>' and then the reply it must get, without the CR LF. A line
    // refused ('?' or '!') must leave the instrument exactly as it was.
    void Expect(const std::string& script) {
        std::stringstream in(script);
        for (std::string x; std::getline(in, x, '|');) {
            const size_t end = x.find('>') + 1;
            const auto before = State();
            EXPECT_EQ(Send(x.substr(0, end)), x.substr(end) + "\r\n") << x;
            if (x.substr(end) == "?" || x.substr(end) == "!") {
                EXPECT_EQ(State(), before) << x;
            }
        }
    }
    testing_support::TempRoot root;
    std::shared_ptr<fw::ManualClock> clock = std::make_shared<fw::ManualClock>();
    CKelvarinDoc doc;
    testing_support::InProcessBoard board{doc};
    std::unique_ptr<fw::Frame> frame;
    FakeScreen* screen = nullptr;
};

}  // namespace remote_testing
