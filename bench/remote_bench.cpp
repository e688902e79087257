// Cost of one remote command, from the line record to the reply handed to the port, against
// a budget of 20 µs per command. The "budget_pct" counter is the share of that budget one
// command takes, in percent.
#include <benchmark/benchmark.h>

#include <string>

#include "document/CKelvarinDoc.h"
#include "document/RemoteScreen.h"

namespace {

constexpr double kCommandBudgetSeconds = 20e-6;
constexpr double kPercent = 100.0;

// A one-channel measurement screen as far as the protocol asks it.
class MeasurementScreen : public fw::View, public IRemoteScreen {
  public:
    RemoteScreenKind ScreenKind() const override { return RemoteScreenKind::OneChannel; }
    bool ZeroDialogOpen() const override { return false; }
    bool IsModalOpen() const override { return false; }
    void StartZeroingFromRemote(uint8_t) override {}
    bool CancelZeroingFromRemote() override { return false; }
    bool SwitchChannelView(int) override { return true; }
};

// Takes the reply as the port would, keeping only its size.
class DiscardingLink : public IBoardLink {
  public:
    bool SendBoardPacket(BOARD_PACKET&) override { return true; }
    bool SendRemoteText(const std::string& text) override {
        bytes += text.size();
        return true;
    }
    size_t bytes = 0;
};

const char* const kCommands[] = {"<GID>",  "<GR1>",      "<GC2>",          "<GCP1>", "<GIS>",
                                 "<GHTS>", "<SHTS 5.5>", "<SBC1 1.0,0.0>", "<XYZ>"};

void BM_RemoteCommand(benchmark::State& state) {
    CKelvarinDoc doc;
    fw::Frame frame(doc);
    frame.SwitchToView(std::make_unique<MeasurementScreen>());
    DiscardingLink link;
    doc.SetLink(&link);
    doc.Filter.Chan[0].Rate = 61234.0;
    doc.Filter.Chan[1].Charge = 12.5;
    doc.HStop = 1.0;

    const std::string line = kCommands[state.range(0)];
    BOARD_PACKET record;
    record.length = static_cast<uint8_t>(line.size());
    std::copy(line.begin(), line.end(), record.payload);
    for (auto _ : state) {
        doc.OnRemoteCommand(&record);
        benchmark::DoNotOptimize(link.bytes);
    }
    doc.SetLink(nullptr);
    state.SetLabel(line);
    state.counters["budget_pct"] =
        benchmark::Counter(double(state.iterations()) * kCommandBudgetSeconds / kPercent,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RemoteCommand)->DenseRange(0, std::size(kCommands) - 1);

}  // namespace

BENCHMARK_MAIN();
