// Culling of obstacles that cannot shade: the kept obstacles against shadows projected
// here vertex by vertex, and passes with culling against passes without.

#include "engine/Culling.h"
#include "engine/ExactShading.h"
#include "engine/ShadingRaster.h"

#include "engine/RasterScenes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <tuple>

namespace penumbro {
namespace {

using testing::surface;

// Obstacles all around a 4 x 3 target: close and far, before and beside it, some
// lying in the target plane, some crowns; a random sun, sometimes grazing.
CompiledModel scatteredScene(std::mt19937& rng, int obstacles, double spread) {
    std::uniform_real_distribution<double> u(0, 1);
    CompiledModel m;
    m.flaechen.push_back(surface("Kollektor", {{0, 0, 0}, {4, 0, 0}, {4, 0, 3}, {0, 0, 3}}, true));
    m.hasFoliage = u(rng) < 0.5;
    m.foliage.fill(40);
    const char* names[] = {"Wand", "Baum", "Baum1", "Stamm", "Haus"};
    for (int k = 0; k < obstacles; ++k) {
        const double cx = (u(rng) - 0.5) * spread, cy = -u(rng) * spread / 2, cz = (u(rng) - 0.3) * spread / 4;
        const bool inPlane = u(rng) < 0.05;
        std::vector<Vec3> pts(static_cast<std::size_t>(3 + rng() % 6));
        for (Vec3& p : pts) p = {cx + u(rng) * 6 - 3, inPlane ? 0 : std::min(0.0, cy + u(rng) * 4 - 2), cz + u(rng) * 5};
        // A vertex a little behind the plane, as clipping's rounding may leave one.
        if (u(rng) < 0.05) pts[0].y = u(rng) < 0.5 ? 1e-12 : 0.5;
        m.flaechen.push_back(surface(names[rng() % 5], pts));
    }
    return m;
}

Vec3 randomSun(std::mt19937& rng) {
    std::uniform_real_distribution<double> u(-1, 1);
    const double y = rng() % 8 == 0 ? 1e-4 * std::fabs(u(rng)) + 1e-9 : 0.02 + std::fabs(u(rng));
    Vec3 s{u(rng), y, u(rng)};
    const double len = std::sqrt(s.x * s.x + s.y * s.y + s.z * s.z);
    return {s.x / len, s.y / len, s.z / len};
}

// Every obstacle whose shadow's bounding box meets the box is kept; none whose box lies
// clearly away from it is (unless a vertex lies behind the plane); kept ones come in
// slot order.
TEST(ShadowCulling, KeepsExactlyTheObstaclesWhoseShadowBoxMeetsTheBox) {
    std::mt19937 rng(7);
    long kept = 0, total = 0;
    for (int trial = 0; trial < 40; ++trial) {
        const CompiledModel m = scatteredScene(rng, 300, 200);
        const PlaneBox box{-1, 5, -1, 4};
        ShadowCulling culling;
        culling.build(m, box);
        for (int pass = 0; pass < 20; ++pass) {
            const Vec3 sun = randomSun(rng);
            const std::vector<int>& picked = culling.candidates(sun);
            ASSERT_TRUE(std::is_sorted(picked.begin(), picked.end()));
            for (std::size_t i = 1; i < m.flaechen.size(); ++i) {
                double x0 = 1e300, x1 = -1e300, z0 = 1e300, z1 = -1e300;
                const TFlaeche& s = m.flaechen[i];
                for (int k = 0; k < s.n; ++k) {
                    const Vec3& p = s.v[static_cast<std::size_t>(k)];
                    const double t = -p.y / sun.y;
                    x0 = std::min(x0, p.x + t * sun.x), x1 = std::max(x1, p.x + t * sun.x);
                    z0 = std::min(z0, p.z - t * sun.z), z1 = std::max(z1, p.z - t * sun.z);
                }
                const double tol = 1e-6 * (1 + std::fabs(x0) + std::fabs(x1) + std::fabs(z0) + std::fabs(z1));
                const bool meets = x1 >= box.xmin && x0 <= box.xmax && z1 >= box.zmin && z0 <= box.zmax;
                bool behind = false;
                for (int k = 0; k < s.n; ++k) behind = behind || s.v[static_cast<std::size_t>(k)].y > 0;
                // Vertices behind the plane may make the culling keep more, never less.
                const bool away = !behind && (x1 < box.xmin - tol || x0 > box.xmax + tol || z1 < box.zmin - tol ||
                                  z0 > box.zmax + tol);
                const bool isPicked = std::binary_search(picked.begin(), picked.end(), static_cast<int>(i));
                if (meets) { ASSERT_TRUE(isPicked) << "trial " << trial << " surface " << i; }
                if (away) { ASSERT_FALSE(isPicked) << "trial " << trial << " surface " << i; }
            }
            ASSERT_FALSE(std::binary_search(picked.begin(), picked.end(), 0));  // the target
            kept += static_cast<long>(picked.size());
            total += static_cast<long>(m.flaechen.size()) - 1;
        }
    }
    EXPECT_LT(kept * 5, total);  // a scattered scene mostly misses a small target
}

// Culling changes neither counts nor picture of the raster, nor the exact areas.
TEST(ShadowCulling, PassesGiveTheSameResultsWithAndWithoutCulling) {
    std::mt19937 rng(11);
    for (int trial = 0; trial < 30; ++trial) {
        const CompiledModel m = scatteredScene(rng, trial % 2 == 0 ? 60 : 200, trial % 3 == 0 ? 30 : 120);
        const auto kind = trial % 2 == 0 ? DrawingWindowKind::Online : DrawingWindowKind::FastRun;
        ShadingRaster culled, full;
        culled.setCulling(true);
        full.setCulling(false);
        culled.reset(kind);
        full.reset(kind);
        ExactShading exactCulled, exactFull;
        exactCulled.setCulling(true);
        exactFull.setCulling(false);
        for (int pass = 0; pass < 12; ++pass) {
            const Vec3 sun = randomSun(rng);
            const int step = 1 + pass % 3;
            const RasterCounts a = culled.pass(m, sun, step), b = full.pass(m, sun, step);
            ASSERT_EQ(std::tuple(a.lit, a.shaded, a.crown), std::tuple(b.lit, b.shaded, b.crown))
                << "trial " << trial << " pass " << pass;
            ASSERT_TRUE(culled.pixels() == full.pixels()) << "trial " << trial << " pass " << pass;
            if (pass % 4 != 0) continue;  // exact passes are slow
            const ShadowAreas e = exactCulled.pass(m, sun), f = exactFull.pass(m, sun);
            ASSERT_NEAR(e.shaded, f.shaded, 1e-9) << "trial " << trial;
            ASSERT_NEAR(e.crown, f.crown, 1e-9) << "trial " << trial;
        }
    }
}

}  // namespace
}  // namespace penumbro
