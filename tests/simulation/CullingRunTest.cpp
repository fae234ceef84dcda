// Runs with culling give the same files and online values as with PENUMBRO_NO_CULLING=1,
// over random projects: targets vertical, tilted and flat, obstacles before, beside
// and behind them, trees among them.

#include "engine/ExactShading.h"
#include "engine/ShadingRaster.h"
#include "simulation/OnlineSession.h"
#include "simulation/Simulation.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <numbers>
#include <random>

namespace penumbro {
namespace {

struct P {
    double x, y, z;
};

void addSurface(Lines& body, const std::string& name, const std::vector<P>& pts, const std::string& extra = "") {
    body.push_back(name);
    if (!extra.empty()) body.push_back(extra);
    body.push_back(std::to_string(pts.size()));
    for (const P& p : pts) body.push_back(std::to_string(p.x) + " " + std::to_string(p.y) + " " + std::to_string(p.z));
}

// A 3 x 2 target facing azimuth/elevation (degrees) and 40 obstacles up to `radius`
// away in every direction, now and then a tree group (7 surfaces) among them.
Lines randomProject(std::mt19937& rng, double azimuthDeg, double elevationDeg, double radius) {
    std::uniform_real_distribution<double> u(0, 1);
    const double a = azimuthDeg * std::numbers::pi / 180, e = elevationDeg * std::numbers::pi / 180;
    const P n{std::cos(e) * std::sin(a), std::cos(e) * std::cos(a), std::sin(e)};
    const P h{std::cos(a), -std::sin(a), 0};
    const P v{n.y * h.z - n.z * h.y, n.z * h.x - n.x * h.z, n.x * h.y - n.y * h.x};  // n x h: counter-clockwise
    const auto at = [&](double s, double t) { return P{s * h.x + t * v.x, s * h.y + t * v.y, 4 + s * h.z + t * v.z}; };
    Lines body;
    addSurface(body, "Kollektor", {at(0, 0), at(3, 0), at(3, 2), at(0, 2)}, "Target");
    int count = 1;
    const char* treeNames[] = {"Baum", "Baum1", "Baum2", "Baum3", "Stamm", "Stamm1", "Stamm2"};
    for (int k = 0; k < 40; ++k, ++count) {
        const double x = (u(rng) - 0.5) * 2 * radius, y = (u(rng) - 0.5) * 2 * radius;
        const bool tree = u(rng) < 0.1;
        for (int i = 0; i < (tree ? 7 : 1); ++i) {
            const double r = tree ? (i < 4 ? 2 : 0.3) : 1 + 6 * u(rng), t = tree ? i * 0.7 : u(rng) * 6.3;
            const double z0 = tree && i < 4 ? 3 : 0, z1 = tree ? (i < 4 ? 7 : 3) : 1 + 9 * u(rng);
            const P p{x - r * std::cos(t), y - r * std::sin(t), 0}, q{x + r * std::cos(t), y + r * std::sin(t), 0};
            addSurface(body, tree ? treeNames[i] : "Wand", {{p.x, p.y, z0}, {q.x, q.y, z0}, {q.x, q.y, z1}, {p.x, p.y, z1}},
                       tree && i == 0 ? "Belaubung   0  0 10 50 90100100100 90 60 20  0" : "");
        }
        if (tree) count += 6;
    }
    Lines t = {"* random scene", std::to_string(count)};
    t.insert(t.end(), body.begin(), body.end());
    t.insert(t.end(), {"Standort", "47.5 -9.0 -1.0", "Bodenreflexion", " 20 20 20 20 20 20 20 20 20 20 20 20"});
    return t;
}

// Everything a program shows of one project: both methods' files (diffuse factors
// included) and a dozen online steps with their values and pictures.
std::string outputs(const Lines& text, const TSimParameter& start, const testing::TempDir& dir) {
    std::string out;
    for (const ShadingMethod method : {ShadingMethod::Raster, ShadingMethod::Exact}) {
        TSimParameter p = start;
        Simulation(text, "random.dat", p, {dir.path("run"), false, Language::English, method});
        out += dir.read("run.rep") + dir.read("run.mit");
    }
    TSimParameter p;
    OnlineSession session;
    session.compile(text, "random.dat", p, Language::English);
    session.NeuStart();
    for (int click = 0; click < 12; ++click) {
        session.SpeedButtonWeiterClick(click % 3 == 0 ? OnlineStep::DayOn : OnlineStep::HourOn);
        out += std::to_string(session.lastInstant().ergebnis) + "\n";
        const auto& px = session.raster().pixels();
        out.append(reinterpret_cast<const char*>(px.data()), px.size() * sizeof px[0]);
    }
    return out;
}

TEST(CullingRun, FilesAndOnlineValuesAreThoseWithoutCulling) {
    const struct {
        double azimuth, elevation, radius;
    } targets[] = {{180, 0, 25}, {180, 45, 60}, {100, 30, 25}, {0, 90, 40}, {260, 0, 80}, {215, 70, 30}};
    std::mt19937 rng(5);
    const testing::TempDir dir("culling-run");
    for (const auto& t : targets) {
        SCOPED_TRACE("target " + std::to_string(t.azimuth) + "/" + std::to_string(t.elevation));
        const Lines text = randomProject(rng, t.azimuth, t.elevation, t.radius);
        TSimParameter p;
        p.diffuse = true;
        p.firstMonth = 3 + static_cast<int>(rng() % 8);
        p.stopMonth = p.firstMonth + 1;
        p.intervalDays = 9;
        p.intervalMinutes = 30;
        p.elevationIntervals = 4;
        p.diffuseResolution = 3;
        p.resolution = 1 + static_cast<int>(rng() % 2);
        ::unsetenv("PENUMBRO_NO_CULLING");
        ASSERT_TRUE(ShadingRaster().culling() && ExactShading().culling());
        const std::string culled = outputs(text, p, dir);
        ::setenv("PENUMBRO_NO_CULLING", "1", 1);
        ASSERT_FALSE(ShadingRaster().culling() || ExactShading().culling());  // the switch works
        const std::string full = outputs(text, p, dir);
        ::unsetenv("PENUMBRO_NO_CULLING");
        EXPECT_TRUE(culled == full);
    }
}

}  // namespace
}  // namespace penumbro
