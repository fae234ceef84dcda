#include "engine/ScanFill.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

namespace penumbro {
namespace {

using Runs = std::vector<std::tuple<int, int, int>>;  // (row, from, to)

PixelPolygon makePolygon(const std::vector<std::pair<int, int>>& pts) {
    PixelPolygon p;
    p.n = static_cast<int>(pts.size());
    for (std::size_t i = 0; i < pts.size(); ++i) std::tie(p.x[i], p.y[i]) = pts[i];
    p.finish();
    return p;
}

// The runs of every sampled row, in order; runs of a row never touch.
Runs runs(const PixelPolygon& p, int step = 1) {
    ScanScratch s;
    Runs out;
    scanPolygon(p, 0, step, ScanScratch::kRows - 1, s, [&](int row, int from, int to) {
        EXPECT_LE(from, to);
        EXPECT_EQ(row % step, 0);
        if (!out.empty() && std::get<0>(out.back()) == row && from <= std::get<2>(out.back()) + 1)
            ADD_FAILURE() << "runs of row " << row << " touch";
        out.emplace_back(row, from, to);
    });
    return out;
}

std::set<std::pair<int, int>> pixels(const Runs& runs) {  // (row, col)
    std::set<std::pair<int, int>> out;
    for (const auto& [row, from, to] : runs)
        for (int c = from; c <= to; ++c) out.insert({row, c});
    return out;
}

PixelPolygon randomPolygon(std::mt19937& rng, int maxVertices, int lo, int hi) {
    std::uniform_int_distribution<int> count(1, maxVertices), coord(lo, hi);
    std::vector<std::pair<int, int>> pts(static_cast<std::size_t>(count(rng)));
    for (auto& p : pts) p = {coord(rng), coord(rng)};
    return makePolygon(pts);
}

TEST(ScanFill, KnownShapesCoverExactlyTheirPixels) {
    const std::tuple<const char*, std::vector<std::pair<int, int>>, Runs> cases[] = {
        {"rectangle", {{2, 3}, {6, 3}, {6, 5}, {2, 5}}, {{3, 2, 6}, {4, 2, 6}, {5, 2, 6}}},
        {"rectangle clockwise", {{2, 3}, {2, 5}, {6, 5}, {6, 3}}, {{3, 2, 6}, {4, 2, 6}, {5, 2, 6}}},
        {"single point", {{7, 9}}, {{9, 7, 7}}},
        {"point repeated", {{7, 9}, {7, 9}, {7, 9}}, {{9, 7, 7}}},
        {"vertical segment", {{4, 1}, {4, 3}}, {{1, 4, 4}, {2, 4, 4}, {3, 4, 4}}},
        {"horizontal segment", {{1, 6}, {5, 6}}, {{6, 1, 5}}},
        {"steep triangle", {{10, 0}, {12, 4}, {8, 4}}, {{0, 10, 10}, {1, 9, 11}, {2, 9, 11}, {3, 8, 12}, {4, 8, 12}}},
    };
    for (const auto& [what, pts, expected] : cases) EXPECT_EQ(pixels(runs(makePolygon(pts))), pixels(expected)) << what;
}

bool insideEvenOdd(const PixelPolygon& p, double x, double y) {
    bool in = false;
    for (std::size_t i = 0, j = static_cast<std::size_t>(p.n) - 1; i < static_cast<std::size_t>(p.n); j = i++)
        if ((p.y[i] > y) != (p.y[j] > y) && x < (p.x[j] - p.x[i]) * (y - p.y[i]) / double(p.y[j] - p.y[i]) + p.x[i])
            in = !in;
    return in;
}

double distanceToOutline(const PixelPolygon& p, double x, double y) {
    double best = 1e300;
    for (std::size_t i = 0; i < static_cast<std::size_t>(p.n); ++i) {
        const std::size_t j = (i + 1) % static_cast<std::size_t>(p.n);
        const double ax = p.x[i], ay = p.y[i], dx = p.x[j] - ax, dy = p.y[j] - ay;
        const double len2 = dx * dx + dy * dy;
        const double t = std::clamp(len2 > 0 ? ((x - ax) * dx + (y - ay) * dy) / len2 : 0, 0.0, 1.0);
        best = std::min(best, std::hypot(ax + t * dx - x, ay + t * dy - y));
    }
    return best;
}

TEST(ScanFill, CoversEveryInsideCentreAndNothingFarOutside) {
    std::mt19937 rng(11);
    for (int trial = 0; trial < 150; ++trial) {
        const PixelPolygon p = randomPolygon(rng, 12, 0, 80);
        const auto covered = pixels(runs(p));
        for (int row = p.minY; row <= p.maxY; ++row)
            for (int col = p.minX; col <= p.maxX; ++col) {
                const bool inside = insideEvenOdd(p, col, row), has = covered.count({row, col}) != 0;
                if (inside && !has) ADD_FAILURE() << "trial " << trial << " misses " << col << "," << row;
                if (has && !inside && distanceToOutline(p, col, row) > 1.0)
                    ADD_FAILURE() << "trial " << trial << " covers " << col << "," << row;
            }
        for (const auto& [row, col] : covered)
            EXPECT_TRUE(row >= p.minY && row <= p.maxY && col >= p.minX - 1 && col <= p.maxX + 1) << trial;
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
