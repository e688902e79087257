// A measuring screen on the 640 x 480 software panel, and the share of the 2 ms repaint
// budget one repaint takes, for the screen repaint benchmarks.
#pragma once

#include <benchmark/benchmark.h>

#include <memory>

#include "document/CKelvarinDoc.h"
#include "fw/Clock.h"
#include "fw/EventLoop.h"
#include "fw/Resources.h"

namespace repaint_bench {

constexpr double kRepaintBudgetSeconds = 2e-3;
constexpr double kPercent = 100.0;

template <class View>
struct Panel {
    Panel() : frame(doc) {
        fw::SetSoundEnabled(false);
        frame.SwitchToView(std::make_unique<View>());
        fw::Loop().RepaintNow();
    }
    ~Panel() { fw::Loop().RemoveTopLevel(&frame); }
    CKelvarinDoc doc;
    fw::Frame frame;
};

// The "budget_pct" counter: the share of the budget one iteration takes, in percent.
inline void ReportBudget(benchmark::State& state) {
    state.counters["budget_pct"] =
        benchmark::Counter(double(state.iterations()) * kRepaintBudgetSeconds / kPercent,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// A repaint of the whole screen, as after a view switch.
template <class View>
void FullRepaint(benchmark::State& state, Panel<View>& panel) {
    for (auto _ : state) {
        panel.frame.Invalidate();
        fw::Loop().RepaintNow();
    }
    ReportBudget(state);
}

}  // namespace repaint_bench
