// Cost of the chamber library page against an operator's touch, with 1 000 calibrations on
// the flash disk: opening the page (one listing query, the list filled, the first repaint)
// and scrolling to the last row, budget 50 ms; and one step of a held scroll button with its
// repaint. "budget_pct" is the share of the 50 ms one iteration takes, in percent.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "document/CKelvarinDoc.h"
#include "fw/EventLoop.h"
#include "fw/Resources.h"
#include "fw/View.h"
#include "library/CChamberLibView.h"
#include "store/CCLibDB.h"

namespace {

constexpr double kBudgetSeconds = 0.05;
constexpr double kPercent = 100.0;
constexpr int kRecords = 1000;

void ReportBudget(benchmark::State& state) {
    state.counters["budget_pct"] =
        benchmark::Counter(double(state.iterations()) * kBudgetSeconds / kPercent,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// A fresh instrument root holding `count` chamber calibrations, removed afterwards.
class LibraryRoot {
  public:
    explicit LibraryRoot(int count) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "kv-chamber-page-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr)
            path_ = pattern;
        setenv("KELVARIN_ROOT", path_.c_str(), 1);
        CCLibDB library;
        for (int n = 0; n < count; ++n)
            library.AddRecord(Calibration(n));
    }
    ~LibraryRoot() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }

  private:
    static CHAMBER_CAL Calibration(int n) {
        CHAMBER_CAL c;
        c.ChamberSerial = "SN" + std::to_string(100000 + n);
        c.ChamberModel = "FC65-G";
        c.ReportName = "Report " + std::to_string(n);
        c.ReportDate = {2024, 1, 15};
        c.CalDueDate = {n % 2 == 0 ? int16_t(2024) : int16_t(2060), 1, 15};  // half are due
        c.BeamIsotope = "Co-60";
        c.CoefMantissa = static_cast<int16_t>(4000 + n);
        c.CoefExponent = 7;
        c.CalMode = 8;
        c.Aion = "1.000";
        return c;
    }
    std::filesystem::path path_;
};

// The library both benchmarks read, filled at the first use.
void SharedRoot() {
    static LibraryRoot root(kRecords);
}

struct Panel {
    Panel() : frame(doc) { fw::SetSoundEnabled(false); }
    ~Panel() { fw::Loop().RemoveTopLevel(&frame); }
    CChamberLibView& Open() {
        frame.SwitchToView(std::make_unique<CChamberLibView>());
        fw::Loop().RepaintNow();
        return *static_cast<CChamberLibView*>(frame.ActiveView());
    }
    CKelvarinDoc doc;
    fw::Frame frame;
};

CTouchListCtrl& ListOf(CChamberLibView& view) {
    return *static_cast<CTouchListCtrl*>(view.FindChild(CChamberLibView::kIdList));
}

void BM_OpenAndScrollToTheEnd(benchmark::State& state) {
    SharedRoot();
    Panel panel;
    int rows = 0;
    for (auto _ : state) {
        CChamberLibView& view = panel.Open();
        CTouchListCtrl& list = ListOf(view);
        while (list.CanScrollDown())
            view.OnCommand(CChamberLibView::kIdScrollDown, nullptr);
        fw::Loop().RepaintNow();
        rows = list.GetItemCount();
    }
    state.counters["rows"] = rows;
    ReportBudget(state);
}

// A held scroll button: one line and the repaint it asks for, per repeat.
void BM_ScrollStep(benchmark::State& state) {
    SharedRoot();
    Panel panel;
    CChamberLibView& view = panel.Open();
    CTouchListCtrl& list = ListOf(view);
    for (auto _ : state) {
        if (!list.CanScrollDown())
            list.EnsureVisible(0);
        view.OnCommand(CChamberLibView::kIdScrollDown, nullptr);
        fw::Loop().RepaintNow();
    }
    ReportBudget(state);
}

}  // namespace

// Filling the library flushes every add: it is filled once for both.
BENCHMARK(BM_OpenAndScrollToTheEnd)->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollStep)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
