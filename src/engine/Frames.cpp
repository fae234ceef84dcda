#include "engine/Frames.h"

#include <cmath>
#include <numbers>

namespace penumbro {

namespace {
constexpr double kPi = std::numbers::pi;
}

Vec3 newellNormal(const TFlaeche& s) {
    double nx = 0, ny = 0, nz = 0;
    for (int i = 0; i < s.n; ++i) {
        const Vec3& a = s.v[static_cast<std::size_t>(i)];
        const Vec3& b = s.v[static_cast<std::size_t>((i + 1) % s.n)];
        nx += a.y * b.z - a.z * b.y;
        ny += a.z * b.x - a.x * b.z;
        nz += a.x * b.y - a.y * b.x;
    }
    return {nx, ny, nz};
}

bool hasNormal(const TFlaeche& s) {
    const Vec3 n = newellNormal(s);
    return n.x != 0 || n.y != 0 || n.z != 0;
}

void computeNormalAngles(TFlaeche& s) {
    const Vec3 normal = newellNormal(s);
    const double nx = normal.x, ny = normal.y, nz = normal.z;
    double alpha;
    if (ny == 0) alpha = nx < 0 ? -kPi / 2 : nx == 0 ? 0.0 : kPi / 2;
    else {
        alpha = std::atan(nx / ny);
        if (ny < 0) alpha += kPi;
    }
    if (alpha < 0) alpha += 2 * kPi;
    double beta;
    const double h2 = nx * nx + ny * ny;
    if (h2 == 0) beta = nz < 0 ? -kPi / 2 : nz == 0 ? 0.0 : kPi / 2;
    else beta = std::atan(nz / std::sqrt(h2));
    s.alpha = alpha;
    s.beta = beta;
}

Vec3 rotatedAboutZ(const Vec3& p, double a) {
    const double c = std::cos(a), sn = std::sin(a);
    return {c * p.x + sn * p.y, -sn * p.x + c * p.y, p.z};
}

Vec3 rotatedAboutX(const Vec3& p, double b) {
    const double c = std::cos(b), sn = std::sin(b);
    return {p.x, c * p.y + sn * p.z, -sn * p.y + c * p.z};
}

void rotateAboutZ(TFlaeche& s, double a) {
    for (int i = 0; i < s.n; ++i) {
        Vec3& p = s.v[static_cast<std::size_t>(i)];
        p = rotatedAboutZ(p, a);
    }
}

void rotateAboutX(TFlaeche& s, double b) {
    for (int i = 0; i < s.n; ++i) {
        Vec3& p = s.v[static_cast<std::size_t>(i)];
        p = rotatedAboutX(p, b);
    }
}

Vec3 planeCrossing(const Vec3& a, const Vec3& b) {
    const double dy = b.y - a.y;
    double t = 0;
    if (std::fabs(dy) > 1e-10 * (std::fabs(a.y) + std::fabs(b.y))) t = -a.y / dy;
    return {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y), a.z + t * (b.z - a.z)};
}

void clipAtTargetPlane(TFlaeche& s) {
    const int n = s.n;
    if (n == 0) return;
    std::array<bool, kMaxPolygonVertices> remove{};
    std::array<bool, kMaxPolygonVertices> insert{};
    std::array<Vec3, kMaxPolygonVertices> inserted{};
    auto& p = s.v;
    auto at = [&](int i) -> Vec3& { return p[static_cast<std::size_t>(i)]; };

    // Phase 1: works on the polygon as already changed, so a replaced vertex is seen
    // with its new value by its successor.
    for (int i = 0; i < n; ++i) {
        if (!(at(i).y > 0)) continue;
        const Vec3 prev = at((i + n - 1) % n);
        const Vec3 next = at((i + 1) % n);
        bool handled = false;
        if (prev.y < 1e-4 && next.y >= -1e-4) {
            at(i) = planeCrossing(prev, at(i));
            handled = true;
        }
        if (!handled && prev.y >= -1e-4 && next.y < 1e-4) {
            at(i) = planeCrossing(next, at(i));
            handled = true;
        }
        if (prev.y >= 0 && next.y >= 0) remove[static_cast<std::size_t>(i)] = true;
        if (!handled && prev.y < 0 && next.y < 0) {
            const Vec3 q = at(i);
            at(i) = planeCrossing(prev, q);
            const double t = -next.y / (q.y - next.y);
            inserted[static_cast<std::size_t>(i)] = {next.x + t * (q.x - next.x),
                                                     next.y + t * (q.y - next.y),
                                                     next.z + t * (q.z - next.z)};
            insert[static_cast<std::size_t>(i)] = true;
        }
    }

    // Phase 2: remove the marked vertices and insert the remembered points after theirs.
    std::array<Vec3, kMaxPolygonVertices> out{};
    int m = 0;
    for (int i = 0; i < n; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (!remove[k] && m < kMaxPolygonVertices) out[static_cast<std::size_t>(m++)] = p[k];
        if (insert[k] && m < kMaxPolygonVertices) out[static_cast<std::size_t>(m++)] = inserted[k];
    }
    s.v = out;
    s.n = m;
}

Vec3 Sonnenvektor(double elevation, double azimuth, const TargetFrame& frame) {
    double s1 = std::cos(elevation) * std::sin(azimuth);
    double s2 = std::cos(elevation) * std::cos(azimuth);
    double s3 = std::sin(elevation);
    const double ca = std::cos(frame.alphaPrime), sa = std::sin(frame.alphaPrime);
    const double r1 = ca * s1 + sa * s2;
    const double r2 = -sa * s1 + ca * s2;
    s1 = r1;
    s2 = r2;
    const double cb = std::cos(frame.beta), sb = std::sin(frame.beta);
    const double q2 = cb * s2 + sb * s3;
    const double q3 = -sb * s2 + cb * s3;
    return {s1, q2, q3};
}

}  // namespace penumbro
