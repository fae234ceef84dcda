// Runs with culling give the same files and online values as with PENUMBRO_NO_CULLING=1,
// over random projects: targets vertical, tilted and flat, obstacles before, beside
// and behind them, trees among them.

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

class Culling {
public:
    explicit Culling(bool on) {
        if (on) ::unsetenv("PENUMBRO_NO_CULLING");
        else ::setenv("PENUMBRO_NO_CULLING", "1", 1);
    }
    ~Culling() { ::unsetenv("PENUMBRO_NO_CULLING"); }
};

TEST(CullingRun, FilesAndOnlineValuesAreThoseWithoutCulling) {
    const struct {
        double azimuth, elevation, radius;
    } targets[] = {{180, 0, 25}, {180, 45, 60}, {100, 30, 25}, {0, 90, 40}, {260, 0, 80}, {215, 70, 30}};
    std::mt19937 rng(5);
    const testing::TempDir dir("culling-run");
    for (const auto& t : targets) {
        SCOPED_TRACE("target " + std::to_string(t.azimuth) + "/" + std::to_string(t.elevation));
        const Lines text = randomProject(rng, t.azimuth, t.elevation, t.radius);
        for (const ShadingMethod method : {ShadingMethod::Raster, ShadingMethod::Exact}) {
            TSimParameter start;
            start.diffuse = true;
            start.firstMonth = 3 + static_cast<int>(rng() % 8);
            start.stopMonth = start.firstMonth + 1;
            start.intervalDays = 9;
            start.intervalMinutes = 30;
            start.elevationIntervals = 4;
            start.diffuseResolution = 3;
            start.resolution = 1 + static_cast<int>(rng() % 2);
            std::string files[2];
            for (const bool on : {true, false}) {
                const Culling culling(on);
                TSimParameter p = start;
                const std::string base = dir.path(on ? "on" : "off");
                Simulation(text, "random.dat", p, {base, false, Language::English, method});
                files[on ? 1 : 0] = dir.read(on ? "on.rep" : "off.rep") + dir.read(on ? "on.mit" : "off.mit");
            }
            EXPECT_EQ(files[0], files[1]) << (method == ShadingMethod::Raster ? "raster" : "exact");
        }

        std::vector<double> values[2];
        std::vector<std::uint32_t> pictures[2];
        for (const bool on : {true, false}) {
            const Culling culling(on);
            TSimParameter p;
            OnlineSession session;
            session.compile(text, "random.dat", p, Language::English);
            session.NeuStart();
            for (int click = 0; click < 12; ++click) {
                session.SpeedButtonWeiterClick(click % 3 == 0 ? OnlineStep::DayOn : OnlineStep::HourOn);
                values[on].push_back(session.lastInstant().ergebnis);
                const auto& px = session.raster().pixels();
                pictures[on].insert(pictures[on].end(), px.begin(), px.end());
            }
        }
        EXPECT_EQ(values[0], values[1]);
        EXPECT_TRUE(pictures[0] == pictures[1]);
    }
}

}  // namespace
}  // namespace penumbro
