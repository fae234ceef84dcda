#include "import/FaceGeometry.h"

#include <boost/geometry.hpp>
#include <boost/geometry/geometries/point_xy.hpp>
#include <boost/geometry/geometries/polygon.hpp>
#include <boost/geometry/geometries/multi_polygon.hpp>

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace penumbro {

namespace bg = boost::geometry;

namespace {

using Point = bg::model::d2::point_xy<double>;
using Polygon = bg::model::polygon<Point, false, true>;  // counter-clockwise, closed
using MultiPolygon = bg::model::multi_polygon<Polygon>;

// Corners closer than this (metres) are one corner.
constexpr double kSamePoint = 1e-9;
// A corner whose edges turn by less than this (radians) lies on a straight line.
constexpr double kStraight = 1e-6;

double cross(const UV& o, const UV& a, const UV& b) { return (a.u - o.u) * (b.v - o.v) - (a.v - o.v) * (b.u - o.u); }
double distance(const UV& a, const UV& b) { return std::hypot(a.u - b.u, a.v - b.v); }

bool straight(const UV& prev, const UV& cur, const UV& next) {
    const double a = distance(prev, cur);
    const double b = distance(cur, next);
    if (a <= kSamePoint || b <= kSamePoint) return true;
    return std::abs(cross(prev, cur, next)) <= kStraight * a * b;
}

bool strictlyConvex(const Ring& ring) {
    const std::size_t n = ring.size();
    if (n < 3) return false;
    for (std::size_t i = 0; i < n; ++i) {
        if (cross(ring[(i + n - 1) % n], ring[i], ring[(i + 1) % n]) <= 0) return false;
    }
    return true;
}

// Ear clipping of a simple counter-clockwise ring: triangles as corner indices.
std::vector<std::array<int, 3>> triangulate(const Ring& ring) {
    std::vector<int> left(ring.size());
    for (std::size_t i = 0; i < ring.size(); ++i) left[i] = static_cast<int>(i);
    std::vector<std::array<int, 3>> out;
    auto at = [&](int i) -> const UV& { return ring[static_cast<std::size_t>(i)]; };
    while (left.size() > 3) {
        const std::size_t n = left.size();
        std::size_t ear = n;
        for (std::size_t i = 0; i < n && ear == n; ++i) {
            const int a = left[(i + n - 1) % n], b = left[i], c = left[(i + 1) % n];
            if (cross(at(a), at(b), at(c)) <= 0) continue;
            bool empty = true;
            for (int p : left) {
                if (p == a || p == b || p == c) continue;
                const UV& q = at(p);
                if (cross(at(a), at(b), q) >= 0 && cross(at(b), at(c), q) >= 0 && cross(at(c), at(a), q) >= 0) {
                    empty = false;
                    break;
                }
            }
            if (empty) ear = i;
        }
        // A ring that is not simple has no ear everywhere: cut the sharpest turn.
        if (ear == n) {
            double best = -1e300;
            for (std::size_t i = 0; i < n; ++i) {
                const double c = cross(at(left[(i + n - 1) % n]), at(left[i]), at(left[(i + 1) % n]));
                if (c > best) {
                    best = c;
                    ear = i;
                }
            }
        }
        out.push_back({left[(ear + n - 1) % n], left[ear], left[(ear + 1) % n]});
        left.erase(left.begin() + static_cast<std::ptrdiff_t>(ear));
    }
    out.push_back({left[0], left[1], left[2]});
    return out;
}

Ring cornersOf(const Ring& points, const std::vector<int>& piece) {
    Ring r;
    r.reserve(piece.size());
    for (int i : piece) r.push_back(points[static_cast<std::size_t>(i)]);
    return r;
}

// Merges adjacent pieces (sharing an edge) while the union stays convex and small,
// greedily; pieces are counter-clockwise corner indices into points.
std::vector<Ring> mergePieces(const Ring& points, std::vector<std::vector<int>> pieces) {
    std::map<std::pair<int, int>, std::size_t> owner;
    std::vector<bool> alive(pieces.size(), true);
    auto own = [&](std::size_t k) {
        const auto& p = pieces[k];
        for (std::size_t i = 0; i < p.size(); ++i) owner[{p[i], p[(i + 1) % p.size()]}] = k;
    };
    for (std::size_t k = 0; k < pieces.size(); ++k) own(k);
    bool changed = true;
    while (changed) {
        changed = false;
        for (std::size_t k = 0; k < pieces.size(); ++k) {
            if (!alive[k]) continue;
            bool merged = true;
            while (merged) {
                merged = false;
                const auto& p = pieces[k];
                for (std::size_t i = 0; i < p.size() && !merged; ++i) {
                    const int a = p[i], b = p[(i + 1) % p.size()];
                    auto it = owner.find({b, a});
                    if (it == owner.end() || it->second == k || !alive[it->second]) continue;
                    const std::size_t other = it->second;
                    const auto& q = pieces[other];
                    // p from b round to a, then q's corners between a and b.
                    std::vector<int> joined;
                    for (std::size_t s = 0; s < p.size(); ++s) joined.push_back(p[(i + 1 + s) % p.size()]);
                    const auto qa = static_cast<std::size_t>(std::find(q.begin(), q.end(), a) - q.begin());
                    for (std::size_t s = 1; s + 1 < q.size(); ++s) joined.push_back(q[(qa + s) % q.size()]);
                    std::vector<int> sorted = joined;
                    std::sort(sorted.begin(), sorted.end());
                    if (std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end()) continue;
                    const Ring clean = withoutRedundantCorners(cornersOf(points, joined));
                    if (clean.size() > kMaxImportCorners || !strictlyConvex(clean)) continue;
                    pieces[k] = std::move(joined);
                    alive[other] = false;
                    own(k);
                    merged = changed = true;
                }
            }
        }
    }
    std::vector<Ring> out;
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        if (!alive[k]) continue;
        Ring clean = withoutRedundantCorners(cornersOf(points, pieces[k]));
        if (!degenerate(clean)) out.push_back(std::move(clean));
    }
    return out;
}

Polygon polygonOf(const std::array<UV, 3>& t) {
    Polygon p;
    for (const UV& c : t) bg::append(p.outer(), Point(c.u, c.v));
    bg::append(p.outer(), Point(t[0].u, t[0].v));
    bg::correct(p);
    return p;
}

MultiPolygon unite(const std::vector<Polygon>& parts, std::size_t from, std::size_t to) {
    if (to - from == 1) return MultiPolygon{parts[from]};
    const std::size_t mid = from + (to - from) / 2;
    const MultiPolygon a = unite(parts, from, mid);
    const MultiPolygon b = unite(parts, mid, to);
    MultiPolygon out;
    bg::union_(a, b, out);
    return out;
}

// Triangles (with corners shared by position) merged greedily into convex pieces.
std::vector<Ring> mergeTrianglesDirectly(const std::vector<std::array<UV, 3>>& triangles) {
    Ring points;
    std::map<std::pair<double, double>, int> index;
    std::vector<std::vector<int>> pieces;
    for (const auto& t : triangles) {
        std::vector<int> piece;
        for (const UV& c : t) {
            auto [it, added] = index.emplace(std::make_pair(c.u, c.v), static_cast<int>(points.size()));
            if (added) points.push_back(c);
            piece.push_back(it->second);
        }
        if (signedArea(cornersOf(points, piece)) < 0) std::swap(piece[1], piece[2]);
        pieces.push_back(std::move(piece));
    }
    return mergePieces(points, std::move(pieces));
}

}  // namespace

std::optional<Placement> placementOf(const std::vector<Vec3>& ring) {
    const std::size_t n = ring.size();
    if (n < 3) return std::nullopt;
    double nx = 0, ny = 0, nz = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const Vec3& a = ring[i];
        const Vec3& b = ring[(i + 1) % n];
        nx += (a.y - b.y) * (a.z + b.z);
        ny += (a.z - b.z) * (a.x + b.x);
        nz += (a.x - b.x) * (a.y + b.y);
    }
    const double length = std::sqrt(nx * nx + ny * ny + nz * nz);
    if (!(length > 0) || !std::isfinite(length)) return std::nullopt;
    const double horizontal = std::hypot(nx, ny);
    double azimuth = 180.0;
    if (horizontal > 1e-12 * length) {
        azimuth = std::atan2(nx, ny) * kDegreesPerRadian;
        if (azimuth < 0) azimuth += 360.0;
    }
    const double elevation = std::atan2(nz, horizontal) * kDegreesPerRadian;
    Placement p;
    p.azimuth = asWritten(azimuth, kParameterDecimals);
    if (p.azimuth >= 360.0) p.azimuth = 0.0;
    p.elevation = asWritten(elevation, kParameterDecimals);
    p.origin = asWritten(ring.front(), kParameterDecimals);
    // No "-0.000" in the placement line.
    p.origin = {p.origin.x + 0.0, p.origin.y + 0.0, p.origin.z + 0.0};
    return p;
}

Ring toLocal(const std::vector<Vec3>& ring, const Placement& placement) {
    const Placement atZero{placement.azimuth, placement.elevation, {}};
    const Vec3 u = placeLocal(atZero, {1, 0, 0});
    const Vec3 v = placeLocal(atZero, {0, 0, 1});
    Ring out;
    out.reserve(ring.size());
    for (const Vec3& p : ring) {
        const Vec3 d{p.x - placement.origin.x, p.y - placement.origin.y, p.z - placement.origin.z};
        out.push_back({d.x * u.x + d.y * u.y + d.z * u.z, d.x * v.x + d.y * v.y + d.z * v.z});
    }
    return out;
}

double signedArea(const Ring& ring) {
    double twice = 0;
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const UV& a = ring[i];
        const UV& b = ring[(i + 1) % ring.size()];
        twice += a.u * b.v - b.u * a.v;
    }
    return twice / 2;
}

bool degenerate(const Ring& ring) {
    std::vector<UV> distinct;
    for (const UV& c : ring) {
        const bool seen = std::any_of(distinct.begin(), distinct.end(),
                                      [&](const UV& d) { return distance(c, d) <= kSamePoint; });
        if (!seen) distinct.push_back(c);
        if (distinct.size() >= 3) break;
    }
    return distinct.size() < 3 || !(std::abs(signedArea(ring)) >= kMinFaceArea);
}

Ring withoutRedundantCorners(const Ring& ring) {
    Ring r;
    for (const UV& c : ring) {
        if (r.empty() || distance(r.back(), c) > kSamePoint) r.push_back(c);
    }
    while (r.size() > 1 && distance(r.front(), r.back()) <= kSamePoint) r.pop_back();
    bool removed = true;
    while (removed && r.size() > 3) {
        removed = false;
        for (std::size_t i = 0; i < r.size() && r.size() > 3; ++i) {
            const std::size_t n = r.size();
            if (straight(r[(i + n - 1) % n], r[i], r[(i + 1) % n])) {
                r.erase(r.begin() + static_cast<std::ptrdiff_t>(i));
                removed = true;
            }
        }
    }
    return r;
}

std::vector<Ring> convexPieces(const Ring& ring) {
    Ring r = withoutRedundantCorners(ring);
    if (r.size() <= kMaxImportCorners) return {r};
    if (signedArea(r) < 0) std::reverse(r.begin(), r.end());
    std::vector<std::vector<int>> pieces;
    for (const auto& t : triangulate(r)) pieces.push_back({t[0], t[1], t[2]});
    return mergePieces(r, std::move(pieces));
}

std::vector<std::array<int, 3>> triangulateRing(const Ring& ring) {
    if (ring.size() < 3) return {};
    if (signedArea(ring) >= 0) return triangulate(ring);
    const Ring reversed(ring.rbegin(), ring.rend());
    auto triangles = triangulate(reversed);
    const int last = static_cast<int>(ring.size()) - 1;
    for (auto& t : triangles) t = {last - t[0], last - t[2], last - t[1]};
    return triangles;
}

std::vector<Ring> mergeTriangles(const std::vector<std::array<UV, 3>>& triangles) {
    if (triangles.empty()) return {};
    std::vector<Polygon> parts;
    parts.reserve(triangles.size());
    for (const auto& t : triangles) parts.push_back(polygonOf(t));
    MultiPolygon merged;
    try {
        merged = unite(parts, 0, parts.size());
    } catch (const std::exception&) {
        return mergeTrianglesDirectly(triangles);
    }
    std::vector<Ring> out;
    for (const Polygon& polygon : merged) {
        if (polygon.inners().empty()) {
            Ring ring;
            for (const Point& p : polygon.outer()) ring.push_back({p.x(), p.y()});
            if (!ring.empty()) ring.pop_back();  // closed
            if (signedArea(ring) < 0) std::reverse(ring.begin(), ring.end());
            for (Ring& piece : convexPieces(ring)) {
                if (!degenerate(piece)) out.push_back(std::move(piece));
            }
            continue;
        }
        // A hole stays open: the triangles inside this polygon are merged on their own.
        std::vector<std::array<UV, 3>> inside;
        for (std::size_t k = 0; k < triangles.size(); ++k) {
            const auto& t = triangles[k];
            const Point centre((t[0].u + t[1].u + t[2].u) / 3, (t[0].v + t[1].v + t[2].v) / 3);
            if (bg::covered_by(centre, polygon)) inside.push_back(t);
        }
        for (Ring& piece : mergeTrianglesDirectly(inside)) out.push_back(std::move(piece));
    }
    return out;
}

}  // namespace penumbro
