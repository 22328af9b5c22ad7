// tintwright-gen writing the largest array to a file, beside generateArrayText making the
// same text in memory: writing, comparing and renaming should add at most half again.
#include "cli/generator.h"
#include "engine/arraytext.h"
#include "engine/numberrules.h"
#include "engine/startupstops.h"

#include <algorithm>
#include <array>
#include <benchmark/benchmark.h>
#include <filesystem>
#include <malloc.h>
#include <sstream>

namespace {

namespace fs = std::filesystem;
const std::string steps = std::to_string(tintwright::maxStepCount);

void generateArrayText(benchmark::State& state) {
    for (auto _ : state) {
        auto text =
            std::get<std::string>(tintwright::generateArrayText(tintwright::startupStops, steps));
        benchmark::DoNotOptimize(text.data());
    }
}

// Arg 0: the file is new each time. Arg 1: it already holds the same bytes, so it is read
// back and compared, and left as it is.
void generatorToFile(benchmark::State& state) {
    const fs::path folder = fs::temp_directory_path() / "tintwright-generator-benchmark";
    fs::create_directories(folder);
    std::vector<std::string> args = {"tintwright-gen", "-s", steps, "-o", folder / "array.c"};
    args.insert(args.end(), tintwright::startupStops.begin(), tintwright::startupStops.end());
    std::vector<char*> argv(args.size());
    std::transform(args.begin(), args.end(), argv.begin(),
                   [](std::string& arg) { return arg.data(); });
    std::istringstream in;
    std::ostringstream out;
    const std::array<tintwright::StandardStream, 3> streams{};
    for (auto _ : state) {
        if (state.range(0) == 0) {
            state.PauseTiming();
            fs::remove(folder / "array.c");
            state.ResumeTiming();
        }
        if (tintwright::runGenerator(argv, in, out, out, streams) != 0) {
            state.SkipWithError(out.str().c_str());
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(fs::file_size(folder / "array.c")));
    fs::remove_all(folder);
}

} // namespace

BENCHMARK(generateArrayText)->Unit(benchmark::kMillisecond);
BENCHMARK(generatorToFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    // As in the array text benchmark: every large allocation is fresh pages, in both.
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
