// Cost of writing a data file of 10 000 rows (building the text, converting it to the
// device's single-byte text, the durable write) against a 100 ms budget, so saving a long
// session never leaves the operator waiting. "budget_share" is the fraction of 100 ms one
// export takes, in wall time.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "document/CKelvarinDoc.h"
#include "export/DataFile.h"

namespace {

constexpr double kExportBudgetSeconds = 0.100;
constexpr int kRows = 10000;

std::filesystem::path MakeRoot() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "kelvarin-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        std::abort();
    setenv("KELVARIN_ROOT", pattern.c_str(), 1);
    std::filesystem::create_directories(std::filesystem::path(pattern) / "USB HD");
    return pattern;
}

void FillRows(CKelvarinDoc& doc) {
    doc.SerialNumber = "1234567";
    CHANNEL_INFO& c = doc.Channel[0];
    c.SystemFactor = 1;
    c.ChamberIndex = 0;
    c.ChamberModel = "Farmer";
    c.ChamberSerial = "S-200";
    c.CalMode = 8;
    c.CoefMantissa = 5410;
    c.CoefExponent = 7;
    MEAS_INFO row;
    for (int i = 0; i < kRows; ++i) {
        doc.Filter.Chan[0].Rate = 61.0 + i;
        doc.Filter.Chan[0].Charge = 12.5 + i;
        doc.AddMeasurement(i % 2 == 0, row);
    }
}

void BM_Export10000Rows(benchmark::State& state) {
    const std::filesystem::path root = MakeRoot();
    CKelvarinDoc doc;
    FillRows(doc);
    for (auto _ : state) {
        if (!WriteDataFile(doc, "bench", DataLayout::Measurement))
            state.SkipWithError("the data file could not be written");
    }
    state.counters["budget_share"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kExportBudgetSeconds,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    std::filesystem::remove_all(root);
}
BENCHMARK(BM_Export10000Rows)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
