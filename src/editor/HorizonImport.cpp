#include "editor/HorizonImport.h"

#include "project/Numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <queue>

namespace penumbro {

namespace {

// A stretch of the profile between two neighbouring points: the horizon runs
// straight from one end's elevation to the other's.
struct Segment {
    double from, to;     // azimuths, from < to
    double high, low;    // the larger and smaller end elevation
};

// Neighbouring segments merged into one interval while reducing.
struct Span {
    double from, to, high, low;
    std::size_t prev, next;   // neighbours in the list; kNone at the ends
    std::uint32_t version = 0;  // bumped on every change, so stale queue entries are skipped
    bool alive = true;
};

// A merge of span left with its right neighbour, ordered by the elevation the merged
// span gives away, then by its width, then by position. Kept small: a large profile
// puts millions of these through the queue.
struct Merge {
    double cost;
    float width;
    std::uint32_t left, leftVersion, rightVersion;
    bool operator>(const Merge& o) const {
        if (cost != o.cost) return cost > o.cost;
        if (width != o.width) return width > o.width;
        return left > o.left;
    }
};

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

std::vector<Segment> segmentsOf(const std::vector<HorizonPoint>& points) {
    std::vector<Segment> out;
    out.reserve(points.size() + 1);
    const auto add = [&](double from, double to, double a, double b) {
        if (to > from) out.push_back({from, to, std::max(a, b), std::min(a, b)});
    };
    // The profile goes round: the last point joins the first one, across north.
    const HorizonPoint& first = points.front();
    const HorizonPoint& last = points.back();
    add(0, first.azimuth, last.elevation, first.elevation);
    for (std::size_t i = 0; i + 1 < points.size(); ++i)
        add(points[i].azimuth, points[i + 1].azimuth, points[i].elevation, points[i + 1].elevation);
    add(last.azimuth, 360, last.elevation, first.elevation);
    if (out.empty()) out.push_back({0, 360, first.elevation, first.elevation});  // one point at 0 or 360
    // Points at 0 and at 360 (a PVGIS profile has both) look the same way: north gets
    // the higher of them, on either side.
    if (first.azimuth == 0 && last.azimuth == 360) {
        const double north = std::max(first.elevation, last.elevation);
        out.front().high = std::max(out.front().high, north);
        out.back().high = std::max(out.back().high, north);
    }
    return out;
}

// The text of an azimuth bound, to two decimals.
std::string boundText(double value) { return horizonNumber(value); }

// The least two-decimal text whose value is not below value.
std::string heightText(double value) {
    std::string text = horizonNumber(value);
    for (int i = 0; i < 3 && parseNumber(text).value_or(value) < value; ++i)
        text = horizonNumber(parseNumber(text).value_or(value) + 0.01);
    return text;
}

}  // namespace

HorizonReduction reduceHorizonProfile(const std::vector<HorizonPoint>& points, std::size_t maxIntervals) {
    HorizonReduction r;
    r.points = points.size();
    if (points.empty() || maxIntervals == 0) return r;
    const std::vector<Segment> segments = segmentsOf(points);

    // Greedy merging, cheapest first, with a queue: n log n.
    std::vector<Span> spans;
    spans.reserve(segments.size());
    for (std::size_t i = 0; i < segments.size(); ++i) {
        const Segment& g = segments[i];
        spans.push_back({g.from, g.to, g.high, g.low, i == 0 ? kNone : i - 1,
                         i + 1 < segments.size() ? i + 1 : kNone});
    }
    std::priority_queue<Merge, std::vector<Merge>, std::greater<>> queue;
    const auto offer = [&](std::size_t left) {
        if (left == kNone || spans[left].next == kNone) return;
        const Span& a = spans[left];
        const Span& b = spans[a.next];
        queue.push({std::max(a.high, b.high) - std::min(a.low, b.low), static_cast<float>(b.to - a.from),
                    static_cast<std::uint32_t>(left), a.version, b.version});
    };
    for (std::size_t i = 0; i + 1 < spans.size(); ++i) offer(i);
    std::size_t count = spans.size();
    while (count > maxIntervals && !queue.empty()) {
        const Merge m = queue.top();
        queue.pop();
        Span& a = spans[m.left];
        if (!a.alive || a.next == kNone || a.version != m.leftVersion) continue;
        Span& b = spans[a.next];
        if (b.version != m.rightVersion) continue;
        a.to = b.to;
        a.high = std::max(a.high, b.high);
        a.low = std::min(a.low, b.low);
        a.next = b.next;
        ++a.version;
        b.alive = false;
        if (a.next != kNone) spans[a.next].prev = m.left;
        --count;
        offer(a.prev);
        offer(m.left);
    }

    // Bounds to two decimals, never falling back (points closer than that may meet).
    std::vector<std::string> bounds{"0"};
    for (std::size_t i = 0; i != kNone && spans[i].next != kNone; i = spans[i].next) {
        std::string b = boundText(spans[i].to);
        if (parseNumber(b).value_or(0) < parseNumber(bounds.back()).value_or(0)) b = bounds.back();
        bounds.push_back(std::move(b));
    }
    bounds.emplace_back("360");

    // Each interval is at least as high as both ends of every segment it shares some
    // azimuth with, as read back from its bounds: the straight profile between them
    // can then never rise above it, whatever the rounding of the bounds.
    for (std::size_t k = 0; k + 1 < bounds.size(); ++k) {
        const double from = *parseNumber(bounds[k]), to = *parseNumber(bounds[k + 1]);
        auto it = std::partition_point(segments.begin(), segments.end(),
                                       [&](const Segment& g) { return from == to ? g.to < from : g.to <= from; });
        double high = -90, low = 90;
        for (; it != segments.end() && (from == to ? it->from <= to : it->from < to); ++it) {
            high = std::max(high, it->high);
            low = std::min(low, it->low);
        }
        const std::string height = heightText(high);
        r.largestGiveaway = std::max(r.largestGiveaway, *parseNumber(height) - low);
        r.rows.push_back({bounds[k], bounds[k + 1], height});
    }
    return r;
}

}  // namespace penumbro
