#include "engine/ShadingRaster.h"

#include "RasterScenes.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>

namespace penumbro {
namespace {

using testing::KnownScene;
using testing::surface;

TEST(ShadingRaster, TargetArea) {
    const std::tuple<const char*, std::vector<Vec3>, bool, bool> cases[] = {
        {"rectangle", {{0, 0, 0}, {2, 0, 0}, {2, 0, 1}, {0, 0, 1}}, true, true},
        {"vertical segment", {{0, 0, 0}, {0, 0, 3}, {0, 0, 1}}, true, false},
        {"horizontal segment", {{0, 0, 0}, {5, 0, 0}}, true, false},
        {"single point", {{1, 0, 1}}, true, false},
        {"no vertices", {}, true, false},
        {"obstacle only", {{0, 0, 0}, {2, 0, 0}, {2, 0, 1}}, false, false},
    };
    for (const auto& [what, pts, target, area] : cases) {
        CompiledModel m;
        m.flaechen.push_back(surface("T", pts, target));
        EXPECT_EQ(targetHasArea(m), area) << what;
        ShadingRaster r;
        if (!area) { EXPECT_THROW(r.prepare(m), std::domain_error) << what; }
    }
    // Two segments that together span an area.
    CompiledModel two;
    two.flaechen = {surface("a", {{0, 0, 0}, {3, 0, 0}}, true), surface("b", {{0, 0, 2}, {0, 0, 0}}, true)};
    EXPECT_TRUE(targetHasArea(two));
}

TEST(ShadingRaster, WindowAndMaskOfEachKind) {
    KnownScene scene(KnownScene::Kind::SouthWall, 4, 2);  // wide: x decides the scale
    const std::tuple<DrawingWindowKind, int, int> cases[] = {{DrawingWindowKind::FastRun, 2, 478},
                                                             {DrawingWindowKind::Online, 160, 320}};
    for (const auto& [kind, low, high] : cases) {  // the window is square: left = top, right = bottom
        ShadingRaster r;
        r.reset(kind);
        EXPECT_TRUE(r.maskRebuilt());
        r.prepare(scene.model);
        EXPECT_FALSE(r.maskRebuilt());
        const DrawingWindow w = r.window();
        EXPECT_EQ(std::tuple(w.left, w.right, w.top, w.bottom), std::tuple(low, high, low, high));
        EXPECT_DOUBLE_EQ(w.scale, (high - low) / 4.0);
        // The target spans the full width and half the height, from the bottom up.
        const int zTop = high - static_cast<int>(std::nearbyint(2 * w.scale));
        for (int row = 0; row <= 480; ++row)
            for (int col = 0; col <= 480; ++col)
                ASSERT_EQ(r.maske(col, row), col >= low && col <= high && row >= zTop && row <= high) << col << "," << row;
        // Counting grid: columns left+1..right, rows top+1..bottom, step r.
        for (int step : {1, 2, 5, 25}) {
            long expected = 0;
            for (int col = low + 1; col <= high; col += step)
                for (int row = low + 1; row <= high; row += step) expected += r.maske(col, row);
            EXPECT_EQ(r.sampledMaskPixels(step), expected) << "step " << step;
        }
    }
}

// Counts from the painted picture, pixel by pixel, over the masked grid.
RasterCounts countPixels(const ShadingRaster& r, int step, bool foliage) {
    RasterCounts c;
    const DrawingWindow w = r.window();
    for (int col = w.left + 1; col <= w.right; col += step)
        for (int row = w.top + 1; row <= w.bottom; row += step) {
            if (!r.maske(col, row)) continue;
            const std::uint32_t p = r.pixel(col, row);
            ++(p == kTargetColour ? c.lit : c.shaded);
            if (foliage && p == kCrownColour) ++c.crown;
        }
    return c;
}

CompiledModel randomScene(std::mt19937& rng) {
    std::uniform_real_distribution<double> u(0, 1);
    std::uniform_int_distribution<int> count(1, 9), verts(1, 12);
    CompiledModel m;
    m.hasFoliage = u(rng) < 0.7;
    m.flaechen.push_back(surface("Ziel", {{0, 0, 0}, {5, 0, 0}, {4, 0, 3}, {0.5, 0, 2.5}}, true));
    if (u(rng) < 0.5) {  // a second target part
        std::vector<Vec3> pts(3 + static_cast<std::size_t>(u(rng) * 5));
        for (Vec3& p : pts) p = {u(rng) * 5, 0, u(rng) * 3};
        m.flaechen.push_back(surface("Ziel", pts, true));
    }
    const char* names[] = {"Wand", "Baum", "Baum1", "Stamm", "Haus", "Baumhaus"};
    for (int k = count(rng); k > 0; --k) {
        std::vector<Vec3> pts(static_cast<std::size_t>(verts(rng)));
        for (Vec3& p : pts) p = {u(rng) * 9 - 2, -u(rng) * 4, u(rng) * 6 - 1.5};
        m.flaechen.insert(m.flaechen.begin() + static_cast<long>(u(rng) * static_cast<double>(m.flaechen.size())),
                          surface(names[static_cast<int>(u(rng) * 6)], pts));
    }
    return m;
}

Vec3 randomSun(std::mt19937& rng) {
    std::uniform_real_distribution<double> u(-1, 1);
    Vec3 s{u(rng), 0.05 + std::fabs(u(rng)), u(rng)};
    const double len = std::sqrt(s.x * s.x + s.y * s.y + s.z * s.z);
    return {s.x / len, s.y / len, s.z / len};
}

// The counts of the spans equal those of the painted picture; a raster prepared ahead
// of its first pass gives the same counts and picture as one that prepares on the way.
TEST(ShadingRaster, SpanCountingEqualsPaintedPixels) {
    std::mt19937 rng(2024);
    for (int trial = 0; trial < 120; ++trial) {
        const CompiledModel m = randomScene(rng);
        const auto kind = trial % 3 == 0 ? DrawingWindowKind::Online : DrawingWindowKind::FastRun;
        ShadingRaster r, eager;
        r.reset(kind);
        eager.reset(kind);
        eager.prepare(m);
        for (int pass = 0; pass < 3; ++pass) {
            const int step = (trial + pass) % 4 == 0 ? 1 : 1 + (trial + pass) % 6;
            const Vec3 sun = randomSun(rng);
            const RasterCounts spans = r.pass(m, sun, step);
            const RasterCounts pixels = countPixels(r, step, m.hasFoliage);
            const RasterCounts early = eager.pass(m, sun, step);
            ASSERT_EQ(std::tuple(spans.lit, spans.shaded, spans.crown), std::tuple(pixels.lit, pixels.shaded, pixels.crown))
                << "trial " << trial << " pass " << pass;
            ASSERT_EQ(std::tuple(spans.lit, spans.shaded, spans.crown), std::tuple(early.lit, early.shaded, early.crown));
            ASSERT_EQ(spans.lit + spans.shaded, r.sampledMaskPixels(step));
            ASSERT_TRUE(r.pixels() == eager.pixels()) << "trial " << trial << " pass " << pass;
        }
    }
}

}  // namespace
}  // namespace penumbro
