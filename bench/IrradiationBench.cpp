// A weather year's irradiation on the collector example, and the sun-path mask at
// 2 x 2 degrees on both examples.

#include "project/Calendar.h"
#include "project/ProjectFile.h"
#include "simulation/Irradiation.h"
#include "simulation/SunPath.h"

#include "SyntheticWeather.h"

#include <benchmark/benchmark.h>

namespace {

using namespace penumbro;

std::string examplePath(const char* name) { return std::string(PENUMBRO_SOURCE_DIR) + "/examples/" + name; }

// The collector's site; the overcast days have no beam, but the Perez sky still
// computes the instant for their circumsolar light.
WeatherFile syntheticYear() { return bench::syntheticWeatherYear(48.0, 11.6); }

void irradiationYear(benchmark::State& state, SkyModel sky) {
    IrradiationRequest request;
    request.projectFile = examplePath("collector.dat");
    request.text = loadProjectFile(request.projectFile).lines;
    request.skyModel = sky;
    const WeatherFile weather = syntheticYear();
    double loss = 0;
    for (auto _ : state) loss = computeIrradiation(request, weather).year.lossPercent();
    state.counters["loss_percent"] = loss;
}
// The Perez sky should cost at most half as much again as the isotropic one.
void BM_IrradiationYear_Collector(benchmark::State& s) { irradiationYear(s, SkyModel::Isotropic); }
void BM_IrradiationYearPerez_Collector(benchmark::State& s) { irradiationYear(s, SkyModel::Perez); }

void sunPathMask(benchmark::State& state, const char* example) {
    const std::string path = examplePath(example);
    const Lines text = loadProjectFile(path).lines;
    std::size_t cells = 0;
    for (auto _ : state) cells = sunPathDiagram(text, path, TSimParameter{}, ShadingMethod::Raster).mask.values.size();
    state.counters["cells"] = static_cast<double>(cells);
}
void BM_SunPathMask2Degrees_Collector(benchmark::State& s) { sunPathMask(s, "collector.dat"); }
void BM_SunPathMask2Degrees_Facade(benchmark::State& s) { sunPathMask(s, "facade.dat"); }

BENCHMARK(BM_IrradiationYear_Collector)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_IrradiationYearPerez_Collector)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SunPathMask2Degrees_Collector)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SunPathMask2Degrees_Facade)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
