// Reading a price file the way a user does: kestrel runs ZRBOMC on the office plan, answers
// the file prompt with a price file of 10,000, 100,000 or 1,000,000 lines, selects everything
// and closes the report. The run with an empty price file is the baseline (starting the
// program, reading the drawing, counting); "us_per_line" is the time above it per line, and
// stays flat when loading grows in proportion to the file.
//
//   build/release/bench/pricelist/price_file_bench

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::string kKestrel = KESTREL_BINARY_DIR "/bin/kestrel";
const std::string kPlan = KESTREL_SOURCE_DIR "/examples/office-plan.dxf";

// A folder of its own with a copy of the module, so the settings files it writes at Close
// stay there, and the price files.
class Scratch {
public:
    Scratch() {
        std::string pattern = (fs::temp_directory_path() / "kestrel-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()))
            dir_ = pattern;
        fs::copy_file(KESTREL_BINARY_DIR "/bin/kestrel.arx", dir_ / "kestrel.arx");
    }
    ~Scratch() {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }
    std::string Module() const { return (dir_ / "kestrel.arx").string(); }
    // A price file of `lines` records (written once), as the template dialog writes them.
    std::string Prices(long lines) {
        fs::path path = dir_ / ("prices-" + std::to_string(lines) + ".prc");
        if (!fs::exists(path)) {
            FILE* f = std::fopen(path.c_str(), "wb");
            for (long i = 0; i < lines; ++i)
                std::fprintf(f, "block%07ld|%ld.50|Description of item %ld\r\n", i, i % 997, i);
            std::fclose(f);
        }
        return path.string();
    }

private:
    fs::path dir_;
};

Scratch& Files() {
    static Scratch scratch;
    return scratch;
}

// One run of the report over the price file; false when kestrel did not end well.
bool RunReport(const std::string& module, const std::string& prices) {
    std::vector<std::string> args = {
        kKestrel, kPlan, "--module", module, "-c", "ZRBOMC", "-c",
        prices,   "-c",  "ALL",      "-c",   "",   "-c",     "CLICK \"&Close\""};
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    pid_t child;
    bool ok = posix_spawn(&child, kKestrel.c_str(), &quiet, nullptr, argv.data(), environ) == 0;
    int status = 0;
    ok = ok && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    posix_spawn_file_actions_destroy(&quiet);
    return ok;
}

double g_baselineSeconds = 0;

void PriceFileLoading(benchmark::State& state) {
    const long lines = state.range(0);
    const std::string prices = Files().Prices(lines);
    double seconds = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        if (!RunReport(Files().Module(), prices)) {
            state.SkipWithError("kestrel failed");
            return;
        }
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    seconds /= static_cast<double>(state.iterations());
    if (lines == 0)
        g_baselineSeconds = seconds;
    state.counters["lines"] = static_cast<double>(lines);
    if (lines > 0)
        state.counters["us_per_line"] = (seconds - g_baselineSeconds) * 1e6 / lines;
}
BENCHMARK(PriceFileLoading)
    ->Arg(0)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

BENCHMARK_MAIN();
