#include "engine/ScanFill.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

namespace penumbro {
namespace {

using Pixels = std::set<std::pair<int, int>>;  // (row, col)

PixelPolygon makePolygon(const std::vector<std::pair<int, int>>& pts) {
    PixelPolygon p;
    p.n = static_cast<int>(pts.size());
    for (std::size_t i = 0; i < pts.size(); ++i) {
        p.x[i] = pts[i].first;
        p.y[i] = pts[i].second;
    }
    p.finish();
    return p;
}

Pixels fill(const PixelPolygon& p, int step = 1) {
    ScanScratch s;
    Pixels out;
    int lastRow = -1, lastTo = 0;
    scanPolygon(p, 0, step, ScanScratch::kRows - 1, s, [&](int row, int from, int to) {
        EXPECT_LE(from, to);
        if (row == lastRow) {
            EXPECT_GT(from, lastTo + 1) << "runs of a row must not touch";
        }
        EXPECT_EQ(row % step, 0);
        lastRow = row;
        lastTo = to;
        for (int c = from; c <= to; ++c) out.insert({row, c});
    });
    return out;
}

bool insideEvenOdd(const PixelPolygon& p, double x, double y) {
    bool in = false;
    for (int i = 0, j = p.n - 1; i < p.n; j = i++) {
        const double xi = p.x[static_cast<std::size_t>(i)], yi = p.y[static_cast<std::size_t>(i)];
        const double xj = p.x[static_cast<std::size_t>(j)], yj = p.y[static_cast<std::size_t>(j)];
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) in = !in;
    }
    return in;
}

double distanceToOutline(const PixelPolygon& p, double x, double y) {
    double best = 1e300;
    for (int i = 0; i < p.n; ++i) {
        const int j = (i + 1) % p.n;
        const double ax = p.x[static_cast<std::size_t>(i)], ay = p.y[static_cast<std::size_t>(i)];
        const double bx = p.x[static_cast<std::size_t>(j)], by = p.y[static_cast<std::size_t>(j)];
        const double dx = bx - ax, dy = by - ay;
        const double len2 = dx * dx + dy * dy;
        double t = len2 > 0 ? ((x - ax) * dx + (y - ay) * dy) / len2 : 0;
        t = std::clamp(t, 0.0, 1.0);
        best = std::min(best, std::hypot(ax + t * dx - x, ay + t * dy - y));
    }
    return best;
}

using Runs = std::vector<std::tuple<int, int, int>>;  // (row, from, to)

Runs runs(const PixelPolygon& p, int step) {
    ScanScratch s;
    Runs out;
    scanPolygon(p, 0, step, ScanScratch::kRows - 1, s,
                [&](int row, int from, int to) { out.emplace_back(row, from, to); });
    return out;
}

PixelPolygon randomPolygon(std::mt19937& rng, int maxVertices, int lo, int hi) {
    std::uniform_int_distribution<int> count(1, maxVertices);
    std::uniform_int_distribution<int> coord(lo, hi);
    const int n = count(rng);
    std::vector<std::pair<int, int>> pts;
    for (int i = 0; i < n; ++i) pts.push_back({coord(rng), coord(rng)});
    return makePolygon(pts);
}

TEST(ScanFill, KnownShapesCoverExactlyTheirPixels) {
    struct Case {
        const char* what;
        std::vector<std::pair<int, int>> pts;
        std::map<int, std::pair<int, int>> rows;  // row -> single run
    };
    const std::vector<Case> cases = {
        {"rectangle", {{2, 3}, {6, 3}, {6, 5}, {2, 5}}, {{3, {2, 6}}, {4, {2, 6}}, {5, {2, 6}}}},
        {"rectangle clockwise", {{2, 3}, {2, 5}, {6, 5}, {6, 3}}, {{3, {2, 6}}, {4, {2, 6}}, {5, {2, 6}}}},
        {"single point", {{7, 9}}, {{9, {7, 7}}}},
        {"point repeated", {{7, 9}, {7, 9}, {7, 9}}, {{9, {7, 7}}}},
        {"vertical segment", {{4, 1}, {4, 3}}, {{1, {4, 4}}, {2, {4, 4}}, {3, {4, 4}}}},
        {"horizontal segment", {{1, 6}, {5, 6}}, {{6, {1, 5}}}},
        {"steep triangle", {{10, 0}, {12, 4}, {8, 4}}, {{0, {10, 10}}, {1, {9, 11}}, {2, {9, 11}}, {3, {8, 12}}, {4, {8, 12}}}},
    };
    for (const Case& c : cases) {
        Pixels expected;
        for (const auto& [row, run] : c.rows)
            for (int col = run.first; col <= run.second; ++col) expected.insert({row, col});
        EXPECT_EQ(fill(makePolygon(c.pts)), expected) << c.what;
    }
}

TEST(ScanFill, CoversEveryInsideCentreAndNothingFarOutside) {
    std::mt19937 rng(11);
    for (int trial = 0; trial < 150; ++trial) {
        const PixelPolygon p = randomPolygon(rng, 12, 0, 80);
        const Pixels covered = fill(p);
        for (int row = p.minY; row <= p.maxY; ++row)
            for (int col = p.minX; col <= p.maxX; ++col) {
                const bool inside = insideEvenOdd(p, col, row);
                const bool has = covered.count({row, col}) != 0;
                if (inside) {
                    EXPECT_TRUE(has) << "trial " << trial << " at " << col << "," << row;
                }
                if (has && !inside) {
                    EXPECT_LE(distanceToOutline(p, col, row), 1.0)
                        << "trial " << trial << " at " << col << "," << row;
                }
            }
        for (const auto& [row, col] : covered) {
            EXPECT_GE(row, p.minY);
            EXPECT_LE(row, p.maxY);
            EXPECT_GE(col, p.minX - 1);
            EXPECT_LE(col, p.maxX + 1);
        }
    }
}

TEST(ScanFill, OneRunPathAgreesWithTheGeneralPath) {
    std::mt19937 rng(3);
    int monotone = 0;
    for (int trial = 0; trial < 3000; ++trial) {
        const PixelPolygon p = randomPolygon(rng, trial % 2 == 0 ? 4 : 7, -40, 520);
        if (!p.monotone) continue;
        ++monotone;
        PixelPolygon general = p;
        general.monotone = false;
        for (int step : {1, 3}) ASSERT_EQ(runs(p, step), runs(general, step)) << "trial " << trial;
    }
    EXPECT_GT(monotone, 500);
}

}  // namespace
}  // namespace penumbro
