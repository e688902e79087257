// Cost of drawing the two-channel screen with its ratio column on the 640 x 480 software
// panel: a full repaint, and a rate update (hint 4, every half second: both channels' rates
// and the rate ratio) with the repaint it asks for, against a budget of 2 ms. The
// "budget_pct" counter is the share of that budget one repaint takes, in percent.
#include <benchmark/benchmark.h>

#include <memory>

#include "document/CKelvarinDoc.h"
#include "fw/Clock.h"
#include "fw/EventLoop.h"
#include "fw/Resources.h"
#include "screens/CTwoChannelView.h"

namespace {

constexpr double kRepaintBudgetSeconds = 2e-3;
constexpr double kPercent = 100.0;

struct Panel {
    Panel() : frame(doc) {
        fw::SetSoundEnabled(false);
        frame.SwitchToView(std::make_unique<CTwoChannelView>());
        frame.ActiveView()->OnCommand(CTwoChannelView::kIdRatio, nullptr);
        fw::Loop().RepaintNow();
    }
    ~Panel() { fw::Loop().RemoveTopLevel(&frame); }
    CKelvarinDoc doc;
    fw::Frame frame;
};

void ReportBudget(benchmark::State& state) {
    state.counters["budget_pct"] =
        benchmark::Counter(double(state.iterations()) * kRepaintBudgetSeconds / kPercent,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_FullRepaintWithRatios(benchmark::State& state) {
    Panel panel;
    for (auto _ : state) {
        panel.frame.Invalidate();
        fw::Loop().RepaintNow();
    }
    ReportBudget(state);
}

void BM_RateUpdateWithRatios(benchmark::State& state) {
    Panel panel;
    double rate = 61.0;
    for (auto _ : state) {
        rate = rate > 400000.0 ? 61.0 : rate * 1.7;  // new texts every time
        panel.doc.Filter.Chan[0].Rate = rate;
        panel.doc.Filter.Chan[1].Rate = rate * 0.37;
        panel.doc.UpdateAllViews(kHintNewRates);
        fw::Loop().RepaintNow();
    }
    ReportBudget(state);
}

}  // namespace

BENCHMARK(BM_FullRepaintWithRatios)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RateUpdateWithRatios)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
