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

// Unit vector from the ground toward the sun, world frame.
inline Vec3 sunDirection(double elevationDeg, double azimuthDeg) {
    const double e = deg(elevationDeg), a = deg(azimuthDeg);
    return {std::cos(e) * std::sin(a), std::cos(e) * std::cos(a), std::sin(e)};
}

inline TFlaeche surface(const std::string& name, const std::vector<Vec3>& pts,
                        bool target = false) {
    TFlaeche s;
    s.name = name;
    s.istTarget = target;
    s.n = static_cast<int>(pts.size());
    for (std::size_t i = 0; i < pts.size(); ++i) s.v[i] = pts[i];
    return s;
}

// A target rectangle w x h with the world-to-frame map of its orientation, so that
// obstacles can be written in world coordinates.
struct KnownScene {
    enum class Kind { SouthWall, Roof };
    Kind kind = Kind::SouthWall;
    double w = 4, h = 3;
    CompiledModel model;

    // South wall: world plane y = 0, x 0..w, z 0..h, facing south; the target frame is
    // the world frame. Roof: world plane z = 0, x 0..w, y 0..h, facing up; the target
    // frame is (w - x, -z, h - y).
    KnownScene(Kind k, double width, double height) : kind(k), w(width), h(height) {
        if (kind == Kind::SouthWall) {
            TFlaeche t = surface("Kollektor", {{0, 0, 0}, {w, 0, 0}, {w, 0, h}, {0, 0, h}}, true);
            t.alpha = kPi;
            t.beta = 0;
            model.flaechen.push_back(t);
            model.frame.alphaPrime = -kPi;
            model.frame.beta = 0;
        } else {
            TFlaeche t = surface("Dach", {{0, 0, 0}, {w, 0, 0}, {w, 0, h}, {0, 0, h}}, true);
            t.alpha = 0;
            t.beta = kPi / 2;
            model.flaechen.push_back(t);
            model.frame.alphaPrime = 0;
            model.frame.beta = kPi / 2;
        }
    }

    Vec3 toFrame(const Vec3& p) const {
        if (kind == Kind::SouthWall) return p;
        return {w - p.x, -p.z, h - p.y};
    }

    void add(const std::string& name, const std::vector<Vec3>& world) {
        std::vector<Vec3> f;
        for (const Vec3& p : world) f.push_back(toFrame(p));
        model.flaechen.push_back(surface(name, f));
    }
};

// --- exact geometry in the target plane ---

struct P2 {
    double x, y;
};

inline double polygonArea(const std::vector<P2>& p) {
    double a = 0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        const P2& u = p[i];
        const P2& v = p[(i + 1) % p.size()];
        a += u.x * v.y - v.x * u.y;
    }
    return std::fabs(a) / 2;
}

// Sutherland-Hodgman clip of any polygon against the box [x0,x1] x [y0,y1].
inline std::vector<P2> clipToBox(std::vector<P2> poly, double x0, double x1, double y0,
                                 double y1) {
    auto clipEdge = [&](auto inside, auto cross) {
        std::vector<P2> out;
        for (std::size_t i = 0; i < poly.size(); ++i) {
            const P2 a = poly[i], b = poly[(i + 1) % poly.size()];
            const bool ia = inside(a), ib = inside(b);
            if (ia && ib) out.push_back(b);
            else if (ia && !ib) out.push_back(cross(a, b));
            else if (!ia && ib) {
                out.push_back(cross(a, b));
                out.push_back(b);
            }
        }
        poly = out;
    };
    auto atX = [](double x) {
        return [x](P2 a, P2 b) { return P2{x, a.y + (x - a.x) * (b.y - a.y) / (b.x - a.x)}; };
    };
    auto atY = [](double y) {
        return [y](P2 a, P2 b) { return P2{a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y), y}; };
    };
    clipEdge([&](P2 p) { return p.x >= x0; }, atX(x0));
    clipEdge([&](P2 p) { return p.x <= x1; }, atX(x1));
    clipEdge([&](P2 p) { return p.y >= y0; }, atY(y0));
    clipEdge([&](P2 p) { return p.y <= y1; }, atY(y1));
    return poly;
}

// Fraction of the scene's target covered by the shadow of one convex world polygon.
inline double exactShadowFraction(const KnownScene& scene, const std::vector<Vec3>& world,
                                  double elevationDeg, double azimuthDeg) {
    const Vec3 d = sunDirection(elevationDeg, azimuthDeg);
    std::vector<P2> shadow;
    for (const Vec3& p : world) {
        if (scene.kind == KnownScene::Kind::SouthWall) {
            const double u = p.y / d.y;
            shadow.push_back({p.x - u * d.x, p.z - u * d.z});
        } else {
            const double u = p.z / d.z;
            shadow.push_back({p.x - u * d.x, p.y - u * d.y});
        }
    }
    const auto clipped = clipToBox(shadow, 0, scene.w, 0, scene.h);
    return clipped.size() < 3 ? 0.0 : polygonArea(clipped) / (scene.w * scene.h);
}

}  // namespace penumbro::testing
