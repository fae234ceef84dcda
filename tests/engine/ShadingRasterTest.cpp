#include "engine/ShadingRaster.h"

#include "RasterScenes.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>

namespace penumbro {
namespace {

using testing::KnownScene;
using testing::surface;

TEST(ShadingRasterColours, TableAndNames) {
    struct Case {
        const char* name;
        int slot;
        bool target;
        std::uint32_t colour;
    };
    const Case cases[] = {
        // The ten obstacle colours repeat along the slots; names pick crown and trunk.
        {"Wand", 1, false, obstacleTableColour(11)}, {"Wand", 20, false, obstacleTableColour(10)},
        {"Baum2", 14, false, kCrownColour},          {"baum", 5, false, obstacleTableColour(5)},
        {"Stamm2", 1, false, kTrunkColour},          {"Stam", 1, false, obstacleTableColour(1)},
        {"Baum", 1, true, kTargetColour},
    };
    for (const Case& c : cases) {
        TFlaeche s;
        s.name = c.name;
        s.istTarget = c.target;
        EXPECT_EQ(surfaceColour(s, c.slot), c.colour) << c.name << " slot " << c.slot;
    }
    for (int k = 1; k <= 10; ++k) {
        EXPECT_NE(obstacleTableColour(k), kTargetColour);
        EXPECT_NE(obstacleTableColour(k), kCrownColour);
    }
}

TEST(ShadingRaster, TargetArea) {
    struct Case {
        const char* what;
        std::vector<Vec3> pts;
        bool target;
        bool area;
    };
    const std::vector<Case> cases = {
        {"rectangle", {{0, 0, 0}, {2, 0, 0}, {2, 0, 1}, {0, 0, 1}}, true, true},
        {"vertical segment", {{0, 0, 0}, {0, 0, 3}, {0, 0, 1}}, true, false},
        {"horizontal segment", {{0, 0, 0}, {5, 0, 0}}, true, false},
        {"single point", {{1, 0, 1}}, true, false},
        {"no vertices", {}, true, false},
        {"obstacle only", {{0, 0, 0}, {2, 0, 0}, {2, 0, 1}}, false, false},
    };
    for (const Case& c : cases) {
        CompiledModel m;
        m.flaechen.push_back(surface("T", c.pts, c.target));
        EXPECT_EQ(targetHasArea(m), c.area) << c.what;
        ShadingRaster r;
        if (!c.area) {
            EXPECT_THROW(r.prepare(m), std::domain_error) << c.what;
        }
    }
    // Two segments that together span an area.
    CompiledModel two;
    two.flaechen.push_back(surface("a", {{0, 0, 0}, {3, 0, 0}}, true));
    two.flaechen.push_back(surface("b", {{0, 0, 2}, {0, 0, 0}}, true));
    EXPECT_TRUE(targetHasArea(two));
}

TEST(ShadingRaster, WindowAndMaskOfEachKind) {
    KnownScene scene(KnownScene::Kind::SouthWall, 4, 2);  // wide: x decides the scale
    struct Case {
        DrawingWindowKind kind;
        int left, right, top, bottom;
    };
    for (const Case& c : {Case{DrawingWindowKind::FastRun, 2, 478, 2, 478},
                          Case{DrawingWindowKind::Online, 160, 320, 160, 320}}) {
        ShadingRaster r;
        r.reset(c.kind);
        EXPECT_TRUE(r.maskeNeu());
        r.prepare(scene.model);
        EXPECT_FALSE(r.maskeNeu());
        const DrawingWindow w = r.window();
        EXPECT_EQ(w.left, c.left);
        EXPECT_EQ(w.right, c.right);
        EXPECT_EQ(w.top, c.top);
        EXPECT_EQ(w.bottom, c.bottom);
        EXPECT_DOUBLE_EQ(w.scale, (c.right - c.left) / 4.0);
        // The target spans the full width and half the height, from the bottom up.
        const int zTop = c.bottom - static_cast<int>(std::nearbyint(2 * w.scale));
        for (int row = 0; row <= 480; ++row)
            for (int col = 0; col <= 480; ++col) {
                const bool inside = col >= c.left && col <= c.right && row >= zTop && row <= c.bottom;
                ASSERT_EQ(r.maske(col, row), inside) << col << "," << row;
            }
        // Counting grid: columns left+1..right, rows top+1..bottom, step r.
        for (int step : {1, 2, 5, 25}) {
            long expected = 0;
            for (int col = c.left + 1; col <= c.right; col += step)
                for (int row = c.top + 1; row <= c.bottom; row += step)
                    if (r.maske(col, row)) ++expected;
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
            if (p == kTargetColour) ++c.lit;
            else ++c.shaded;
            if (foliage && p == kCrownColour) ++c.crown;
        }
    return c;
}

CompiledModel randomScene(std::mt19937& rng) {
    std::uniform_real_distribution<double> u(0, 1);
    std::uniform_int_distribution<int> count(1, 9), verts(1, 12);
    CompiledModel m;
    m.hasFoliage = u(rng) < 0.7;
    const int targets = 1 + static_cast<int>(u(rng) * 2);
    for (int t = 0; t < targets; ++t) {
        std::vector<Vec3> pts;
        const int n = t == 0 ? 4 : 3 + static_cast<int>(u(rng) * 5);
        for (int i = 0; i < n; ++i) pts.push_back({u(rng) * 5, 0, u(rng) * 3});
        if (t == 0) pts = {{0, 0, 0}, {5, 0, 0}, {4, 0, 3}, {0.5, 0, 2.5}};
        m.flaechen.push_back(surface("Ziel", pts, true));
    }
    const char* names[] = {"Wand", "Baum", "Baum1", "Stamm", "Haus", "Baumhaus"};
    const int obstacles = count(rng);
    for (int k = 0; k < obstacles; ++k) {
        std::vector<Vec3> pts;
        const int n = verts(rng);
        for (int i = 0; i < n; ++i) pts.push_back({u(rng) * 9 - 2, -u(rng) * 4, u(rng) * 6 - 1.5});
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

TEST(ShadingRaster, SpanCountingEqualsPaintedPixels) {
    std::mt19937 rng(2024);
    for (int trial = 0; trial < 120; ++trial) {
        const CompiledModel m = randomScene(rng);
        const auto kind = trial % 3 == 0 ? DrawingWindowKind::Online : DrawingWindowKind::FastRun;
        ShadingRaster r;
        r.reset(kind);
        for (int pass = 0; pass < 3; ++pass) {
            const int step = (trial + pass) % 4 == 0 ? 1 : 1 + (trial + pass) % 6;
            const RasterCounts spans = r.pass(m, randomSun(rng), step);
            const RasterCounts pixels = countPixels(r, step, m.hasFoliage);
            ASSERT_EQ(spans.lit, pixels.lit) << "trial " << trial << " pass " << pass;
            ASSERT_EQ(spans.shaded, pixels.shaded) << "trial " << trial << " pass " << pass;
            ASSERT_EQ(spans.crown, pixels.crown) << "trial " << trial << " pass " << pass;
            ASSERT_EQ(spans.lit + spans.shaded, r.sampledMaskPixels(step));
        }
    }
}

TEST(ShadingRaster, PreparingEarlyGivesTheSameRun) {
    std::mt19937 rng(99);
    for (int trial = 0; trial < 10; ++trial) {
        const CompiledModel m = randomScene(rng);
        ShadingRaster eager, lazy;
        eager.reset(DrawingWindowKind::FastRun);
        lazy.reset(DrawingWindowKind::FastRun);
        eager.prepare(m);
        const long sampled = eager.sampledMaskPixels(2);
        for (int pass = 0; pass < 3; ++pass) {
            const Vec3 sun = randomSun(rng);
            const RasterCounts a = eager.pass(m, sun, 2);
            const RasterCounts b = lazy.pass(m, sun, 2);
            EXPECT_EQ(a.lit, b.lit);
            EXPECT_EQ(a.shaded, b.shaded);
            EXPECT_EQ(a.crown, b.crown);
        }
        EXPECT_EQ(lazy.sampledMaskPixels(2), sampled);
        EXPECT_EQ(eager.pixels(), lazy.pixels());
    }
}

TEST(ShadingRaster, PictureShowsTargetAndObstacleColours) {
    // Sun straight along the normal: every obstacle drops its own outline.
    KnownScene scene(KnownScene::Kind::SouthWall, 4, 4);
    scene.add("Wand", {{0, -1, 0}, {1, -1, 0}, {1, -1, 1}, {0, -1, 1}});   // slot 2: olive
    scene.add("Baum", {{3, -1, 3}, {4, -1, 3}, {4, -1, 4}, {3, -1, 4}});   // crown
    scene.add("Stamm", {{3, -2, 0}, {4, -2, 0}, {4, -2, 1}, {3, -2, 1}});  // trunk
    ShadingRaster r;
    r.reset(DrawingWindowKind::FastRun);
    r.pass(scene.model, {0, 1, 0}, 1);
    const DrawingWindow w = r.window();
    auto at = [&](double x, double z) {
        return r.pixel(w.left + static_cast<int>(x * w.scale), w.bottom - static_cast<int>(z * w.scale));
    };
    EXPECT_EQ(at(0.5, 0.5), 0x008080u);
    EXPECT_EQ(at(3.5, 3.5), kCrownColour);
    EXPECT_EQ(at(3.5, 0.5), kTrunkColour);
    EXPECT_EQ(at(2, 2), kTargetColour);
    EXPECT_EQ(r.pixel(0, 0), kWhite);  // outside the target: never drawn
    EXPECT_EQ(r.pixel(479, 479), kWhite);
    // The next pass repaints the target first, so a moved shadow leaves no trace on it.
    r.pass(scene.model, {0.5, 0.5, 0}, 1);  // shadows move left, out of the picture
    EXPECT_EQ(at(0.5, 0.5), kTargetColour);
    r.reset(DrawingWindowKind::FastRun);
    EXPECT_EQ(at(2, 2), kWhite);
}

}  // namespace
}  // namespace penumbro
