// Cost of the sample filter and of a whole ADC packet against its real-time budget: the board sends
// one ADC packet every 100 ms, and each packet feeds both channels. The "budget_ppm" counter is the
// share of those 100 ms that one operation takes, in parts per million.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "boardsim/BoardSim.h"
#include "document/CKelvarinDoc.h"
#include "link/Framers.h"

#include "measure/CountsForCurrent.h"
#include "measure/Filter.h"

namespace {

constexpr double kPacketBudgetSeconds = 0.1;

constexpr double kPpm = 1e6;

// Time per operation over the packet budget, in ppm. An inverted rate counter divides the
// elapsed time by its value; `opsPerIteration` operations run in each iteration.
void ReportBudgetShare(benchmark::State& state, double opsPerIteration = 1.0) {
    const double ops = static_cast<double>(state.iterations()) * opsPerIteration;
    state.counters["budget_ppm"] =
        benchmark::Counter(ops * kPacketBudgetSeconds / kPpm,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// A filter with a temperature-dependent baseline, as a calibrated instrument has.
CFilter CalibratedFilter(int range) {
    CFilter f;
    for (CHANNEL_CAL& cal : f.Cal) {
        RANGE_CAL& r = cal.ForRange(range);
        r = {.Gain = 1.002, .A = 1e-6, .B = -2e-4, .C = 0.05, .D = -40.0, .E = 8391000.0};
    }
    f.ResetChannel(0, range);
    f.ResetChannel(1, range);
    return f;
}

const uint32_t kTemp = measure::TemperatureWordFor(31.0) - 0x800000;

void BM_AddSample(benchmark::State& state) {
    const int range = static_cast<int>(state.range(0));
    CFilter f = CalibratedFilter(range);
    const uint32_t count = measure::CountsForCurrent(f.Cal[0].ForRange(range), range, 61.0, 31.0);
    for (auto _ : state) {
        f.AddSample(0, range, true, count, kTemp);
        benchmark::ClobberMemory();
    }
    ReportBudgetShare(state);
}

void BM_ComputeRate(benchmark::State& state) {
    const int range = static_cast<int>(state.range(0));
    CFilter f = CalibratedFilter(range);
    f.Chan[0].DoseMode = kDoseFromRate;
    for (auto _ : state) {
        f.ComputeRate(0, range);
        benchmark::DoNotOptimize(f.Chan[0].Rate);
    }
    ReportBudgetShare(state);
}

// Everything the board handler asks of the filter for ten packets of a running collection:
// two readings per packet, rates on every fifth packet and one charge step per channel.
void BM_TenAdcPackets(benchmark::State& state) {
    const int range = static_cast<int>(state.range(0));
    CFilter f = CalibratedFilter(range);
    const uint32_t count = measure::CountsForCurrent(f.Cal[0].ForRange(range), range, 61.0, 31.0);
    for (auto _ : state) {
        for (int packet = 1; packet <= 10; ++packet) {
            f.AddSample(0, range, true, count, kTemp);
            f.AddSample(1, range, true, count + 3, kTemp);
            f.InstantValue(0, range, count);
            f.InstantValue(1, range, count + 3);
            if (packet % 5 == 0) {
                f.ComputeRate(0, range);
                f.ComputeRate(1, range);
            }
        }
        f.AccumulateCharge(0, range);
        f.AccumulateCharge(1, range);
        benchmark::DoNotOptimize(f.Chan[0].Charge);
    }
    ReportBudgetShare(state, 10.0);  // per packet, averaged over the ten
}

// One packet as it arrives: the frame's bytes through the framer into the document's board
// handler (filter, rates, views told), with a reading the simulated board made.
void BM_AdcPacketBytesToDocument(benchmark::State& state) {
    std::vector<uint8_t> frame;
    boardsim::BoardSim board([&frame](const std::vector<uint8_t>& f) { frame = f; });
    board.SetChannel(0, {61.0, 0.0, 2.0, 22.0});
    board.SendAdc();
    CKelvarinDoc doc;
    doc.ApplyRanges();
    CBoardFramer framer;
    for (auto _ : state) {
        for (uint8_t b : frame) {
            if (framer.OnByte(b)) {
                BOARD_PACKET p = framer.Record();
                doc.OnBoardPacket(&p);
            }
        }
    }
    benchmark::DoNotOptimize(doc.Filter.Chan[0].Rate);
    ReportBudgetShare(state);
}

BENCHMARK(BM_AdcPacketBytesToDocument);
BENCHMARK(BM_AddSample)->ArgName("range")->Arg(0)->Arg(1);
BENCHMARK(BM_ComputeRate)->ArgName("range")->Arg(0)->Arg(1);
BENCHMARK(BM_TenAdcPackets)->ArgName("range")->Arg(0)->Arg(1);

}  // namespace

BENCHMARK_MAIN();
