// Cost of the chamber library against an operator's touch: a selection should answer within
// 100 ms, a list page of 1 000 calibrations within 50 ms. "budget_ppm" is the share of those 100 ms
// that one operation takes, in parts per million. Adds include the flush to the flash disk (here:
// the temp folder's disk).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "store/CCLibDB.h"

namespace {

constexpr double kTouchBudgetSeconds = 0.1;
constexpr double kListingBudgetSeconds = 0.05;
constexpr double kPpm = 1e6;

void ReportBudgetShare(benchmark::State& state, double budgetSeconds = kTouchBudgetSeconds) {
    state.counters["budget_ppm"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * budgetSeconds / kPpm,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// A fresh instrument root for one benchmark, removed with it.
class BenchRoot {
  public:
    BenchRoot() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "kv-store-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr)
            path_ = pattern;
        setenv("KELVARIN_ROOT", path_.c_str(), 1);
    }
    ~BenchRoot() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }

  private:
    std::filesystem::path path_;
};

CHAMBER_CAL Cal(int n) {
    CHAMBER_CAL c;
    c.ChamberSerial = "SN" + std::to_string(100000 + n);
    c.ChamberModel = "FC65-G";
    c.ReportName = "Report " + std::to_string(n);
    c.ReportDate = {2024, 1, 15};
    c.CalDueDate = {2026, 1, 15};
    c.BeamIsotope = "Co-60";
    c.CoefMantissa = static_cast<int16_t>(4000 + n);
    c.CoefExponent = 7;
    c.Aion = "1.000";
    return c;
}

void Fill(CCLibDB& lib, int count) {
    for (int i = 0; i < count; ++i)
        lib.AddRecord(Cal(i));
}

void BM_ChamberGetRecord(benchmark::State& state) {
    BenchRoot root;
    CCLibDB lib;
    const int count = static_cast<int>(state.range(0));
    Fill(lib, count);
    CHAMBER_CAL out;
    for (auto _ : state)
        benchmark::DoNotOptimize(lib.GetRecord(count / 2, out));
    ReportBudgetShare(state);
}

void BM_ChamberAddRecord(benchmark::State& state) {
    BenchRoot root;
    CCLibDB lib;
    int n = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(lib.AddRecord(Cal(n++)));
    ReportBudgetShare(state);
}

// Re-resolving a selection by content: the worst case scans the whole library.
void BM_ChamberFindLastRecord(benchmark::State& state) {
    BenchRoot root;
    CCLibDB lib;
    const int count = static_cast<int>(state.range(0));
    Fill(lib, count);
    int index = -1;
    for (auto _ : state)
        benchmark::DoNotOptimize(lib.FindRecord(Cal(count - 1), index));
    ReportBudgetShare(state);
}

// The chamber list page: a fresh store object (as each page opening has) mounts the volume and
// reads the whole library in one query.
void BM_ChamberListing(benchmark::State& state) {
    BenchRoot root;
    const int count = static_cast<int>(state.range(0));
    {
        CCLibDB lib;
        Fill(lib, count);
    }
    std::vector<std::optional<CHAMBER_CAL>> all;
    for (auto _ : state) {
        CCLibDB lib;
        benchmark::DoNotOptimize(lib.GetAllRecords(all));
    }
    state.counters["records"] = static_cast<double>(all.size());
    ReportBudgetShare(state, kListingBudgetSeconds);
}

}  // namespace

// Filling the library flushes every add, so the listing runs a fixed number of times on one fill.
BENCHMARK(BM_ChamberListing)->Arg(1000)->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChamberGetRecord)->Arg(20)->Arg(200);
BENCHMARK(BM_ChamberAddRecord)->Iterations(50);
BENCHMARK(BM_ChamberFindLastRecord)->Arg(20)->Arg(200);
BENCHMARK_MAIN();
