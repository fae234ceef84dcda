#include "engine/ExactShading.h"

#include "engine/Culling.h"

// Boost 1.74's geometry headers include a core header it has since moved; the notice
// about it says nothing about our code.
#define BOOST_ALLOW_DEPRECATED_HEADERS
#include <boost/geometry/algorithms/area.hpp>
#include <boost/geometry/algorithms/correct.hpp>
#include <boost/geometry/algorithms/intersection.hpp>
#include <boost/geometry/algorithms/is_valid.hpp>
#include <boost/geometry/algorithms/union.hpp>
#include <boost/geometry/algorithms/unique.hpp>
#include <boost/geometry/geometries/multi_polygon.hpp>
#include <boost/geometry/geometries/point_xy.hpp>
#include <boost/geometry/geometries/polygon.hpp>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace penumbro {

namespace {

namespace bg = boost::geometry;
using Point = bg::model::d2::point_xy<double>;
using Polygon = bg::model::polygon<Point>;
using Multi = bg::model::multi_polygon<Polygon>;

struct Box {
    double xmin = 0, xmax = 0, zmin = 0, zmax = 0;
};

Multi unite(const Multi& a, const Multi& b) {
    if (a.empty()) return b;
    if (b.empty()) return a;
    Multi out;
    bg::union_(a, b, out);
    return out;
}

Multi intersect(const Multi& a, const Multi& b) {
    Multi out;
    if (!a.empty() && !b.empty()) bg::intersection(a, b, out);
    return out;
}

// The region a closed outline encloses by the even-odd rule, as valid polygons. A
// simple outline is taken as it is; one that crosses or touches itself is cut into
// vertical slabs at every vertex and crossing, where its edges no longer cross, and
// each slab contributes the trapezoids between its 1st and 2nd, 3rd and 4th... edge.
Multi evenOddRegion(const std::vector<Point>& outline) {
    Multi region;
    if (outline.size() < 3) return region;
    Polygon simple;
    simple.outer().assign(outline.begin(), outline.end());
    simple.outer().push_back(outline.front());
    bg::unique(simple);
    bg::correct(simple);
    if (bg::is_valid(simple)) {
        if (bg::area(simple) > 0) region.push_back(simple);
        return region;
    }

    struct Edge {
        Point a, b;  // a.x() < b.x()
    };
    std::vector<Edge> edges;
    std::vector<double> xs;
    for (std::size_t i = 0; i < outline.size(); ++i) {
        Point a = outline[i], b = outline[(i + 1) % outline.size()];
        xs.push_back(a.x());
        if (a.x() == b.x()) continue;  // vertical edges bound slabs, they never cross one
        if (a.x() > b.x()) std::swap(a, b);
        edges.push_back({a, b});
    }
    for (std::size_t i = 0; i < edges.size(); ++i)
        for (std::size_t j = i + 1; j < edges.size(); ++j) {
            const Edge& p = edges[i];
            const Edge& q = edges[j];
            const double rx = p.b.x() - p.a.x(), ry = p.b.y() - p.a.y();
            const double sx = q.b.x() - q.a.x(), sy = q.b.y() - q.a.y();
            const double d = rx * sy - ry * sx;
            if (d == 0) continue;
            const double t = ((q.a.x() - p.a.x()) * sy - (q.a.y() - p.a.y()) * sx) / d;
            const double u = ((q.a.x() - p.a.x()) * ry - (q.a.y() - p.a.y()) * rx) / d;
            if (t > 0 && t < 1 && u > 0 && u < 1) xs.push_back(p.a.x() + t * rx);
        }
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());

    struct Cut {
        double ya, yb;
    };
    std::vector<Cut> cuts;
    for (std::size_t k = 0; k + 1 < xs.size(); ++k) {
        const double xa = xs[k], xb = xs[k + 1], xm = (xa + xb) / 2;
        if (!(xb > xa)) continue;
        cuts.clear();
        for (const Edge& e : edges) {
            if (!(e.a.x() < xm && xm < e.b.x())) continue;
            const double slope = (e.b.y() - e.a.y()) / (e.b.x() - e.a.x());
            cuts.push_back({e.a.y() + slope * (xa - e.a.x()), e.a.y() + slope * (xb - e.a.x())});
        }
        std::sort(cuts.begin(), cuts.end(),
                  [](const Cut& l, const Cut& r) { return l.ya + l.yb < r.ya + r.yb; });
        for (std::size_t c = 0; c + 1 < cuts.size(); c += 2) {
            Polygon piece;
            piece.outer() = {Point(xa, cuts[c].ya), Point(xa, cuts[c + 1].ya), Point(xb, cuts[c + 1].yb),
                             Point(xb, cuts[c].yb), Point(xa, cuts[c].ya)};
            bg::unique(piece);
            bg::correct(piece);
            if (bg::is_valid(piece) && bg::area(piece) > 0) region = unite(region, Multi{piece});
        }
    }
    return region;
}

// Keeps the part of a polygon where f(p) = a.p + c >= 0.
void clipHalfSpace(std::vector<Vec3>& poly, std::vector<Vec3>& scratch, const Vec3& a, double c) {
    auto f = [&](const Vec3& p) { return a.x * p.x + a.y * p.y + a.z * p.z + c; };
    scratch.clear();
    const std::size_t n = poly.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Vec3& p = poly[i];
        const Vec3& q = poly[(i + 1) % n];
        const double fp = f(p), fq = f(q);
        if (fp >= 0) scratch.push_back(p);
        if ((fp >= 0) != (fq >= 0)) {
            const double t = fp / (fp - fq);
            scratch.push_back({p.x + t * (q.x - p.x), p.y + t * (q.y - p.y), p.z + t * (q.z - p.z)});
        }
    }
    poly.swap(scratch);
}

}  // namespace

struct ExactShading::Cache {
    bool ready = false;
    Multi targets;
    double targetArea = 0;
    Box box;
    std::vector<Vec3> poly, scratch;
    std::vector<Point> outline;
    bool culling = !cullingSwitchedOff();
    ShadowCulling shadowCulling;
    PlaneBox cullingBox;
};

ExactShading::ExactShading() : cache_(std::make_unique<Cache>()) {}
ExactShading::~ExactShading() = default;
ExactShading::ExactShading(ExactShading&&) noexcept = default;
ExactShading& ExactShading::operator=(ExactShading&&) noexcept = default;

void ExactShading::reset() { cache_->ready = false; }
void ExactShading::setCulling(bool on) { cache_->culling = on; }
bool ExactShading::culling() const { return cache_->culling; }

double exactShadedFraction(const ShadowAreas& areas, int foliagePercent) {
    const double denominator = areas.target + (1.0 - foliagePercent / 100.0) * areas.crown;
    if (!(areas.target > 0)) throw std::domain_error("the target surface has no area");
    return std::clamp(areas.shaded / denominator, 0.0, 1.0);
}

double ExactShading::prepare(const CompiledModel& model) {
    Cache& c = *cache_;
    if (c.ready) return c.targetArea;
    c.targets.clear();
    bool any = false;
    for (const TFlaeche& s : model.flaechen) {
        if (!s.istTarget) continue;
        c.outline.clear();
        for (int i = 0; i < s.n; ++i) {
            const Vec3& p = s.v[static_cast<std::size_t>(i)];
            c.outline.emplace_back(p.x, p.z);
            if (!any) c.box = {p.x, p.x, p.z, p.z};
            any = true;
            c.box = {std::min(c.box.xmin, p.x), std::max(c.box.xmax, p.x), std::min(c.box.zmin, p.z),
                     std::max(c.box.zmax, p.z)};
        }
        c.targets = unite(c.targets, evenOddRegion(c.outline));
    }
    c.targetArea = bg::area(c.targets);
    // The margin only makes the culling keep more: an obstacle whose shadow misses the
    // box by less would be clipped to nothing or to a sliver without area anyway.
    const double margin = 0.01 * std::max(c.box.xmax - c.box.xmin, c.box.zmax - c.box.zmin) + 1e-9;
    c.cullingBox = {c.box.xmin - margin, c.box.xmax + margin, c.box.zmin - margin, c.box.zmax + margin};
    c.shadowCulling = ShadowCulling{};
    c.ready = true;
    return c.targetArea;
}

ShadowAreas ExactShading::pass(const CompiledModel& model, const Vec3& sun) {
    if (!(prepare(model) > 0)) throw std::domain_error("the target surface has no area");
    Cache& c = *cache_;

    // Shadow points: x' = x - y sx/sy, z' = z + y sz/sy. The part of an obstacle whose
    // shadow falls into the targets' box is cut off before projecting, with the box's
    // sides as planes through the sun direction (multiplied by sy > 0, so that a sun
    // grazing the target plane never sends a vertex to a far-off number).
    const double sy = sun.y;
    const Vec3 sides[4] = {{sy, -sun.x, 0}, {-sy, sun.x, 0}, {0, sun.z, sy}, {0, -sun.z, -sy}};
    const double offsets[4] = {-c.box.xmin * sy, c.box.xmax * sy, -c.box.zmin * sy, c.box.zmax * sy};
    Multi other, crown;
    if (c.culling && !c.shadowCulling.builtFor(model)) c.shadowCulling.build(model, c.cullingBox);
    const std::vector<int>* picked = c.culling ? &c.shadowCulling.candidates(sun) : nullptr;
    const std::size_t visited = picked != nullptr ? picked->size() : model.flaechen.size();
    for (std::size_t j = 0; j < visited; ++j) {
        const TFlaeche& s = model.flaechen[picked != nullptr ? static_cast<std::size_t>((*picked)[j]) : j];
        if (s.istTarget || s.n < 3) continue;
        c.poly.assign(s.v.begin(), s.v.begin() + s.n);
        for (int k = 0; k < 4 && c.poly.size() >= 3; ++k) clipHalfSpace(c.poly, c.scratch, sides[k], offsets[k]);
        if (c.poly.size() < 3) continue;
        c.outline.clear();
        for (const Vec3& p : c.poly) {
            const double t = -p.y / sy;
            c.outline.emplace_back(p.x + t * sun.x, p.z - t * sun.z);
        }
        Multi shadow = evenOddRegion(c.outline);
        if (shadow.empty()) continue;
        const bool isCrown = model.hasFoliage && s.name.compare(0, kTreeName.size(), kTreeName) == 0;
        Multi& into = isCrown ? crown : other;
        into = unite(into, shadow);
    }

    ShadowAreas a;
    a.target = c.targetArea;
    const Multi otherOnTarget = intersect(c.targets, other);
    const Multi crownOnTarget = intersect(c.targets, crown);
    const double both = bg::area(intersect(crownOnTarget, otherOnTarget));
    const double otherArea = bg::area(otherOnTarget);
    a.crown = std::max(0.0, bg::area(crownOnTarget) - both);
    a.shaded = std::min(a.target, otherArea + a.crown);
    return a;
}

}  // namespace penumbro
