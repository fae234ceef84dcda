// A batch of eight targets (eight copies of the collector example) on one worker thread
// and on two: the second figure should be close to half the first on two cores.

#include "project/FileIo.h"
#include "simulation/Batch.h"

#include "FullYear.h"

#include <benchmark/benchmark.h>

#include <filesystem>

#include <sys/resource.h>
#include <unistd.h>

namespace {

using namespace penumbro;

void eightTargets(benchmark::State& state) {
    const std::string example = std::string(PENUMBRO_SOURCE_DIR) + "/examples/collector.dat";
    const auto dir = std::filesystem::temp_directory_path() / ("penumbro-batch-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::vector<BatchEntry> entries;
    for (int i = 1; i <= 8; ++i) {
        const std::string file = (dir / ("scene" + std::to_string(i) + ".dat")).string();
        writeFileAtomically(file, readFileBytes(example));
        const auto found = entriesOfText(file, readPlainText(file));
        entries.insert(entries.end(), found.begin(), found.end());
    }
    TSimParameter p = bench::fullYearParameters();
    const RunSettings settings;
    // The CPU time of every thread: equal for both job counts when the workers cost
    // nothing extra, so that only free cores limit the speed-up.
    auto processSeconds = [] {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
               static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    };
    const double before = processSeconds();
    for (auto _ : state) {
        for (const auto& o : runEntries(entries, p, settings, static_cast<int>(state.range(0))))
            if (o.status != EntryStatus::Done) state.SkipWithError(o.message.c_str());
    }
    state.counters["process_cpu_s"] =
        benchmark::Counter((processSeconds() - before) / static_cast<double>(state.iterations()));
    std::filesystem::remove_all(dir);
}

BENCHMARK(eightTargets)->Name("BM_Batch8Targets/jobs")->Arg(1)->Arg(2)->UseRealTime()
    ->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
