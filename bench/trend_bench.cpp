// Cost of the trend page: one rate into a channel's ring (two a second per channel, against
// a budget of 1 µs), and the two-channel screen's trend page with a quarter of an hour of
// rates on both channels in its 15-minute window — rebuilt and redrawn after a new rate, and
// the whole screen repainted — against the 2 ms repaint budget.
#include <cmath>
#include <memory>

#include "RepaintPanel.h"
#include "controls/CBttn.h"
#include "screens/CTwoChannelView.h"
#include "support/window_search.h"

namespace {

constexpr int64_t kRateMs = 500;  // the document computes a rate every half second
constexpr double kAppendBudgetSeconds = 1e-6;

// A current drifting slowly with some ripple, and a collection of 30 s every two minutes.
TrendSample SampleAt(int64_t ms, double scale) {
    const double t = double(ms) / 1000;
    return TrendSample{.currentFa = scale * (1 + 1e-4 * t + 2e-3 * std::sin(t / 7)),
                       .collecting = (ms / 1000) % 120 < 30};
}

void Press(fw::Window* w) {
    auto* button = dynamic_cast<CBttn*>(w);
    const fw::Rect r = button->GetRect();
    const fw::Point centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    button->OnTouchDown(centre);
    button->OnTouchUp(centre);
}

void BM_AppendRate(benchmark::State& state) {
    CTrendRing ring;
    int64_t ms = 0;
    for (auto _ : state) {
        ring.Append(ms, SampleAt(ms, 1e4));
        ms += kRateMs;
    }
    benchmark::DoNotOptimize(ring.Size());
    state.counters["budget_pct"] =
        benchmark::Counter(double(state.iterations()) * kAppendBudgetSeconds / 100,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The two-channel screen on its trend page, 15-minute window, the rings full.
struct TrendPanel {
    TrendPanel() : clock(std::make_shared<fw::ManualClock>()) {
        fw::SetClock(clock);
        panel = std::make_unique<repaint_bench::Panel<CTwoChannelView>>();
        auto* view = static_cast<CTwoChannelView*>(panel->frame.ActiveView());
        for (; clock->NowMs() < 900 * 1000; clock->Advance(kRateMs))
            AddRate();
        view->Tabs().SetCurSel(CTwoChannelView::kTrend);
        Press(testing_support::FindById(view, CTrendPage::kIdWindows[2]));
        fw::Loop().RepaintNow();
    }
    ~TrendPanel() {
        panel.reset();
        fw::SetClock(std::make_shared<fw::SystemClock>());
    }
    void AddRate() {
        const int64_t ms = clock->NowMs();
        panel->doc.Trend[0].Append(ms, SampleAt(ms, 1.2e4));
        panel->doc.Trend[1].Append(ms, SampleAt(ms, 4.5e7));
    }
    std::shared_ptr<fw::ManualClock> clock;
    std::unique_ptr<repaint_bench::Panel<CTwoChannelView>> panel;
};

void BM_TrendRateUpdate(benchmark::State& state) {
    TrendPanel trend;
    for (auto _ : state) {
        trend.clock->Advance(kRateMs);
        trend.AddRate();
        trend.panel->doc.UpdateAllViews(kHintNewRates);
        fw::Loop().RepaintNow();
    }
    repaint_bench::ReportBudget(state);
}

void BM_TrendFullRepaint(benchmark::State& state) {
    TrendPanel trend;
    repaint_bench::FullRepaint(state, *trend.panel);
}

}  // namespace

BENCHMARK(BM_AppendRate)->Unit(benchmark::kNanosecond);
BENCHMARK(BM_TrendRateUpdate)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TrendFullRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
