#pragma once
// Scenes with known geometry for the raster tests, and an exact shadow area computed
// in world coordinates, independently of the engine's frames and sun vector.

#include "engine/Model.h"

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace penumbro::testing {

inline constexpr double kPi = std::numbers::pi;

inline double deg(double d) { return d * kPi / 180.0; }

inline TFlaeche surface(const std::string& name, const std::vector<Vec3>& pts, bool target = false) {
    TFlaeche s;
    s.name = name;
    s.istTarget = target;
    s.n = static_cast<int>(pts.size());
    for (std::size_t i = 0; i < pts.size(); ++i) s.v[i] = pts[i];
    return s;
}

// A target rectangle w x h, with obstacles given in world coordinates. South wall: world
// plane y = 0, x 0..w, z 0..h, facing south, target frame = world frame. Roof: world plane
// z = 0, x 0..w, y 0..h, facing up, target frame (w - x, -z, h - y).
struct KnownScene {
    enum class Kind { SouthWall, Roof };
    Kind kind;
    double w, h;
    CompiledModel model;

    KnownScene(Kind k, double width, double height) : kind(k), w(width), h(height) {
        const bool wall = kind == Kind::SouthWall;
        TFlaeche t = surface(wall ? "Kollektor" : "Dach", {{0, 0, 0}, {w, 0, 0}, {w, 0, h}, {0, 0, h}}, true);
        t.alpha = wall ? kPi : 0;
        t.beta = wall ? 0 : kPi / 2;
        model.flaechen.push_back(t);
        model.frame.alphaPrime = wall ? -kPi : 0;
        model.frame.beta = t.beta;
    }

    void add(const std::string& name, const std::vector<Vec3>& world) {
        std::vector<Vec3> f;
        for (const Vec3& p : world) f.push_back(kind == Kind::SouthWall ? p : Vec3{w - p.x, -p.z, h - p.y});
        model.flaechen.push_back(surface(name, f));
    }
};

struct P2 {
    double x, y;
};

// Fraction of the scene's target covered by the shadow of one convex world polygon:
// the shadow in the target plane, clipped to the target (Sutherland-Hodgman), by area.
inline double exactShadowFraction(const KnownScene& scene, const std::vector<Vec3>& world,
                                  double elevationDeg, double azimuthDeg) {
    const double e = deg(elevationDeg), a = deg(azimuthDeg);
    const Vec3 d{std::cos(e) * std::sin(a), std::cos(e) * std::cos(a), std::sin(e)};
    const bool wall = scene.kind == KnownScene::Kind::SouthWall;
    std::vector<P2> poly;
    for (const Vec3& p : world) {
        const double u = wall ? p.y / d.y : p.z / d.z;
        poly.push_back({p.x - u * d.x, wall ? p.z - u * d.z : p.y - u * d.y});
    }
    // Clip against x >= 0, x <= w, y >= 0, y <= h in turn.
    const double bound[4] = {0, scene.w, 0, scene.h};
    for (int k = 0; k < 4; ++k) {
        const bool onX = k < 2, upper = k % 2 == 1;
        const auto coord = [&](P2 p) { return onX ? p.x : p.y; };
        const auto inside = [&](P2 p) { return upper ? coord(p) <= bound[k] : coord(p) >= bound[k]; };
        std::vector<P2> out;
        for (std::size_t i = 0; i < poly.size(); ++i) {
            const P2 p = poly[i], q = poly[(i + 1) % poly.size()];
            const double t = (bound[k] - coord(p)) / (coord(q) - coord(p));
            const P2 cross{p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)};
            if (inside(p) != inside(q)) out.push_back(onX ? P2{bound[k], cross.y} : P2{cross.x, bound[k]});
            if (inside(q)) out.push_back(q);
        }
        poly = out;
    }
    if (poly.size() < 3) return 0.0;
    double area = 0;
    for (std::size_t i = 0; i < poly.size(); ++i) {
        const P2 u = poly[i], v = poly[(i + 1) % poly.size()];
        area += u.x * v.y - v.x * u.y;
    }
    return std::fabs(area) / 2 / (scene.w * scene.h);
}

}  // namespace penumbro::testing
