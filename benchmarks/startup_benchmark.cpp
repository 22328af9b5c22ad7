// tintwright-gen's start-up: the wall time of a whole run that writes the 64-step array of the
// start-up stops, beside a C program that only writes the same bytes. The two run in turn, so
// that both see the same machine; the median run of tintwright-gen should take at most twice
// as long as the C program's.
#include "engine/startupstops.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Runs a program with its standard output written to `output`; gives its wall time in
// milliseconds, or nothing when it did not start or did not succeed.
std::optional<double> timedRun(std::vector<std::string> args, const fs::path& output) {
    std::vector<char*> argv(args.size() + 1, nullptr);
    std::transform(args.begin(), args.end(), argv.begin(),
                   [](std::string& arg) { return arg.data(); });
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    int status = 0;
    const bool succeeded =
        posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0 &&
        waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    const std::chrono::duration<double, std::milli> time = std::chrono::steady_clock::now() - start;
    posix_spawn_file_actions_destroy(&actions);
    return succeeded ? std::optional(time.count()) : std::nullopt;
}

double median(std::vector<double> times) {
    const auto middle = times.begin() + static_cast<std::ptrdiff_t>(times.size() / 2);
    std::nth_element(times.begin(), middle, times.end());
    return *middle;
}

std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void startUp(benchmark::State& state) {
    const fs::path folder = fs::temp_directory_path() / "tintwright-startup-benchmark";
    fs::create_directories(folder);
    std::vector<std::string> generator = {TINTWRIGHT_GENERATOR, "-s", "64"};
    generator.insert(generator.end(), tintwright::startupStops.begin(),
                     tintwright::startupStops.end());
    std::vector<double> generatorTimes;
    std::vector<double> baselineTimes;
    for (auto _ : state) {
        const auto generatorTime = timedRun(generator, folder / "generator.c");
        const auto baselineTime = timedRun({TINTWRIGHT_BASELINE}, folder / "baseline.c");
        if (!generatorTime || !baselineTime) {
            state.SkipWithError("a program did not run to success");
            break;
        }
        generatorTimes.push_back(*generatorTime);
        baselineTimes.push_back(*baselineTime);
    }
    if (contents(folder / "generator.c") != contents(folder / "baseline.c")) {
        state.SkipWithError("the two programs wrote different bytes");
    } else if (!generatorTimes.empty()) {
        state.counters["gen_ms"] = median(generatorTimes);
        state.counters["c_ms"] = median(baselineTimes);
        state.counters["ratio"] = median(generatorTimes) / median(baselineTimes);
    }
    fs::remove_all(folder);
}

} // namespace

BENCHMARK(startUp)->Iterations(500)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
