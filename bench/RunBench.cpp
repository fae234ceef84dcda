// Whole fast runs on the example projects, the collector also with exact areas.

#include "project/ProjectFile.h"
#include "simulation/Simulation.h"

#include "FullYear.h"

#include <benchmark/benchmark.h>

#include <filesystem>

#include <sys/resource.h>
#include <unistd.h>

namespace {

using namespace penumbro;

void fullYear(benchmark::State& state, const char* example,
              ShadingMethod method = ShadingMethod::Raster) {
    const std::string path = std::string(PENUMBRO_SOURCE_DIR) + "/examples/" + example;
    const Lines text = loadProjectFile(path).lines;
    const auto dir = std::filesystem::temp_directory_path() / ("penumbro-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    RunSettings settings{(dir / "run").string(), false, Language::English, method};
    long instants = 0;
    for (auto _ : state) {
        TSimParameter p = bench::fullYearParameters();
        instants = Simulation(text, path, p, settings).instants;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["instants"] = static_cast<double>(instants);
    state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    std::filesystem::remove_all(dir);
}

void BM_FullYear10Minutes_Collector(benchmark::State& s) { fullYear(s, "collector.dat"); }
void BM_FullYear10Minutes_Facade(benchmark::State& s) { fullYear(s, "facade.dat"); }
void BM_FullYear10Minutes_CollectorExact(benchmark::State& s) {
    fullYear(s, "collector.dat", ShadingMethod::Exact);
}
BENCHMARK(BM_FullYear10Minutes_Collector)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FullYear10Minutes_CollectorExact)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FullYear10Minutes_Facade)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
