// Cost of drawing the one-channel screen on the 640 x 480 software panel: a full repaint, and
// a rate update (hint 4, every half second) with the repaint it asks for, against a budget
// of 2 ms. The "budget_pct" counter is the share of that budget one repaint takes, in percent.
#include "RepaintPanel.h"
#include "screens/COneChannelView.h"

namespace {

using repaint_bench::Panel;

void BM_FullRepaint(benchmark::State& state) {
    Panel<COneChannelView> panel;
    repaint_bench::FullRepaint(state, panel);
}

void BM_RateUpdate(benchmark::State& state) {
    Panel<COneChannelView> panel;
    double rate = 61.0;
    for (auto _ : state) {
        rate = rate > 400000.0 ? 61.0 : rate * 1.7;  // a new text every time
        panel.doc.Filter.Chan[0].Rate = rate;
        panel.doc.UpdateAllViews(kHintNewRates);
        fw::Loop().RepaintNow();
    }
    repaint_bench::ReportBudget(state);
}

}  // namespace

BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RateUpdate)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
