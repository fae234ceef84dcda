#include "engine/Culling.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <numbers>

namespace penumbro {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr int kCells = 64;  // per axis
// An obstacle whose box covers more cells than this is kept in one list of its own,
// so that the grid stays small with thousands of obstacles near the target.
constexpr int kMaxCellsPerObstacle = kCells * kCells / 16;

struct Interval {
    double low = kInf, high = -kInf;  // empty when low > high
};

// Parameters t for which some a_i + d_i t >= lo and some a_j + d_j t <= hi. Each of the
// two conditions holds on a union of half-lines; each union is widened to its hull, so
// vertices slightly behind the plane (d < 0) make the answer larger, never wrong.
Interval reachInterval(const TFlaeche& s, double lo, double hi, bool alongX) {
    struct Hull {
        bool all = false;
        double upFrom = kInf;    // [upFrom, inf) when finite or -inf
        double downTo = -kInf;   // (-inf, downTo]
        bool up = false, down = false;
        void addUp(double r) { up = true; upFrom = std::min(upFrom, r); }
        void addDown(double r) { down = true; downTo = std::max(downTo, r); }
        Interval interval() const {
            if (all || (up && down)) return {-kInf, kInf};
            if (up) return {upFrom, kInf};
            if (down) return {-kInf, downTo};
            return {};
        }
    } reachesLow, reachesHigh;
    for (int i = 0; i < s.n; ++i) {
        const Vec3& p = s.v[static_cast<std::size_t>(i)];
        const double a = alongX ? p.x : p.z;
        const double d = -p.y;
        if (d > 0) {
            reachesLow.addUp((lo - a) / d);
            reachesHigh.addDown((hi - a) / d);
        } else if (d < 0) {
            reachesLow.addDown((lo - a) / d);
            reachesHigh.addUp((hi - a) / d);
        } else {
            if (a >= lo) reachesLow.all = true;
            if (a <= hi) reachesHigh.all = true;
        }
    }
    const Interval x = reachesLow.interval(), y = reachesHigh.interval();
    Interval r{std::max(x.low, y.low), std::min(x.high, y.high)};
    // Room for the rounding of the quotients and of the caller's projection.
    if (std::isfinite(r.low)) r.low -= 1e-9 * (1 + std::fabs(r.low));
    if (std::isfinite(r.high)) r.high += 1e-9 * (1 + std::fabs(r.high));
    return r;
}

bool finiteVertices(const TFlaeche& s) {
    for (int i = 0; i < s.n; ++i) {
        const Vec3& p = s.v[static_cast<std::size_t>(i)];
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) return false;
    }
    return true;
}

}  // namespace

bool cullingSwitchedOff() {
    const char* v = std::getenv("PENUMBRO_NO_CULLING");
    return v != nullptr && *v != '\0' && std::strcmp(v, "0") != 0;
}

int ShadowCulling::cellOf(const std::vector<double>& bounds, double t) const {
    return static_cast<int>(std::upper_bound(bounds.begin(), bounds.end(), t) - bounds.begin());
}

void ShadowCulling::build(const CompiledModel& model, const PlaneBox& box) {
    model_ = &model;
    surfaces_ = model.flaechen.size();
    // Cell limits evenly spaced in angle: t = tan(-pi/2 + k pi / kCells).
    bounds_.resize(kCells - 1);
    for (int k = 1; k < kCells; ++k)
        bounds_[static_cast<std::size_t>(k - 1)] = std::tan(-std::numbers::pi / 2 + k * std::numbers::pi / kCells);

    reach_.assign(surfaces_, Reach{kInf, -kInf, kInf, -kInf});
    always_.clear();
    struct Cells {
        int u0, u1, v0, v1;
    };
    std::vector<Cells> cells(surfaces_, Cells{0, -1, 0, -1});
    std::vector<int> counts(static_cast<std::size_t>(kCells * kCells) + 1, 0);
    for (std::size_t i = 0; i < surfaces_; ++i) {
        const TFlaeche& s = model.flaechen[i];
        if (s.istTarget || s.n <= 0) continue;
        if (!finiteVertices(s)) {
            reach_[i] = {-kInf, kInf, -kInf, kInf};
            always_.push_back(static_cast<int>(i));
            continue;
        }
        const Interval u = reachInterval(s, box.xmin, box.xmax, true);
        const Interval v = reachInterval(s, box.zmin, box.zmax, false);
        if (!(u.low <= u.high) || !(v.low <= v.high)) continue;
        reach_[i] = {u.low, u.high, v.low, v.high};
        Cells c{cellOf(bounds_, u.low), cellOf(bounds_, u.high), cellOf(bounds_, v.low), cellOf(bounds_, v.high)};
        if ((c.u1 - c.u0 + 1) * (c.v1 - c.v0 + 1) > kMaxCellsPerObstacle) {
            always_.push_back(static_cast<int>(i));
            continue;
        }
        cells[i] = c;
        for (int cu = c.u0; cu <= c.u1; ++cu)
            for (int cv = c.v0; cv <= c.v1; ++cv) ++counts[static_cast<std::size_t>(cu * kCells + cv) + 1];
    }
    cellStart_.assign(counts.size(), 0);
    for (std::size_t k = 1; k < counts.size(); ++k) cellStart_[k] = cellStart_[k - 1] + counts[k];
    cellItems_.assign(static_cast<std::size_t>(cellStart_.back()), 0);
    std::vector<int> fill(cellStart_.begin(), cellStart_.end() - 1);
    // Obstacles in ascending order, so every cell's list is ascending.
    for (std::size_t i = 0; i < surfaces_; ++i) {
        const Cells& c = cells[i];
        for (int cu = c.u0; cu <= c.u1; ++cu)
            for (int cv = c.v0; cv <= c.v1; ++cv)
                cellItems_[static_cast<std::size_t>(fill[static_cast<std::size_t>(cu * kCells + cv)]++)] =
                    static_cast<int>(i);
    }
}

bool ShadowCulling::builtFor(const CompiledModel& model) const {
    return model_ == &model && surfaces_ == model.flaechen.size();
}

const std::vector<int>& ShadowCulling::candidates(const Vec3& sun) {
    result_.clear();
    const double u = sun.x / sun.y;
    const double v = -sun.z / sun.y;
    if (std::isnan(u) || std::isnan(v)) {
        for (std::size_t i = 0; i < surfaces_; ++i)
            if (reach_[i].uLow <= reach_[i].uHigh) result_.push_back(static_cast<int>(i));
        return result_;
    }
    const auto cell = static_cast<std::size_t>(cellOf(bounds_, u) * kCells + cellOf(bounds_, v));
    const int* a = always_.data();
    const int* aEnd = a + always_.size();
    const int* b = cellItems_.data() + cellStart_[cell];
    const int* bEnd = cellItems_.data() + cellStart_[cell + 1];
    // Merge the two ascending lists, keeping the slot order.
    while (a != aEnd || b != bEnd) {
        const int i = (b == bEnd || (a != aEnd && *a < *b)) ? *a++ : *b++;
        const Reach& r = reach_[static_cast<std::size_t>(i)];
        if (u >= r.uLow && u <= r.uHigh && v >= r.vLow && v <= r.vHigh) result_.push_back(i);
    }
    return result_;
}

}  // namespace penumbro
