#include "engine/Augenblick.h"
#include "engine/ExactShading.h"

#include "RasterScenes.h"

#include <gtest/gtest.h>

#include <random>

namespace penumbro {
namespace {

using testing::KnownScene;
using Kind = KnownScene::Kind;

// Random obstacles in front of a south wall or over a roof, some of them crossing
// themselves, under random suns: the exact fraction and the raster's at resolution 1
// differ only by the raster's outline.
TEST(ExactShading, AgreesWithTheRasterOnRandomScenes) {
    std::mt19937 rng(4711);
    std::uniform_real_distribution<double> u(0, 1);
    for (int trial = 0; trial < 150; ++trial) {
        KnownScene scene(trial % 2 ? Kind::SouthWall : Kind::Roof, 3 + 3 * u(rng), 2 + 2 * u(rng));
        for (int k = 0; k < 1 + trial % 4; ++k) {
            // A star-shaped outline around a centre; every fifth one visits its corners
            // out of order and crosses itself.
            const double cx = u(rng) * 6 - 1, cz = u(rng) * 4, depth = 0.5 + 2 * u(rng), r = 0.5 + 1.5 * u(rng);
            const int n = 3 + static_cast<int>(u(rng) * 8);
            std::vector<Vec3> pts;
            for (int i = 0; i < n; ++i) {
                const double a = 2 * testing::kPi * (i + 0.8 * u(rng)) / n;
                const double rr = r * (0.4 + 0.6 * u(rng));
                pts.push_back({cx + rr * std::cos(a), -depth, cz + rr * std::sin(a)});
            }
            if (k % 5 == 4) std::swap(pts[0], pts[static_cast<std::size_t>(n / 2)]);
            // Back into world coordinates for a roof (KnownScene::add maps them).
            if (scene.kind == Kind::Roof)
                for (Vec3& p : pts) p = {scene.w - p.x, scene.h - p.z, -p.y};
            scene.add(k % 3 == 0 ? "Baum" : "Wand", pts);
        }
        scene.model.hasFoliage = trial % 3 == 0;
        scene.model.foliage.fill(40);
        const SunPosition sun{static_cast<float>(120 + 120 * u(rng)), static_cast<float>(15 + 60 * u(rng))};
        ShadingRaster raster;
        raster.reset(DrawingWindowKind::FastRun);
        ExactShading exact;
        const InstantResult r = instantForSun(scene.model, raster, sun, 3, 1);
        const InstantResult e = instantForSunExact(scene.model, exact, sun, 3);
        ASSERT_EQ(r.sunOnTarget, e.sunOnTarget) << trial;
        if (r.sunOnTarget) { EXPECT_NEAR(e.ergebnis, r.ergebnis, 0.01) << "trial " << trial; }
    }
}

// A sun almost in the target's plane throws shadows hundreds of metres long, far
// beyond the pixel clamp; what falls on the target must keep its true shape. Wings and
// canopies standing out from a south wall, suns within ten degrees of its plane.
TEST(ExactShading, RasterKeepsLongShadowsAtGrazingSuns) {
    std::mt19937 rng(1995);
    std::uniform_real_distribution<double> u(0, 1);
    int sunlit = 0;
    for (int trial = 0; trial < 60; ++trial) {
        KnownScene scene(Kind::SouthWall, 2 + 4 * u(rng), 2 + 3 * u(rng));
        for (int k = 0; k < 1 + trial % 3; ++k) {
            const double x0 = -3 + (scene.w + 6) * u(rng), near = 0.05 + 2 * u(rng), far = near + 3 + 40 * u(rng);
            const double height = 1 + 12 * u(rng), lean = 2 * u(rng) - 1;
            if (k % 2 == 0) {  // a wing standing out from the wall, perhaps leaning
                scene.add("Wand", {{x0, -near, 0}, {x0, -far, 0}, {x0 + lean, -far, height}, {x0 + lean, -near, height}});
            } else {  // a canopy
                const double width = 0.5 + 4 * u(rng);
                scene.add("Wand", {{x0, -near, height}, {x0 + width, -near, height}, {x0 + width + lean, -far, height},
                                   {x0 + lean, -far, height}});
            }
        }
        ShadingRaster raster;
        raster.reset(DrawingWindowKind::FastRun);
        ExactShading exact;
        for (int s = 0; s < 40; ++s) {
            const double offPlane = s % 4 == 0 ? 0.001 + 0.05 * u(rng) : 0.05 + 10 * u(rng);
            const double azimuth = s % 2 ? 90 + offPlane : 270 - offPlane;
            const SunPosition sun{static_cast<float>(azimuth), static_cast<float>(0.5 + 30 * u(rng))};
            const InstantResult r = instantForSun(scene.model, raster, sun, 6, 1);
            const InstantResult e = instantForSunExact(scene.model, exact, sun, 6);
            ASSERT_EQ(r.sunOnTarget, e.sunOnTarget) << trial;
            if (!r.sunOnTarget) continue;
            ++sunlit;
            EXPECT_NEAR(r.ergebnis, e.ergebnis, 0.03)
                << "trial " << trial << ", sun at azimuth " << sun.azimuth << ", elevation " << sun.elevation;
        }
    }
    EXPECT_GT(sunlit, 2000);
}

// Geometry at the edges of what is defined never crashes, hangs or leaves 0..1, by
// areas or in the raster, whose clamp holds shadows reaching hundreds of metres away.
TEST(ExactShading, DegenerateGeometryStaysDefined) {
    // Obstacle in the target frame of a 4 x 3 south wall, sun in the projection frame,
    // expected fraction (< 0: only 0..1 is required).
    const std::tuple<const char*, std::vector<Vec3>, Vec3, double> cases[] = {
        {"corners on one line", {{0, -1, 0}, {1, -1, 1}, {2, -1, 2}, {3, -1, 3}}, {0, 1, 0}, 0},
        {"obstacle edge-on to the sun", {{0, -1, 0}, {0, -2, 0}, {0, -2, 3}, {0, -1, 3}}, {0, 1, 0}, 0},
        {"shadow exactly on the target's edges", {{0, -1, 0}, {4, -1, 0}, {4, -1, 3}, {0, -1, 3}}, {0, 1, 0}, 1},
        {"shadow touching the target's side", {{4, -1, 0}, {6, -1, 0}, {6, -1, 3}, {4, -1, 3}}, {0, 1, 0}, 0},
        {"grazing sun", {{-10, -1, 0}, {14, -1, 0}, {14, -1, 1}, {-10, -1, 1}}, {0.7, 1e-12, 0.7}, -1},
        {"grazing sun, far wall", {{-10, -6, -5}, {20, -6, -5}, {20, -6, 12}, {-10, -6, 12}}, {0.7, 1e-12, 0.7}, -1},
        {"low sun, far wall", {{-10, -6, -5}, {20, -6, -5}, {20, -6, 12}, {-10, -6, 12}}, {0.996, 0.087, 0.0035}, -1},
        {"huge coordinates", {{-1e6, -1e6, -1e6}, {1e6, -1e6, -1e6}, {1e6, -1e6, 1e6}, {-1e6, -1e6, 1e6}},
         {0.2, 0.9, 0.3}, 1},
        {"crossing itself", {{0, -1, 0}, {4, -1, 3}, {4, -1, 0}, {0, -1, 3}}, {0, 1, 0}, 0.5},
    };
    for (const auto& [what, obstacle, sun, expected] : cases) {
        KnownScene scene(Kind::SouthWall, 4, 3);
        scene.add("Wand", obstacle);
        ExactShading exact;
        const double f = exactShadedFraction(exact.pass(scene.model, sun), 100);
        if (expected >= 0) { EXPECT_NEAR(f, expected, 1e-9) << what; }
        EXPECT_TRUE(f >= 0 && f <= 1) << what << ": " << f;
        ShadingRaster raster;
        raster.reset(DrawingWindowKind::FastRun);
        const RasterCounts c = raster.pass(scene.model, sun, 1);
        EXPECT_EQ(c.lit + c.shaded, raster.sampledMaskPixels(1)) << what;
    }
}

}  // namespace
}  // namespace penumbro
