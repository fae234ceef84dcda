// Importing a city block of LoD2 houses written by tools/make-city-block.sh: the whole
// import (parse, place, split, write the text) must stay under 2 s for 400 houses.

#include "import/ModelImport.h"
#include "project/ProjectText.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using namespace penumbro;

std::string cityBlock(int rows, int columns) {
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("penumbro-block-" + std::to_string(rows) + "x" + std::to_string(columns) + ".gml"))
                                 .string();
    const std::string command = std::string(PENUMBRO_SOURCE_DIR) + "/tools/make-city-block.sh " + std::to_string(rows) +
                                " " + std::to_string(columns) + " > " + path;
    if (std::system(command.c_str()) != 0) std::abort();
    return path;
}

void BM_ImportCityBlock(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const std::string path = cityBlock(side, side);
    int polygons = 0;
    for (auto _ : state) polygons = importModel(newProjectLines(), path, {}).summary.polygons;
    state.counters["houses"] = side * side;
    state.counters["polygons"] = polygons;
    std::filesystem::remove(path);
}
BENCHMARK(BM_ImportCityBlock)->Arg(10)->Arg(20)->Unit(benchmark::kMillisecond);

}  // namespace
