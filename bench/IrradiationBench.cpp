// A weather year's irradiation on the collector example, and the sun-path mask at
// 2 x 2 degrees on both examples.

#include "engine/Calendar.h"
#include "project/ProjectFile.h"
#include "simulation/Irradiation.h"
#include "simulation/SunPath.h"

#include <benchmark/benchmark.h>

namespace {

using namespace penumbro;

std::string examplePath(const char* name) { return std::string(PENUMBRO_SOURCE_DIR) + "/examples/" + name; }

// Daylight from 6 to 19 o'clock every day, with the site and time zone of the project;
// every other day overcast (no beam: the Perez sky still computes the instant for its
// circumsolar light).
WeatherFile syntheticYear() {
    WeatherFile w;
    w.latitude = 48.0, w.longitude = 11.6, w.timeZone = 1;
    for (int row = 0; row < kWeatherHours; ++row) {
        const int day = row / 24 + 1, month = monthOfDay(day), hour = row % 24 + 1;
        const bool up = hour >= 7 && hour <= 19, clear = day % 2 == 1;
        w.hours.push_back({month, day - kMonatsanfang[static_cast<std::size_t>(month - 1)] + 1, hour,
                           up ? (clear ? 300.0 : 150.0) : 0.0, up && clear ? 400.0 : 0.0,
                           up ? (clear ? 100.0 : 150.0) : 0.0});
    }
    return w;
}

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
