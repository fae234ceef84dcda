// Scenes of many surfaces: city blocks of N = 100, 1000, 3000 and 10000 surfaces (see
// CityBlock.h). A full year at 10-minute steps with both methods, the diffuse
// pre-computation and online step clicks. Every full-year figure is also given as a
// ratio to the collector example's full year measured in the same program run, by
// wall clock and by processor time (the machine may be shared).
//
// PENUMBRO_NO_CULLING=1 measures the same without culling.

#include "CityBlock.h"

#include "engine/Compiler.h"
#include "engine/Diffuse.h"
#include "engine/ExactShading.h"
#include "engine/ShadingRaster.h"
#include "project/ProjectFile.h"
#include "simulation/OnlineSession.h"
#include "simulation/Simulation.h"

#include "FullYear.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <string>

#include <sys/resource.h>
#include <unistd.h>

namespace {

using namespace penumbro;

struct Times {
    double wall = 0;  // seconds
    double cpu = 0;
};

template <typename F>
Times timed(F&& f) {
    const auto w0 = std::chrono::steady_clock::now();
    const std::clock_t c0 = std::clock();
    f();
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - w0).count(),
            static_cast<double>(std::clock() - c0) / CLOCKS_PER_SEC};
}

std::filesystem::path scratchDir() {
    const auto dir = std::filesystem::temp_directory_path() / ("penumbro-city-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return dir;
}

long fullYear(const Lines& text, const std::string& file, ShadingMethod method) {
    TSimParameter p = bench::fullYearParameters();
    const RunSettings settings{(scratchDir() / "run").string(), false, Language::English, method};
    return Simulation(text, file, p, settings).instants;
}

// The collector example's full year with the raster, once per program run.
const Times& collectorYear() {
    static const Times t = [] {
        const std::string path = std::string(PENUMBRO_SOURCE_DIR) + "/examples/collector.dat";
        const Lines text = loadProjectFile(path).lines;
        fullYear(text, path, ShadingMethod::Raster);  // warm-up
        return timed([&] { fullYear(text, path, ShadingMethod::Raster); });
    }();
    return t;
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void cityYear(benchmark::State& state, ShadingMethod method) {
    const int n = static_cast<int>(state.range(0));
    const Lines text = bench::cityBlock(n);
    const Times reference = collectorYear();
    Times last;
    for (auto _ : state) last = timed([&] { fullYear(text, "city.dat", method); });
    state.counters["surfaces"] = n;
    state.counters["ratio_wall"] = last.wall / reference.wall;
    state.counters["ratio_cpu"] = last.cpu / reference.cpu;
    state.counters["collector_ms"] = reference.wall * 1000;
    state.counters["peak_rss_MB"] = peakMegabytes();
    std::filesystem::remove_all(scratchDir());
}

void BM_CityFullYear_Raster(benchmark::State& s) { cityYear(s, ShadingMethod::Raster); }
void BM_CityFullYear_Exact(benchmark::State& s) { cityYear(s, ShadingMethod::Exact); }

// The pre-computation at its start values: 10 bands (400 directions), step 5.
void cityDiffuse(benchmark::State& state, ShadingMethod method) {
    const CompiledModel m = compileProject(bench::cityBlock(static_cast<int>(state.range(0))), "city.dat");
    for (auto _ : state) {
        if (method == ShadingMethod::Raster) {
            ShadingRaster raster;
            raster.reset(DrawingWindowKind::FastRun);
            benchmark::DoNotOptimize(diffusePrecomputation(m, raster, 10, 5).n);
        } else {
            ExactShading exact;
            benchmark::DoNotOptimize(diffusePrecomputationExact(m, exact, 10).n);
        }
    }
}

void BM_CityDiffuse_Raster(benchmark::State& s) { cityDiffuse(s, ShadingMethod::Raster); }
void BM_CityDiffuse_Exact(benchmark::State& s) { cityDiffuse(s, ShadingMethod::Exact); }

// One "+10 Minuten" click of the online view, painting included.
void BM_CityOnlineClick(benchmark::State& state) {
    TSimParameter p;
    OnlineSession session;
    session.compile(bench::cityBlock(static_cast<int>(state.range(0))), "city.dat", p, Language::English);
    session.NeuStart();
    for (auto _ : state) {
        session.SpeedButtonWeiterClick(OnlineStep::TenMinutesOn);
        benchmark::DoNotOptimize(session.lastInstant().ergebnis);
    }
}

BENCHMARK(BM_CityFullYear_Raster)->Arg(100)->Arg(1000)->Arg(3000)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CityFullYear_Exact)->Arg(100)->Arg(1000)->Arg(3000)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CityDiffuse_Raster)->Arg(1000)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CityDiffuse_Exact)->Arg(1000)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CityOnlineClick)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace
