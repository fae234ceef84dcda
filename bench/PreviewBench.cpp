// One redraw of the editor's 3D preview (prepare the frame from the project text, draw
// it and read the picture back) with Mesa's software OpenGL. Aims: the collector
// example under 5 ms, a scene of 1,000 surfaces under 50 ms. Needs a display with GLX:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/penumbro-preview-bench
// With LP_NUM_THREADS=0 the rasteriser runs on the calling thread, so the CPU column
// is the whole cost even when other work shares the processor.

#include "editor/generators/PolygonGenerator.h"
#include "project/ProjectFile.h"
#include "ui/AppState.h"
#include "ui/Preview3D.h"

#include <QApplication>
#include <QOpenGLWidget>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

using namespace penumbro;

// n walls and roofs in rows, every fifth tilted so all surface colours occur.
Lines manySurfaces(int n) {
    Lines text = {"* Benchmark", std::to_string(n)};
    for (int k = 0; k < n; ++k) {
        const Vec3 at{double(k % 40) * 3.0, double(k / 40) * 4.0, 0.0};
        const Lines s = generatePlainSurface(
            {"F" + std::to_string(k), k == 0, rectangleCorners(2, 3, 0, 0), {180, k % 5 == 0 ? 45.0 : 90.0, at}});
        text.insert(text.end(), s.begin(), s.end());
    }
    text.insert(text.end(), {"Standort", "50.0 0.0 0.0", "Bodenreflexion", " 20 20 20 20 20 20 20 20 20 20 20 20"});
    return text;
}

void redraw(benchmark::State& st, const Lines& text) {
    ui::AppState state;
    state.project.daten = text;
    ui::Preview3DBox box(state);
    box.resize(800, 600);
    box.show();
    if (!QTest::qWaitForWindowExposed(&box) || !box.hasOpenGl()) {
        st.SkipWithError("no OpenGL on this display");
        return;
    }
    auto* panel = static_cast<QOpenGLWidget*>(box.panel());
    box.Neuzeichnen();  // the first redraw sets the projection up for the scene's extent
    for (auto _ : st) {
        box.Neuzeichnen();
        benchmark::DoNotOptimize(panel->grabFramebuffer());
    }
}

void BM_PreviewCollector(benchmark::State& st) {
    redraw(st, loadProjectFile(std::string(PENUMBRO_SOURCE_DIR) + "/examples/collector.dat").lines);
}
BENCHMARK(BM_PreviewCollector)->Unit(benchmark::kMillisecond);

void BM_PreviewSurfaces(benchmark::State& st) { redraw(st, manySurfaces(int(st.range(0)))); }
BENCHMARK(BM_PreviewSurfaces)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
