// Cost of the settings file against its budget: a start-up load (which rewrites the file) and
// a save should each finish well inside 5 ms so that applying preferences never stalls the
// screen. The "budget_ppm" counter is the share of those 5 ms one operation takes, in parts
// per million of wall time. The file lives in a fresh instrument root below the system's temporary
// folder, so the figures include the real fsync and rename costs of that disk.
#include <benchmark/benchmark.h>
#include <tinyxml2.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "document/CKelvarinDoc.h"
#include "settings/CXmlHelper.h"
#include "settings/SettingsFile.h"

namespace {

constexpr double kSettingsBudgetSeconds = 0.005;
constexpr double kPpm = 1e6;

void ReportBudgetShare(benchmark::State& state) {
    state.counters["budget_ppm"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kSettingsBudgetSeconds / kPpm,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// A fresh instrument root holding a complete settings file, removed afterwards.
class BenchRoot {
  public:
    BenchRoot() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "kelvarin-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr)
            path_ = pattern;
        setenv("KELVARIN_ROOT", path_.c_str(), 1);
        CKelvarinDoc doc;
        LoadSettings(doc);
        SaveSettings(doc);
    }
    ~BenchRoot() {
        std::error_code ec;
        if (!path_.empty())
            std::filesystem::remove_all(path_, ec);
    }

  private:
    std::filesystem::path path_;
};

void BM_LoadAndSave(benchmark::State& state) {
    BenchRoot root;
    CKelvarinDoc doc;
    for (auto _ : state) {
        LoadSettings(doc);
        doc.Filter.Cal[0].High.Gain += 1e-6;
        if (!SaveSettings(doc))
            state.SkipWithError("save failed");
    }
    ReportBudgetShare(state);
}
BENCHMARK(BM_LoadAndSave)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_Load(benchmark::State& state) {
    BenchRoot root;
    CKelvarinDoc doc;
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadSettings(doc).written);
    ReportBudgetShare(state);
}
BENCHMARK(BM_Load)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The part without the durable write: read and parse the file, print it back.
void BM_ParseAndPrint(benchmark::State& state) {
    BenchRoot root;
    for (auto _ : state) {
        CXmlHelper xml(kSettingsDevicePath);
        tinyxml2::XMLPrinter printer;
        xml.GetCategory(kCategoryRoot)->GetDocument()->Print(&printer);
        benchmark::DoNotOptimize(printer.CStrSize());
    }
    ReportBudgetShare(state);
}
BENCHMARK(BM_ParseAndPrint)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
