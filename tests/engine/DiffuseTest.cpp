#include "engine/Diffuse.h"

#include "RasterScenes.h"

#include <gtest/gtest.h>

#include <cmath>

namespace penumbro {
namespace {

using testing::deg;
using testing::KnownScene;
using testing::kPi;
using Kind = KnownScene::Kind;

// resolution 0: exact areas instead of the raster.
DiffuseAccumulators precompute(const CompiledModel& m, int intervals, int resolution = 5) {
    ExactShading exact;
    ShadingRaster r;
    r.reset(DrawingWindowKind::FastRun);
    return resolution == 0 ? diffusePrecomputationExact(m, exact, intervals)
                           : diffusePrecomputation(m, r, intervals, resolution);
}

TEST(DiffuseGrid, BandsHaveEqualSolidAngle) {
    EXPECT_EQ(makeDiffuseGrid(0).intervals, 1);
    for (int n : {1, 4, 25}) {  // one interval: a band at 30 degrees, four azimuths
        const DiffuseGrid g = makeDiffuseGrid(n);
        ASSERT_EQ(g.elevation.size(), static_cast<std::size_t>(n));
        ASSERT_EQ(g.azimuth.size(), static_cast<std::size_t>(4 * n));
        for (std::size_t k = 0; k < g.elevation.size(); ++k) {
            const double i = static_cast<double>(k);
            EXPECT_NEAR(std::sin(g.bandStart[k]), i / n, 1e-12) << n;
            EXPECT_NEAR(std::sin(g.bandStart[k] + g.bandWidth[k]), (i + 1) / n, 1e-12);
            EXPECT_NEAR(std::sin(g.elevation[k]), (2 * i + 1) / (2.0 * n), 1e-12);
        }
        EXPECT_NEAR(g.azimuth.back(), 2 * kPi * (4 * n - 1) / (4 * n), 1e-12);
    }
}

TEST(DiffuseFactors, UnobstructedHorizontalTargetSeesTheWholeSky) {
    const KnownScene roof(Kind::Roof, 3, 2);
    for (int n : {1, 3, 10}) {
        for (int resolution : {5, 0}) {  // raster and exact areas
            const DiffuseAccumulators acc = precompute(roof.model, n, resolution);
            EXPECT_GT(acc.n, 0);
            EXPECT_EQ(acc.DHindernis + acc.DHimmelUnter, 0);
            for (double k : {1.0, 0.5}) {
                const auto f = diffuseFactors(acc, 50, 20, k, 0.2);
                ASSERT_TRUE(f.has_value());
                EXPECT_NEAR(f->sky, k, 1e-12) << n;
                EXPECT_EQ(f->ground, 0.0) << n;
            }
        }
    }
}

TEST(DiffuseFactors, VerticalTargetSeesGroundBelowTheHorizon) {
    const KnownScene wall(Kind::SouthWall, 4, 3);
    for (int resolution : {5, 0}) {  // raster and exact areas
        // One band at 30 degrees: straight down (-60), two grazing (0) and straight up (+60).
        const DiffuseAccumulators one = precompute(wall.model, 1, resolution);
        EXPECT_GT(one.DHimmelUnter, 0);
        const auto f1 = diffuseFactors(one, 0, 40, 1.0, 0.2);
        ASSERT_TRUE(f1.has_value());
        EXPECT_NEAR(f1->sky, std::sin(deg(60)) / 2, 1e-9);
        EXPECT_NEAR(f1->ground, 0.4 * std::sin(deg(60)) / 2, 1e-9);
        // Fine grid: half of the front hemisphere's weight is sky, half ground.
        const auto f25 = diffuseFactors(precompute(wall.model, 25, resolution), 0, 100, 1.0, 0.2);
        ASSERT_TRUE(f25.has_value());
        EXPECT_NEAR(f25->sky, 0.5, 0.02);
        EXPECT_NEAR(f25->ground, 0.5, 0.02);
    }
}

TEST(DiffuseFactors, EachAccumulatorsShare) {
    // One unit in one accumulator, n = 2 so that K / n = 1; f 40 %, rho_g 30 %, k 0.8, rho_o 0.2.
    using A = DiffuseAccumulators;
    const std::tuple<double A::*, int, double, double> cases[] = {
        {&A::DHindernis, 40, 0.2, 0},
        {&A::DHimmelUeber, 40, 0.8, 0},
        {&A::DHimmelGleich, 40, 0.4, 0.15},
        {&A::DHimmelUnter, 40, 0, 0.3},
        {&A::DBaumUeber, 40, 0.8 * 0.6 + 0.2 * 0.4, 0},
        {&A::DBaumGleich, 40, 0.8 * 0.6 / 2, 0.3 * 0.6 / 2},
        {&A::DBaumUnter, 40, 0.2 * 0.4, 0.3 * 0.6},
        {&A::DBaumGleich, 100, 0, 0},  // full foliage: a crown exactly at the horizon counts nowhere
    };
    for (const auto& [field, foliage, sky, ground] : cases) {
        DiffuseAccumulators acc;
        acc.n = 2;
        acc.*field = 1;
        const auto f = diffuseFactors(acc, foliage, 30, 0.8, 0.2);
        ASSERT_TRUE(f.has_value());
        const double tolerance = foliage == 100 ? 0 : 1e-12;  // counting nowhere is exact
        EXPECT_NEAR(f->sky, sky, tolerance) << sky << " " << ground;
        EXPECT_NEAR(f->ground, ground, tolerance) << sky << " " << ground;
    }
}

TEST(DiffuseSamples, SortedByHorizonAndColour) {
    const RasterCounts counts{10, 6, 4};  // 10 open, 4 crown, 2 other
    const double s30 = 0.5, s10 = std::sin(deg(10)), s20 = std::sin(deg(20));
    const std::tuple<double, double, double, double> cases[] = {  // elevation, azimuth, above, below
        {30, kPi, s30, 0},
        {10, kPi, 0, s10},
        {-20, kPi, 0, s20},  // below the ground: weight |sin|
        {10, -0.3, 0, s10},  // west of north: the horizon entry 0..360 covers it too
    };
    for (const auto& [elevation, azimuth, above, below] : cases) {
        DiffuseAccumulators acc;
        addSamples(acc, counts, {deg(elevation), azimuth}, {{0, 360, 20}});
        EXPECT_EQ(acc.n, 16);
        EXPECT_NEAR(acc.DHimmelUeber, 10 * above, 1e-12) << elevation;
        EXPECT_NEAR(acc.DHimmelUnter, 10 * below, 1e-12) << elevation;
        EXPECT_NEAR(acc.DBaumUeber, 4 * above, 1e-12) << elevation;
        EXPECT_NEAR(acc.DBaumUnter, 4 * below, 1e-12) << elevation;
        EXPECT_NEAR(acc.DHindernis, 2 * std::fabs(std::sin(deg(elevation))), 1e-12);
        EXPECT_EQ(acc.DHimmelGleich + acc.DBaumGleich, 0);
    }
}

TEST(DiffuseFactors, CrownFoliageZeroIsOpenAndFullIsObstacle) {
    // A roof under a small screen, with a horizon line at 40 degrees so that the
    // screen is seen both above and below it.
    auto scene = [&](const char* name) {
        KnownScene s(Kind::Roof, 3, 2);
        s.model.horizon = {{0, 360, 40}};
        s.model.hasFoliage = true;
        if (name != nullptr) s.add(name, {{1, 0.5, 1}, {2, 0.5, 1}, {2, 1.5, 1}, {1, 1.5, 1}});
        return precompute(s.model, 6);
    };
    const DiffuseAccumulators crown = scene("Baum"), open = scene(nullptr), wall = scene("Wand");
    EXPECT_GT(crown.DBaumUeber, 0);
    EXPECT_GT(crown.DBaumUnter, 0);
    EXPECT_EQ(crown.DHindernis, 0);
    EXPECT_GT(wall.DHindernis, 0);
    EXPECT_EQ(crown.n, open.n);
    const auto expectSame = [](const DiffuseAccumulators& a, const DiffuseAccumulators& b, int foliage) {
        const auto fa = diffuseFactors(a, foliage, 25, 0.9, 0.3), fb = diffuseFactors(b, foliage, 25, 0.9, 0.3);
        EXPECT_NEAR(fa->sky, fb->sky, 1e-12) << foliage;
        EXPECT_NEAR(fa->ground, fb->ground, 1e-12) << foliage;
        return fa->sky;
    };
    const double leafless = expectSame(crown, open, 0);
    EXPECT_LT(expectSame(crown, wall, 100), leafless);
}

}  // namespace
}  // namespace penumbro
