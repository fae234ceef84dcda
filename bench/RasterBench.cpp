// Raster passes at counting step 1 and the diffuse pre-computation, on scenes built
// here (a tilted collector with a house, a tree and a wall; a south facade window
// with an overhang, a side fin and a horizon line) and on the example projects when
// they exist.

#include "engine/Augenblick.h"
#include "engine/Compiler.h"
#include "engine/Diffuse.h"
#include "engine/Frames.h"
#include "engine/ShadingRaster.h"
#include "project/ProjectFile.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace penumbro;

struct Pt {
    double x, y, z;
};

void addSurface(Lines& t, const std::string& name, const std::vector<Pt>& pts, bool target = false,
                const std::string& foliage = "") {
    t.push_back(name);
    if (target) t.push_back("Target");
    if (!foliage.empty()) t.push_back(foliage);
    t.push_back(std::to_string(pts.size()));
    for (const Pt& p : pts)
        t.push_back(std::to_string(p.x) + " " + std::to_string(p.y) + " " + std::to_string(p.z));
}

Lines finish(Lines surfaces, int count, const std::vector<std::string>& tail) {
    Lines t = {"* built-in benchmark scene", std::to_string(count)};
    t.insert(t.end(), surfaces.begin(), surfaces.end());
    t.insert(t.end(), tail.begin(), tail.end());
    t.push_back("Standort");
    t.push_back("51.0 -8.0 -1.0");
    t.push_back("Bodenreflexion");
    t.push_back(" 40 40 30 20 20 20 20 20 20 20 30 40");
    return t;
}

Lines collectorScene() {
    Lines s;
    int n = 0;
    // Collector tilted 45 degrees toward the south.
    addSurface(s, "Kollektor", {{0, 0, 0.5}, {4, 0, 0.5}, {4, 1, 1.5}, {0, 1, 1.5}}, true), ++n;
    // House to the south-east: four walls, a gable and two roof faces.
    const double x0 = 6, x1 = 12, y0 = -9, y1 = -4, h = 5, ridge = 7.5, ym = (y0 + y1) / 2;
    addSurface(s, "Frontseite", {{x0, y0, 0}, {x1, y0, 0}, {x1, y0, h}, {x0, y0, h}}), ++n;
    addSurface(s, "Rueckseite", {{x1, y1, 0}, {x0, y1, 0}, {x0, y1, h}, {x1, y1, h}}), ++n;
    addSurface(s, "Laengsseite 1", {{x0, y1, 0}, {x0, y0, 0}, {x0, y0, h}, {x0, y1, h}}), ++n;
    addSurface(s, "Laengsseite 2", {{x1, y0, 0}, {x1, y1, 0}, {x1, y1, h}, {x1, y0, h}}), ++n;
    addSurface(s, "Giebel", {{x0, y0, h}, {x0, y1, h}, {x0, ym, ridge}}), ++n;
    addSurface(s, "Dach 1", {{x0, y0, h}, {x0, ym, ridge}, {x1, ym, ridge}, {x1, y0, h}}), ++n;
    addSurface(s, "Dach 2", {{x0, ym, ridge}, {x0, y1, h}, {x1, y1, h}, {x1, ym, ridge}}), ++n;
    // Tree to the south-west: four crown octagons around the vertical axis, three trunk faces.
    const double tx = -3, ty = -6, r = 2.5, zc = 5, tr = 0.25;
    const char* crowns[] = {"Baum", "Baum1", "Baum2", "Baum3"};
    for (int k = 0; k < 4; ++k) {
        const double a = k * 3.14159265358979 / 4, ca = std::cos(a), sa = std::sin(a);
        std::vector<Pt> oct;
        for (int i = 0; i < 8; ++i) {
            const double b = i * 3.14159265358979 / 4;
            oct.push_back({tx + r * std::cos(b) * ca, ty + r * std::cos(b) * sa, zc + r * std::sin(b)});
        }
        addSurface(s, crowns[k], oct, false,
                   k == 0 ? "Belaubung   0  0 20 60 90100100100 90 50 10  0" : ""), ++n;
    }
    const char* trunks[] = {"Stamm", "Stamm1", "Stamm2"};
    for (int k = 0; k < 3; ++k) {
        const double a = k * 2 * 3.14159265358979 / 3;
        const Pt p{tx + tr * std::cos(a), ty + tr * std::sin(a), 0};
        const Pt q{tx + tr * std::cos(a + 2.0944), ty + tr * std::sin(a + 2.0944), 0};
        addSurface(s, trunks[k], {p, q, {q.x, q.y, zc - r}, {p.x, p.y, zc - r}}), ++n;
    }
    // A garden wall in front.
    addSurface(s, "Mauer", {{-2, -2, 0}, {6, -2, 0}, {6, -2, 1.2}, {-2, -2, 1.2}}), ++n;
    return finish(s, n, {});
}

Lines facadeScene() {
    Lines s;
    int n = 0;
    addSurface(s, "Fenster", {{0, 0, 1}, {1.5, 0, 1}, {1.5, 0, 2.5}, {0, 0, 2.5}}, true), ++n;
    addSurface(s, "$#1 Vordach", {{-0.3, -0.8, 2.8}, {1.8, -0.8, 2.8}, {1.8, 0, 2.8}, {-0.3, 0, 2.8}}), ++n;
    addSurface(s, "Seitenblende", {{1.8, 0, 0.8}, {1.8, -0.6, 0.8}, {1.8, -0.6, 2.8}, {1.8, 0, 2.8}}), ++n;
    addSurface(s, "Nachbarhaus", {{-12, -20, 0}, {-4, -20, 0}, {-4, -20, 9}, {-12, -20, 9}}), ++n;
    return finish(s, n, {"Horizont", "90-150=8", "150-210=4", "210-270=10"});
}

CompiledModel sceneModel(const std::string& which) {
    if (which == "collector-built-in") return compileProject(collectorScene(), "collector");
    if (which == "facade-built-in") return compileProject(facadeScene(), "facade");
    const std::string path = std::string(PENUMBRO_SOURCE_DIR) + "/examples/" + which;
    return compileProject(loadProjectFile(path).lines, path);
}

// Sun vectors of daytime positions that reach the target, spread over a year.
std::vector<Vec3> sunVectors(const CompiledModel& m) {
    std::vector<Vec3> out;
    for (int day = 15; day <= 365; day += 30)
        for (float t = 5; t < 20; t += 0.5f) {
            const SunPosition sp = Sonnenstand(1995, day, t, m.site.latitude, m.site.longitude,
                                               m.site.correction);
            if (sp.elevation <= 0) continue;
            const Vec3 s = Sonnenvektor(sp.elevation * 3.14159265358979 / 180,
                                        sp.azimuth * 3.14159265358979 / 180, m.frame);
            if (s.y > 0 && horizonHeight(m.horizon, sp.azimuth) < sp.elevation) out.push_back(s);
        }
    return out;
}

void rasterPasses(benchmark::State& state, const std::string& which) {
    const CompiledModel m = sceneModel(which);
    const std::vector<Vec3> suns = sunVectors(m);
    ShadingRaster raster;
    raster.reset(DrawingWindowKind::FastRun);
    raster.prepare(m);
    std::size_t i = 0;
    long shaded = 0;
    for (auto _ : state) {
        const RasterCounts c = raster.pass(m, suns[i], 1);
        shaded += c.shaded;
        benchmark::DoNotOptimize(shaded);
        if (++i == suns.size()) i = 0;
    }
    state.counters["passes_per_s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                        benchmark::Counter::kIsRate);
    state.counters["surfaces"] = static_cast<double>(m.flaechen.size());
    state.counters["target_px"] = static_cast<double>(raster.sampledMaskPixels(1));
}

void diffuse(benchmark::State& state, const std::string& which) {
    const CompiledModel m = sceneModel(which);
    const int intervals = static_cast<int>(state.range(0));
    const int resolution = static_cast<int>(state.range(1));
    for (auto _ : state) {
        ShadingRaster raster;
        raster.reset(DrawingWindowKind::FastRun);
        const DiffuseAccumulators acc = diffusePrecomputation(m, raster, intervals, resolution);
        benchmark::DoNotOptimize(acc.n);
    }
    state.counters["passes"] = 4.0 * intervals * intervals;
}

bool exampleExists(const std::string& name) {
    return std::filesystem::exists(std::string(PENUMBRO_SOURCE_DIR) + "/examples/" + name);
}

const int registered = [] {
    std::vector<std::string> scenes = {"collector-built-in", "facade-built-in"};
    for (const char* e : {"collector.dat", "facade.dat"})
        if (exampleExists(e)) scenes.emplace_back(e);
    for (const std::string& s : scenes) {
        benchmark::RegisterBenchmark(("BM_RasterPass/" + s).c_str(),
                                     [s](benchmark::State& st) { rasterPasses(st, s); })
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("BM_DiffusePrecomputation/" + s).c_str(),
                                     [s](benchmark::State& st) { diffuse(st, s); })
            ->Args({10, 5})
            ->Args({25, 5})
            ->Args({25, 1})
            ->Unit(benchmark::kMillisecond);
    }
    return 0;
}();

}  // namespace
