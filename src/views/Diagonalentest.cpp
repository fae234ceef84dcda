#include "views/Diagonalentest.h"

#include <cstddef>

namespace penumbro {

namespace {
// Tolerances that keep touching at an end point from counting as a crossing.
constexpr double kLow = 1e-10;
constexpr double kHigh = 0.9999999999;
}  // namespace

bool leftOf(const PointUV& p, const PointUV& q, const PointUV& r) {
    return (q.u - p.u) * (r.v - p.v) - (q.v - p.v) * (r.u - p.u) > 0.0;
}

bool crosses(const PointUV& a, const PointUV& b, const PointUV& c, const PointUV& d) {
    const double abU = b.u - a.u, abV = b.v - a.v;
    const double cdU = d.u - c.u, cdV = d.v - c.v;
    const double caU = a.u - c.u, caV = a.v - c.v;
    const double det = cdU * abV - cdV * abU;
    if (det == 0.0) return false;
    const double s = (caU * cdV - caV * cdU) / det;  // position along a->b
    const double t = (caU * abV - caV * abU) / det;  // position along c->d
    return s > kLow && s < kHigh && t > kLow && t < kHigh;
}

std::vector<std::array<int, 3>> Diagonalentest(const std::vector<PointUV>& corners) {
    const int n = static_cast<int>(corners.size());
    std::vector<std::array<int, 3>> triangles;
    if (n < 3) return triangles;
    const auto at = [&](int i) -> const PointUV& { return corners[static_cast<std::size_t>(i)]; };
    const auto prev = [n](int i) { return i == 0 ? n - 1 : i - 1; };

    std::vector<char> ok(static_cast<std::size_t>(n * n), 0);
    const auto cell = [n](int i, int j) { return static_cast<std::size_t>(i * n + j); };
    for (int i = 0; i < n; ++i) {
        for (int j = i + 1; j < n; ++j) {
            bool usable = false;
            if (j == i + 1 || (i == 0 && j == n - 1)) {
                usable = true;  // an edge
            } else if (leftOf(at(i), at(i + 1), at(j)) && leftOf(at(i), at(j), at(prev(i)))) {
                usable = true;
                for (int k = 0; k < n && usable; ++k) {
                    if (crosses(at(i), at(j), at(k), at((k + 1) % n))) usable = false;
                }
            }
            ok[cell(i, j)] = ok[cell(j, i)] = usable ? 1 : 0;
        }
    }
    for (int i = 0; i < n; ++i) {
        for (int j = i + 1; j < n; ++j) {
            if (!ok[cell(i, j)]) continue;
            for (int k = j + 1; k < n; ++k) {
                if (ok[cell(j, k)] && ok[cell(k, i)]) triangles.push_back({i, j, k});
            }
        }
    }
    return triangles;
}

}  // namespace penumbro
