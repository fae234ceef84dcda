#pragma once
// Scan-line fill of a closed polygon with its outline, on integer pixel vertices,
// delivered as horizontal spans per row.
//
// Fill rule: a pixel is covered when its centre lies inside the polygon (even-odd,
// edges half-open in y) or when the polygon's outline passes through it. The outline
// of an edge covers, in row y, the columns round(x) for the x the edge takes between
// y - 1/2 and y + 1/2 (halves rounded up); a horizontal edge covers its whole run.
// So every polygon, even one collapsed to a segment or a point, covers at least the
// pixels its outline crosses.

#include "engine/Model.h"

#include <algorithm>
#include <array>
#include <vector>

namespace penumbro {

// A surface's polygon cut to a rectangle one side after the other: its own vertices,
// at most two crossings of the rectangle's outline per edge, and corners, which a
// polygon that winds round one (or crosses itself) can visit once per pass along a side.
inline constexpr int kMaxPixelVertices = 5 * kMaxPolygonVertices + 4;

struct PixelPolygon {
    int n = 0;
    std::array<int, kMaxPixelVertices> x{};  // columns
    std::array<int, kMaxPixelVertices> y{};  // rows (downward)
    int minX = 0, maxX = 0, minY = 0, maxY = 0;  // bounding box, set by finish()
    // Whether each row meets the polygon in one run: at most two turns in y along the
    // closed outline. Set by finish().
    bool monotone = true;

    void finish();
};

struct PixelSpan {
    int from = 0;
    int to = 0;  // inclusive
};

// Scratch buffers for scanPolygon, reused between calls. Rows 0..kRows-1.
struct ScanScratch {
    static constexpr int kRows = 481;
    std::array<int, kRows> lo{};
    std::array<int, kRows> hi{};
    std::vector<PixelSpan> spans;
    std::vector<double> crossings;
    ScanScratch() {
        spans.reserve(2 * kMaxPixelVertices);
        crossings.reserve(kMaxPixelVertices);
    }
};

namespace scanfill {

// floor and round-half-up for |v| well below 65536 without a library call.
inline int floorInt(double v) { return static_cast<int>(v + 65536.0) - 65536; }
inline int roundUp(double v) { return floorInt(v + 0.5); }
inline int ceilInt(double v) { return -floorInt(-v); }

struct Edge {
    int x0, y0, x1, y1;  // y0 <= y1
    double k2;           // dx / (2 dy); 0 for horizontal edges
};

inline Edge edgeOf(int ax, int ay, int bx, int by) {
    Edge e = ay <= by ? Edge{ax, ay, bx, by, 0} : Edge{bx, by, ax, ay, 0};
    if (e.y1 != e.y0) e.k2 = static_cast<double>(e.x1 - e.x0) / (2.0 * (e.y1 - e.y0));
    return e;
}

// x of the edge at height h2 / 2 (h2 in half rows).
inline double xAt(const Edge& e, int h2) { return e.x0 + (h2 - 2 * e.y0) * e.k2; }

// Outline columns of the edge in row y (y0 <= y <= y1).
inline PixelSpan outline(const Edge& e, int y) {
    if (e.y0 == e.y1) return {std::min(e.x0, e.x1), std::max(e.x0, e.x1)};
    const double a = xAt(e, std::max(2 * y - 1, 2 * e.y0));
    const double b = xAt(e, std::min(2 * y + 1, 2 * e.y1));
    return {roundUp(std::min(a, b)), roundUp(std::max(a, b))};
}

// First row >= from of the grid first, first + step, ...
inline int alignRow(int from, int first, int step) {
    if (from <= first) return first;
    return first + (from - first + step - 1) / step * step;
}

}  // namespace scanfill

// Calls emit(row, from, to) for every maximal run of covered columns in the rows
// first, first + step, ... <= last (0 <= first, last < ScanScratch::kRows, step >= 1).
// Runs of one row come in increasing order and do not touch each other. Columns are
// not clipped.
template <class Emit>
void scanPolygon(const PixelPolygon& p, int first, int step, int last, ScanScratch& s,
                 Emit&& emit) {
    using namespace scanfill;
    if (p.n <= 0) return;
    const int r0 = alignRow(std::max(p.minY, first), first, step);
    const int r1 = std::min(p.maxY, last);
    if (r0 > r1) return;
    const auto vx = [&](int i) { return p.x[static_cast<std::size_t>(i)]; };
    const auto vy = [&](int i) { return p.y[static_cast<std::size_t>(i)]; };

    if (p.monotone) {
        // Every row meets the polygon in one run: the outline runs' hull.
        for (int y = r0; y <= r1; y += step) {
            s.lo[static_cast<std::size_t>(y)] = 1 << 30;
            s.hi[static_cast<std::size_t>(y)] = -(1 << 30);
        }
        for (int i = 0; i < p.n; ++i) {
            const int j = i + 1 == p.n ? 0 : i + 1;
            const Edge e = edgeOf(vx(i), vy(i), vx(j), vy(j));
            const int ya = alignRow(std::max(e.y0, r0), first, step);
            const int yb = std::min(e.y1, r1);
            for (int y = ya; y <= yb; y += step) {
                const PixelSpan o = outline(e, y);
                auto& lo = s.lo[static_cast<std::size_t>(y)];
                auto& hi = s.hi[static_cast<std::size_t>(y)];
                if (o.from < lo) lo = o.from;
                if (o.to > hi) hi = o.to;
            }
        }
        for (int y = r0; y <= r1; y += step) {
            const int lo = s.lo[static_cast<std::size_t>(y)];
            const int hi = s.hi[static_cast<std::size_t>(y)];
            if (lo <= hi) emit(y, lo, hi);
        }
        return;
    }

    for (int y = r0; y <= r1; y += step) {
        s.spans.clear();
        s.crossings.clear();
        for (int i = 0; i < p.n; ++i) {
            const int j = i + 1 == p.n ? 0 : i + 1;
            const Edge e = edgeOf(vx(i), vy(i), vx(j), vy(j));
            if (y < e.y0 || y > e.y1) continue;
            s.spans.push_back(outline(e, y));
            if (y < e.y1) s.crossings.push_back(xAt(e, 2 * y));
        }
        std::sort(s.crossings.begin(), s.crossings.end());
        for (std::size_t c = 0; c + 1 < s.crossings.size(); c += 2) {
            const int a = ceilInt(s.crossings[c]);
            const int b = floorInt(s.crossings[c + 1]);
            if (a <= b) s.spans.push_back({a, b});
        }
        std::sort(s.spans.begin(), s.spans.end(),
                  [](const PixelSpan& a, const PixelSpan& b) { return a.from < b.from; });
        PixelSpan cur = s.spans.front();
        for (std::size_t k = 1; k < s.spans.size(); ++k) {
            const PixelSpan& t = s.spans[k];
            if (t.from <= cur.to + 1) {
                cur.to = std::max(cur.to, t.to);
            } else {
                emit(y, cur.from, cur.to);
                cur = t;
            }
        }
        emit(y, cur.from, cur.to);
    }
}

inline void PixelPolygon::finish() {
    if (n <= 0) {
        minX = maxX = minY = maxY = 0;
        monotone = true;
        return;
    }
    minX = maxX = x[0];
    minY = maxY = y[0];
    for (int i = 1; i < n; ++i) {
        minX = std::min(minX, x[static_cast<std::size_t>(i)]);
        maxX = std::max(maxX, x[static_cast<std::size_t>(i)]);
        minY = std::min(minY, y[static_cast<std::size_t>(i)]);
        maxY = std::max(maxY, y[static_cast<std::size_t>(i)]);
    }
    // Count the changes of direction in y around the closed outline.
    int turns = 0, lastDir = 0, firstDir = 0;
    for (int i = 0; i < n; ++i) {
        const int j = i + 1 == n ? 0 : i + 1;
        const int d = y[static_cast<std::size_t>(j)] - y[static_cast<std::size_t>(i)];
        if (d == 0) continue;
        const int dir = d > 0 ? 1 : -1;
        if (firstDir == 0) firstDir = dir;
        else if (dir != lastDir) ++turns;
        lastDir = dir;
    }
    if (firstDir != 0 && lastDir != firstDir) ++turns;
    monotone = turns <= 2;
}

}  // namespace penumbro
