// Cost of drawing the two-channel screen with its ratio column on the 640 x 480 software
// panel: a full repaint, and a rate update (hint 4, every half second: both channels' rates
// and the rate ratio) with the repaint it asks for, against a budget of 2 ms. The
// "budget_pct" counter is the share of that budget one repaint takes, in percent.
#include "RepaintPanel.h"
#include "screens/CTwoChannelView.h"

namespace {

// The two-channel screen with its ratio column shown.
struct RatioPanel : repaint_bench::Panel<CTwoChannelView> {
    RatioPanel() {
        frame.ActiveView()->OnCommand(CTwoChannelView::kIdRatio, nullptr);
        fw::Loop().RepaintNow();
    }
};

void BM_FullRepaintWithRatios(benchmark::State& state) {
    RatioPanel panel;
    repaint_bench::FullRepaint(state, panel);
}

void BM_RateUpdateWithRatios(benchmark::State& state) {
    RatioPanel panel;
    double rate = 61.0;
    for (auto _ : state) {
        rate = rate > 400000.0 ? 61.0 : rate * 1.7;  // new texts every time
        panel.doc.Filter.Chan[0].Rate = rate;
        panel.doc.Filter.Chan[1].Rate = rate * 0.37;
        panel.doc.UpdateAllViews(kHintNewRates);
        fw::Loop().RepaintNow();
    }
    repaint_bench::ReportBudget(state);
}

}  // namespace

BENCHMARK(BM_FullRepaintWithRatios)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RateUpdateWithRatios)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
