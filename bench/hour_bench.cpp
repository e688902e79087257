// An hour of measuring on a simulated clock: the board's ten measurement frames a second reach
// the document, the one-channel screen repaints as the rates change, and a result row is added
// every ten seconds. Reports the peak resident memory against the panel's 40 MB budget and how
// much the resident memory grew between the first minute and the end (flat is 0).
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <memory>

#include "document/CKelvarinDoc.h"
#include "fw/Clock.h"
#include "fw/EventLoop.h"
#include "fw/Resources.h"
#include "screens/COneChannelView.h"
#include "support/clock_steps.h"
#include "support/in_process_board.h"

namespace {

constexpr double kRssBudgetMb = 40.0;
constexpr int kFramesPerSecond = 10;
constexpr int kSeconds = 3600;
constexpr int kSecondsPerRow = 10;

double ResidentMb() {
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

double PeakResidentMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

void MeasureOneSecond(CKelvarinDoc& doc, testing_support::InProcessBoard& board,
                      fw::ManualClock& clock, int second) {
    for (int i = 0; i < kFramesPerSecond; ++i) {
        board.SendAdc(1);
        testing_support::AdvanceWithTimers(clock, 1000 / kFramesPerSecond);
        if (fw::Loop().RepaintPending())
            fw::Loop().RepaintNow();
    }
    board.sent.clear();  // the simulator's own record of commands is not the instrument's
    if (second % kSecondsPerRow == 0) {
        MEAS_INFO row;
        doc.AddMeasurement(true, row);
    }
}

void BM_MeasuringHour(benchmark::State& state) {
    auto clock = std::make_shared<fw::ManualClock>();
    fw::SetClock(clock);
    fw::SetSoundEnabled(false);
    double afterFirstMinute = 0.0, atEnd = 0.0;
    size_t rows = 0;
    for (auto _ : state) {
        CKelvarinDoc doc;
        fw::Frame frame(doc);
        frame.SwitchToView(std::make_unique<COneChannelView>());
        testing_support::InProcessBoard board(doc);
        board.Board().SetChannel(0, {61.0, 2.0, 5.0, 22.0});
        doc.ApplyRanges();
        for (int second = 1; second <= kSeconds; ++second) {
            MeasureOneSecond(doc, board, *clock, second);
            if (second == 60)
                afterFirstMinute = ResidentMb();
        }
        atEnd = ResidentMb();
        rows = doc.MeasList.size();
        fw::Loop().RemoveTopLevel(&frame);
    }
    fw::SetClock(std::make_shared<fw::SystemClock>());
    const double peak = PeakResidentMb();
    state.counters["peak_rss_mb"] = peak;
    state.counters["budget_pct"] = 100.0 * peak / kRssBudgetMb;
    state.counters["growth_kb"] = (atEnd - afterFirstMinute) * 1024.0;
    state.counters["rows"] = double(rows);
}

}  // namespace

BENCHMARK(BM_MeasuringHour)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_MAIN();
