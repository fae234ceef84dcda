// Deleting and moving a target that carries many overhangs (up to the 9,999 a project
// can hold besides the target): both must grow linearly with the overhangs. Reducing a
// measured horizon profile to the section's intervals: n log n in the points.

#include "editor/GeneratorEdit.h"
#include "editor/HorizonImport.h"
#include "editor/ObjectSplices.h"
#include "editor/ObjectTable.h"

#include <benchmark/benchmark.h>

namespace {

using namespace penumbro;

const Placement kSouth{180, 45, {12, 12, 5}};

Lines target(const Placement& at) {
    return generatePlainSurface({"T", true, rectangleCorners(4, 3, 0, 0), at});
}

// A new project holding the target as object 1 and n overhangs on it.
Lines targetWithOverhangs(int n) {
    Lines text = commitInsert(newProjectLines(), 1, target(kSouth));
    const Lines overhang =
        generateOverhang({"o", 1, rectangleCorners(4, 1, 0, 3), 0, -90, 0, 3}, kSouth);
    const ObjectList list = readableList(text);
    const auto end = text.begin() + list.object(2).Zeile - 1;
    Lines overhangs;
    for (int k = 0; k < n; ++k)
        overhangs.insert(overhangs.end(), overhang.begin(), overhang.end());
    text.insert(end, overhangs.begin(), overhangs.end());
    text[static_cast<std::size_t>(list.countLine - 1)] = std::to_string(n + 1);
    return text;
}

void BM_DeleteTarget(benchmark::State& state) {
    const Lines text = targetWithOverhangs(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(deleteObject(text, 1));
}
BENCHMARK(BM_DeleteTarget)->Arg(2000)->Arg(9999)->Unit(benchmark::kMillisecond);

void BM_ChangeTarget(benchmark::State& state) {
    const Lines text = targetWithOverhangs(static_cast<int>(state.range(0)));
    const Lines moved = target({200, 30, {1, 2, 3}});
    for (auto _ : state)
        benchmark::DoNotOptimize(commitChange(text, 1, moved));
}
BENCHMARK(BM_ChangeTarget)->Arg(2000)->Arg(9999)->Unit(benchmark::kMillisecond);

void BM_ReduceHorizonProfile(benchmark::State& state) {
    const auto n = static_cast<std::size_t>(state.range(0));
    std::vector<HorizonPoint> points(n);
    for (std::size_t i = 0; i < n; ++i)  // a jagged skyline
        points[i] = {360.0 * static_cast<double>(i) / static_cast<double>(n), static_cast<double>((i * 7919) % 2000) / 100};
    for (auto _ : state) benchmark::DoNotOptimize(reduceHorizonProfile(points));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ReduceHorizonProfile)->Range(1 << 12, 1 << 20)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oNLogN);

}  // namespace
