// Cost of the C array text against the least any text of the same length can cost:
// one allocation and one write of every byte.
#include "engine/arraytext.h"
#include "engine/startupstops.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

namespace {

void generateArray(benchmark::State& state) {
    const std::string steps = std::to_string(state.range(0));
    std::size_t bytes = 0;
    for (auto _ : state) {
        auto text =
            std::get<std::string>(tintwright::generateArrayText(tintwright::startupStops, steps));
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}

void writeSameBytes(benchmark::State& state) {
    const std::size_t bytes =
        std::get<std::string>(
            tintwright::generateArrayText(tintwright::startupStops, std::to_string(state.range(0))))
            .size();
    for (auto _ : state) {
        std::string text(bytes, 'x');
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}

void stepCounts(benchmark::internal::Benchmark* run) {
    for (const std::int64_t steps : {64, 4096, 1'000'000, 16'777'216}) {
        run->Arg(steps);
    }
    run->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(generateArray)->Apply(stepCounts);
BENCHMARK(writeSameBytes)->Apply(stepCounts);

int main(int argc, char** argv) {
    // A press of "Generate Array" writes its text into memory the process has not touched
    // yet. Left alone, glibc recycles the previous iteration's pages for large blocks, so
    // pin its threshold: every large allocation is then fresh pages, in both benchmarks.
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
