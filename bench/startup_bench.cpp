// Cold start of the instrument program: from starting the process to its first view on the
// panel (the headless panel's first picture appearing), with the simulated board on the
// main-board port, against a budget of 150 ms. Each start is a fresh process on a fresh
// instrument root, so nothing is warm but the disk cache. Also reports the resident memory
// the program reached by then.
#include <benchmark/benchmark.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr double kStartBudgetSeconds = 0.150;
constexpr auto kGiveUp = std::chrono::seconds(10);

pid_t Spawn(const std::string& program, const std::vector<std::string>& args) {
    pid_t pid = fork();
    if (pid == 0) {
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        if (!freopen("/dev/null", "w", stdout) || !freopen("/dev/null", "w", stderr))
            _exit(126);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    return pid;
}

bool WaitForFile(const fs::path& path) {
    const auto deadline = Clock::now() + kGiveUp;
    std::error_code ec;
    while (!fs::exists(path, ec)) {
        if (Clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return true;
}

// Ends a child and returns the most memory it had resident, in MB.
double Stop(pid_t pid) {
    kill(pid, SIGKILL);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

class FreshRoot {
  public:
    FreshRoot() {
        std::string pattern = (fs::temp_directory_path() / "kv-start-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr)
            path_ = pattern;
        fs::create_directories(path_ / "FlashDisk");
        fs::create_directories(path_ / "dev");
    }
    ~FreshRoot() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& Path() const { return path_; }

  private:
    fs::path path_;
};

void BM_ColdStartToFirstView(benchmark::State& state) {
    const std::string bin = KELVARIN_BINARY_DIR;
    double rssMb = 0.0;
    for (auto _ : state) {
        FreshRoot root;
        const fs::path link = root.Path() / "dev" / "board";
        pid_t board = Spawn(bin + "/boardsim", {"--link", link.string()});
        if (!WaitForFile(link)) {
            Stop(board);
            state.SkipWithError("the simulated board did not start");
            break;
        }
        setenv("KELVARIN_ROOT", root.Path().c_str(), 1);
        setenv("KELVARIN_COM2", link.c_str(), 1);
        setenv("KELVARIN_HEADLESS", "1", 1);
        const auto started = Clock::now();
        pid_t instrument = Spawn(bin + "/kelvarin", {});
        const bool shown = WaitForFile(root.Path() / "screen.png");
        const std::chrono::duration<double> elapsed = Clock::now() - started;
        rssMb = Stop(instrument);
        Stop(board);
        if (!shown) {
            state.SkipWithError("the instrument showed no view");
            break;
        }
        state.SetIterationTime(elapsed.count());
    }
    state.counters["budget_pct"] =
        benchmark::Counter(double(state.iterations()) * kStartBudgetSeconds / 100.0,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["start_rss_mb"] = rssMb;
}

}  // namespace

BENCHMARK(BM_ColdStartToFirstView)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
