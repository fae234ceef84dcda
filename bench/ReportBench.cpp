// The shading report of both examples with a weather year (the whole page: run,
// sun-path mask, irradiation, pictures); the goal is under 2 s each.

#include "project/Calendar.h"
#include "project/ProjectFile.h"
#include "views/Report.h"

#include "SyntheticWeather.h"

#include <benchmark/benchmark.h>

namespace {

using namespace penumbro;

void reportYear(benchmark::State& state, const char* example, double latitude, double longitudeEast) {
    ReportRequest request;
    request.projectFile = std::string(PENUMBRO_SOURCE_DIR) + "/examples/" + example;
    request.text = loadProjectFile(request.projectFile).lines;
    request.params.diffuse = true;
    const WeatherFile weather = bench::syntheticWeatherYear(latitude, longitudeEast);
    request.weather = &weather;
    request.weatherFile = "year.epw";
    std::size_t bytes = 0;
    for (auto _ : state) bytes = makeReport(request, Language::German).size();
    state.counters["bytes"] = static_cast<double>(bytes);
}
void BM_ReportWithWeather_Collector(benchmark::State& s) { reportYear(s, "collector.dat", 48.0, 11.6); }
void BM_ReportWithWeather_Facade(benchmark::State& s) { reportYear(s, "facade.dat", 51.0, 7.0); }

BENCHMARK(BM_ReportWithWeather_Collector)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ReportWithWeather_Facade)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
