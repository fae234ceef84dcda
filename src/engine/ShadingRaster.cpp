#include "engine/ShadingRaster.h"

#include <cmath>
#include <stdexcept>

namespace penumbro {

namespace {

constexpr double kClamp = 30000.0;
constexpr std::size_t kPrefixStride = ShadingRaster::kMaskSize + 1;

constexpr std::array<std::uint32_t, 10> kTableColours{
    0x000000,  // black
    0x008080,  // olive
    0x800000,  // navy
    0x800080,  // purple
    0x808000,  // teal
    0xC0C0C0,  // silver
    0x0000FF,  // red
    0x008000,  // green
    0xFF00FF,  // fuchsia
    0xFFFF00,  // aqua
};

// round(v) + offset with halves to even, held to -30000..30000 (NaN to -30000).
int pixelCoordinate(double v, int offset, int sign) {
    double r = static_cast<double>(offset) + sign * std::nearbyint(v);
    if (!(r > -kClamp)) r = -kClamp;
    if (r > kClamp) r = kClamp;
    return static_cast<int>(r);
}

// Removes from the row's claimed runs what [from, to] adds and returns how many
// sampled masked pixels that new part holds; then claims [from, to].
long claim(std::vector<PixelSpan>& runs, int from, int to, const std::uint16_t* prefix) {
    std::size_t i = 0;
    while (i < runs.size() && runs[i].to < from - 1) ++i;
    long count = 0;
    int cur = from;
    int newFrom = from, newTo = to;
    std::size_t j = i;
    while (j < runs.size() && runs[j].from <= to + 1) {
        const PixelSpan& r = runs[j];
        if (r.from > cur) count += prefix[std::min(r.from - 1, to) + 1] - prefix[cur];
        cur = std::max(cur, r.to + 1);
        newFrom = std::min(newFrom, r.from);
        newTo = std::max(newTo, r.to);
        ++j;
    }
    if (cur <= to) count += prefix[to + 1] - prefix[cur];
    if (j == i) {
        runs.insert(runs.begin() + static_cast<std::ptrdiff_t>(i), PixelSpan{from, to});
    } else {
        runs[i] = {newFrom, newTo};
        runs.erase(runs.begin() + static_cast<std::ptrdiff_t>(i + 1),
                   runs.begin() + static_cast<std::ptrdiff_t>(j));
    }
    return count;
}

}  // namespace

std::uint32_t obstacleTableColour(int slot) {
    int k = slot;
    while (k > 10) k -= 10;
    if (k < 1) k = 1;
    return kTableColours[static_cast<std::size_t>(k - 1)];
}

std::uint32_t surfaceColour(const TFlaeche& s, int slot) {
    if (s.istTarget) return kTargetColour;
    std::uint32_t c = obstacleTableColour(slot);
    if (startsWith(s.name, kTreeName)) c = kCrownColour;
    if (startsWith(s.name, kTrunkPrefix)) c = kTrunkColour;
    return c;
}

DrawingWindow drawingWindowFrame(DrawingWindowKind kind) {
    DrawingWindow w;
    if (kind == DrawingWindowKind::FastRun) {
        w.left = 2;
        w.right = ShadingRaster::kWidth - 2;
        w.top = 2;
        w.bottom = ShadingRaster::kHeight - 2;
    } else {
        w.left = ShadingRaster::kWidth / 3;
        w.right = 2 * w.left;
        w.top = ShadingRaster::kHeight / 3;
        w.bottom = 2 * w.top;
    }
    return w;
}

namespace {
struct Extent {
    bool any = false;
    double xmin = 0, xmax = 0, zmin = 0, zmax = 0;
};

Extent targetExtent(const CompiledModel& model) {
    Extent e;
    for (const TFlaeche& s : model.flaechen) {
        if (!s.istTarget) continue;
        for (int i = 0; i < s.n; ++i) {
            const Vec3& p = s.v[static_cast<std::size_t>(i)];
            if (!e.any) {
                e = {true, p.x, p.x, p.z, p.z};
                continue;
            }
            e.xmin = std::min(e.xmin, p.x);
            e.xmax = std::max(e.xmax, p.x);
            e.zmin = std::min(e.zmin, p.z);
            e.zmax = std::max(e.zmax, p.z);
        }
    }
    return e;
}
}  // namespace

bool targetHasArea(const CompiledModel& model) {
    const Extent e = targetExtent(model);
    return e.any && e.xmax > e.xmin && e.zmax > e.zmin && std::isfinite(e.xmax - e.xmin) &&
           std::isfinite(e.zmax - e.zmin);
}

ShadingRaster::ShadingRaster()
    : mask_(static_cast<std::size_t>(kMaskSize) * kMaskSize, 0),
      prefix_(static_cast<std::size_t>(kMaskSize) * kPrefixStride, 0),
      claimed_(static_cast<std::size_t>(kMaskSize)),
      pixels_(static_cast<std::size_t>(kWidth) * kHeight, kWhite) {
    for (auto& runs : claimed_) runs.reserve(16);
}

void ShadingRaster::reset(DrawingWindowKind kind) {
    kind_ = kind;
    maskRebuilt_ = true;
    obstacleCount_ = 0;
    paintPending_ = false;
    std::fill(pixels_.begin(), pixels_.end(), kWhite);
}

void ShadingRaster::prepare(const CompiledModel& model) {
    if (maskRebuilt_) buildMask(model);
}

namespace {

// A shadow reaching beyond the clamp is cut to this rectangle around the picture before
// its corners are rounded to pixels, so what lies in the picture keeps its true shape
// however far outside a low sun throws the rest (clamping each corner on its own would
// bend the edges); a few pixels of margin keep the cut edges, which the fill outlines,
// out of the picture. Shadows within the clamp are drawn as they always were.
constexpr double kGuardMargin = 8;
constexpr double kGuardLow = -kGuardMargin;
constexpr double kGuardHighX = ShadingRaster::kWidth - 1 + kGuardMargin;
constexpr double kGuardHighY = ShadingRaster::kHeight - 1 + kGuardMargin;

struct PixelPoint {
    double x, y;
};

// Sutherland-Hodgman against the guard rectangle, one side after the other; the cut
// coordinate is set to the side exactly. Returns the vertex count left in out.
int clipToGuard(std::array<PixelPoint, kMaxPixelVertices>& out, int n) {
    std::array<PixelPoint, kMaxPixelVertices> in;
    for (int side = 0; side < 4 && n > 0; ++side) {
        std::copy(out.begin(), out.begin() + n, in.begin());
        const bool onX = side < 2;
        const double bound = side == 0 || side == 2 ? kGuardLow : (onX ? kGuardHighX : kGuardHighY);
        const auto coord = [&](const PixelPoint& p) { return onX ? p.x : p.y; };
        const auto inside = [&](const PixelPoint& p) { return side % 2 == 0 ? coord(p) >= bound : coord(p) <= bound; };
        int m = 0;
        const auto push = [&](PixelPoint p) {
            if (m < kMaxPixelVertices) out[static_cast<std::size_t>(m++)] = p;
        };
        for (int i = 0; i < n; ++i) {
            const PixelPoint& p = in[static_cast<std::size_t>(i)];
            const PixelPoint& q = in[static_cast<std::size_t>(i + 1 == n ? 0 : i + 1)];
            if (inside(p) != inside(q)) {
                const double t = (bound - coord(p)) / (coord(q) - coord(p));
                const PixelPoint c{p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)};
                push(onX ? PixelPoint{bound, c.y} : PixelPoint{c.x, bound});
            }
            if (inside(q)) push(q);
        }
        n = m;
    }
    return n;
}

}  // namespace

void ShadingRaster::pixelPolygon(const TFlaeche& s, const Vec3* sun, PixelPolygon& p) const {
    p.n = std::clamp(s.n, 0, kMaxPolygonVertices);
    // Pixel offsets from (left, bottom) before rounding, and whether the clamp holds them.
    std::array<PixelPoint, kMaxPolygonVertices> exact;  // every slot below p.n is written
    bool clamped = false;
    for (int i = 0; i < p.n; ++i) {
        const auto k = static_cast<std::size_t>(i);
        Vec3 v = s.v[k];
        if (sun != nullptr) {
            const double t = -v.y / sun->y;
            v.x += t * sun->x;
            v.z -= t * sun->z;
        }
        exact[k] = {v.x * window_.scale, v.z * window_.scale};
        const double col = window_.left + std::nearbyint(exact[k].x);
        const double row = window_.bottom - std::nearbyint(exact[k].y);
        clamped = clamped || !(std::fabs(col) < kClamp && std::fabs(row) < kClamp);
    }
    if (!clamped) {
        for (int i = 0; i < p.n; ++i) {
            const auto k = static_cast<std::size_t>(i);
            p.x[k] = pixelCoordinate(exact[k].x, window_.left, 1);
            p.y[k] = pixelCoordinate(exact[k].y, window_.bottom, -1);
        }
        p.finish();
        return;
    }
    // Beyond the clamp, which would bend the outline: clip in picture coordinates. A
    // non-finite corner leaves nothing to clip sensibly and keeps the clamp.
    bool finite = true;
    std::array<PixelPoint, kMaxPixelVertices> cut;
    for (int i = 0; i < p.n; ++i) {
        const auto& e = exact[static_cast<std::size_t>(i)];
        cut[static_cast<std::size_t>(i)] = {window_.left + e.x, window_.bottom - e.y};
        finite = finite && std::isfinite(e.x) && std::isfinite(e.y);
    }
    const int m = finite ? clipToGuard(cut, p.n) : p.n;
    p.n = 0;
    for (int i = 0; i < m; ++i) {
        const auto& e = cut[static_cast<std::size_t>(i)];
        const int x = pixelCoordinate(e.x, 0, 1), y = pixelCoordinate(e.y, 0, 1);
        if (p.n > 0 && x == p.x[static_cast<std::size_t>(p.n - 1)] && y == p.y[static_cast<std::size_t>(p.n - 1)])
            continue;
        p.x[static_cast<std::size_t>(p.n)] = x;
        p.y[static_cast<std::size_t>(p.n)] = y;
        ++p.n;
    }
    p.finish();
}

void ShadingRaster::buildMask(const CompiledModel& model) {
    if (!targetHasArea(model)) throw std::domain_error("the target surface has no area");
    const Extent e = targetExtent(model);
    window_ = drawingWindowFrame(kind_);
    const double sx = (window_.right - window_.left) / (e.xmax - e.xmin);
    const double sz = (window_.bottom - window_.top) / (e.zmax - e.zmin);
    window_.scale = sx <= sz ? sx : sz;

    targets_.clear();
    for (const TFlaeche& s : model.flaechen)
        if (s.istTarget) pixelPolygon(s, nullptr, targets_.emplace_back());

    // The mask is what the targets cover of the picture; column and row 480 stay 0.
    std::fill(mask_.begin(), mask_.end(), std::uint8_t{0});
    for (const PixelPolygon& p : targets_) {
        scanPolygon(p, 0, 1, kHeight - 1, scratch_, [&](int row, int from, int to) {
            from = std::max(from, 0);
            to = std::min(to, kWidth - 1);
            for (int c = from; c <= to; ++c)
                mask_[static_cast<std::size_t>(row) * kMaskSize + static_cast<std::size_t>(c)] = 1;
        });
    }
    prefixStep_ = 0;
    shadowCulling_ = ShadowCulling{};
    maskRebuilt_ = false;
    obstacleCount_ = 0;
    paintPending_ = true;
}

bool ShadingRaster::maske(int col, int row) const {
    if (col < 0 || row < 0 || col >= kMaskSize || row >= kMaskSize) return false;
    return mask_[static_cast<std::size_t>(row) * kMaskSize + static_cast<std::size_t>(col)] != 0;
}

void ShadingRaster::ensurePrefix(int r) const {
    if (r < 1) r = 1;
    if (prefixStep_ == r) return;
    std::fill(prefix_.begin(), prefix_.end(), std::uint16_t{0});
    sampledTotal_ = 0;
    activeRowFirst_ = kMaskSize;
    activeRowLast_ = -1;
    activeColFirst_ = kMaskSize;
    activeColLast_ = -1;
    const int lastRow = std::min(window_.bottom, kMaskSize - 1);
    const int lastCol = std::min(window_.right, kMaskSize - 1);
    // Both windows start the grid inside the picture (left, top >= 2).
    for (int row = window_.top + 1; row <= lastRow; row += r) {
        std::uint16_t* pre = &prefix_[static_cast<std::size_t>(row) * kPrefixStride];
        const std::uint8_t* m = &mask_[static_cast<std::size_t>(row) * kMaskSize];
        std::uint16_t count = 0;
        int nextCol = window_.left + 1;
        for (int c = 0; c < kMaskSize; ++c) {
            pre[c] = count;
            if (c != nextCol) continue;
            nextCol += r;
            if (c <= lastCol && m[c] != 0) {
                ++count;
                activeColFirst_ = std::min(activeColFirst_, c);
                activeColLast_ = std::max(activeColLast_, c);
            }
        }
        pre[kMaskSize] = count;
        if (count > 0) {
            sampledTotal_ += count;
            activeRowFirst_ = std::min(activeRowFirst_, row);
            activeRowLast_ = std::max(activeRowLast_, row);
        }
    }
    prefixStep_ = r;
}

long ShadingRaster::sampledMaskPixels(int r) const {
    if (maskRebuilt_) return 0;
    ensurePrefix(r);
    return sampledTotal_;
}

RasterCounts ShadingRaster::pass(const CompiledModel& model, const Vec3& sun, int r) {
    prepare(model);
    if (r < 1) r = 1;
    ensurePrefix(r);

    // The working copy: obstacles projected along the sun, in pixels.
    if (arbeitsflaechen_.size() < model.flaechen.size()) {
        arbeitsflaechen_.resize(model.flaechen.size());
        obstacleColours_.resize(model.flaechen.size());
        obstacleCrown_.resize(model.flaechen.size());
    }
    obstacleCount_ = 0;
    const std::vector<int>* picked = culling_ ? &pickObstacles(model, sun) : nullptr;
    const std::size_t visited = picked != nullptr ? picked->size() : model.flaechen.size();
    for (std::size_t j = 0; j < visited; ++j) {
        const std::size_t i = picked != nullptr ? static_cast<std::size_t>((*picked)[j]) : j;
        const TFlaeche& s = model.flaechen[i];
        if (s.istTarget) continue;
        pixelPolygon(s, &sun, arbeitsflaechen_[obstacleCount_]);
        const std::uint32_t colour = surfaceColour(s, static_cast<int>(i) + 1);
        obstacleColours_[obstacleCount_] = colour;
        obstacleCrown_[obstacleCount_] = model.hasFoliage && colour == kCrownColour ? 1 : 0;
        ++obstacleCount_;
    }
    paintPending_ = true;

    RasterCounts counts;
    if (sampledTotal_ == 0) return counts;
    for (int row = activeRowFirst_; row <= activeRowLast_; row += r)
        claimed_[static_cast<std::size_t>(row)].clear();

    // Later surfaces win: walk them from the last, each counting only what no later
    // one has claimed in its row.
    long shaded = 0, crown = 0;
    for (std::size_t k = obstacleCount_; k-- > 0;) {
        const PixelPolygon& p = arbeitsflaechen_[k];
        if (p.maxY < activeRowFirst_ || p.minY > activeRowLast_ || p.maxX < activeColFirst_ ||
            p.minX > activeColLast_)
            continue;
        long added = 0;
        scanPolygon(p, activeRowFirst_, r, activeRowLast_, scratch_,
                    [&](int row, int from, int to) {
                        from = std::max(from, activeColFirst_);
                        to = std::min(to, activeColLast_);
                        if (from > to) return;
                        added += claim(claimed_[static_cast<std::size_t>(row)], from, to,
                                       &prefix_[static_cast<std::size_t>(row) * kPrefixStride]);
                    });
        shaded += added;
        if (obstacleCrown_[k] != 0) crown += added;
    }
    counts.shaded = shaded;
    counts.crown = crown;
    counts.lit = sampledTotal_ - shaded;
    return counts;
}

const std::vector<int>& ShadingRaster::pickObstacles(const CompiledModel& model, const Vec3& sun) {
    if (!shadowCulling_.builtFor(model)) {
        // The whole picture, not only the target: the online view shows the shadows
        // around it. A margin of some pixels covers the rounding of the vertices, so a
        // culled obstacle would not have touched a single pixel of the picture.
        constexpr double kMarginPixels = 4;
        const double s = window_.scale;
        shadowCulling_.build(model, {(0 - kMarginPixels - window_.left) / s,
                                     (kWidth - 1 + kMarginPixels - window_.left) / s,
                                     (window_.bottom - (kHeight - 1) - kMarginPixels) / s,
                                     (window_.bottom + kMarginPixels) / s});
    }
    return shadowCulling_.candidates(sun);
}

void ShadingRaster::paintPending() const {
    if (!paintPending_) return;
    paintPending_ = false;
    const auto paint = [&](const PixelPolygon& p, std::uint32_t colour) {
        if (p.maxY < 0 || p.minY >= kHeight || p.maxX < 0 || p.minX >= kWidth) return;
        scanPolygon(p, 0, 1, kHeight - 1, paintScratch_, [&](int row, int from, int to) {
            from = std::max(from, 0);
            to = std::min(to, kWidth - 1);
            if (from > to) return;
            auto* line = &pixels_[static_cast<std::size_t>(row) * kWidth];
            std::fill(line + from, line + to + 1, colour);
        });
    };
    for (const PixelPolygon& p : targets_) paint(p, kTargetColour);
    for (std::size_t k = 0; k < obstacleCount_; ++k) paint(arbeitsflaechen_[k], obstacleColours_[k]);
}

std::uint32_t ShadingRaster::pixel(int col, int row) const {
    if (col < 0 || row < 0 || col >= kWidth || row >= kHeight) return 0;
    paintPending();
    return pixels_[static_cast<std::size_t>(row) * kWidth + static_cast<std::size_t>(col)];
}

const std::vector<std::uint32_t>& ShadingRaster::pixels() const {
    paintPending();
    return pixels_;
}

void ShadingRaster::clear(std::uint32_t colour) {
    paintPending();
    std::fill(pixels_.begin(), pixels_.end(), colour);
}

}  // namespace penumbro
