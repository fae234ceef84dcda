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
    if (resolution == 0) {
        ExactShading exact;
        return diffusePrecomputationExact(m, exact, intervals);
    }
    ShadingRaster r;
    r.reset(DrawingWindowKind::FastRun);
    return diffusePrecomputation(m, r, intervals, resolution);
}

TEST(DiffuseGrid, BandsHaveEqualSolidAngle) {
    EXPECT_EQ(makeDiffuseGrid(0).intervals, 1);
    for (int n : {1, 2, 4, 10, 25}) {  // one interval: a band at 30 degrees, four azimuths
        const DiffuseGrid g = makeDiffuseGrid(n);
        ASSERT_EQ(g.elevation.size(), static_cast<std::size_t>(n));
        ASSERT_EQ(g.azimuth.size(), static_cast<std::size_t>(4 * n));
        for (int i = 0; i < n; ++i) {
            const auto k = static_cast<std::size_t>(i);
            EXPECT_NEAR(std::sin(g.bandStart[k]), static_cast<double>(i) / n, 1e-12) << n;
            EXPECT_NEAR(std::sin(g.bandStart[k] + g.bandWidth[k]), static_cast<double>(i + 1) / n, 1e-12);
            EXPECT_NEAR(std::sin(g.elevation[k]), (2.0 * i + 1) / (2.0 * n), 1e-12);
        }
        EXPECT_NEAR(g.azimuth.back(), 2 * kPi * (4 * n - 1) / (4 * n), 1e-12);
    }
}

TEST(DiffuseDirection, TargetNormalAndWorldAngles) {
    // Straight out of the target plane is the target's own normal.
    struct Case {
        double alpha, beta;
    };
    for (const Case& c : {Case{kPi, 0}, Case{0, kPi / 2}, Case{deg(200), deg(35)}, Case{deg(90), deg(-20)}}) {
        const SkyDirection d = gridDirection(0.7, kPi / 2, c.alpha, c.beta);
        EXPECT_NEAR(d.elevation, c.beta, 1e-9);
        if (std::fabs(c.beta) < kPi / 2 - 1e-9) {
            EXPECT_NEAR(std::fmod(d.azimuth + 2 * kPi, 2 * kPi), c.alpha, 1e-9);
        }
    }
    // A south wall: a = 0 grazes downward, a = pi upward toward the south.
    const SkyDirection down = gridDirection(0, deg(30), kPi, 0);
    EXPECT_NEAR(down.elevation, deg(-60), 1e-12);
    const SkyDirection up = gridDirection(kPi, deg(30), kPi, 0);
    EXPECT_NEAR(up.elevation, deg(60), 1e-12);
    EXPECT_NEAR(up.azimuth, kPi, 1e-12);
}

TEST(DiffuseFactors, UnobstructedHorizontalTargetSeesTheWholeSky) {
    for (int n : {1, 3, 10}) {
        KnownScene roof(Kind::Roof, 3, 2);
        const DiffuseAccumulators acc = precompute(roof.model, n, n == 3 ? 0 : 5);
        EXPECT_GT(acc.n, 0);
        EXPECT_EQ(acc.DHindernis, 0);
        EXPECT_EQ(acc.DHimmelUnter, 0);
        for (double k : {1.0, 0.5}) {
            const auto f = diffuseFactors(acc, 50, 20, k, 0.2);
            ASSERT_TRUE(f.has_value());
            EXPECT_NEAR(f->sky, k, 1e-12) << n;
            EXPECT_EQ(f->ground, 0.0) << n;
        }
    }
}

TEST(DiffuseFactors, VerticalTargetSeesGroundBelowTheHorizon) {
    KnownScene wall(Kind::SouthWall, 4, 3);
    for (int resolution : {5, 0}) {  // raster and exact areas
        // One band at 30 degrees: straight down (-60), two grazing (0) and straight up (+60).
        const DiffuseAccumulators one = precompute(wall.model, 1, resolution);
        EXPECT_GT(one.DHimmelUnter, 0);
        const auto f1 = diffuseFactors(one, 0, 40, 1.0, 0.2);
        ASSERT_TRUE(f1.has_value());
        EXPECT_NEAR(f1->sky, std::sin(deg(60)) / 2, 1e-9);
        EXPECT_NEAR(f1->ground, 0.4 * std::sin(deg(60)) / 2, 1e-9);
        // Fine grid: half of the front hemisphere's weight is sky, half ground.
        const DiffuseAccumulators fine = precompute(wall.model, 25, resolution);
        const auto f25 = diffuseFactors(fine, 0, 100, 1.0, 0.2);
        ASSERT_TRUE(f25.has_value());
        EXPECT_NEAR(f25->sky, 0.5, 0.02);
        EXPECT_NEAR(f25->ground, 0.5, 0.02);
    }
}

TEST(DiffuseFactors, EachAccumulatorsShare) {
    // One unit in one accumulator, n = 2 so that K / n = 1; f 40 %, rho_g 30 %, k 0.8, rho_o 0.2.
    struct Case {
        double DiffuseAccumulators::*field;
        const char* name;
        double sky, ground;
    };
    const Case cases[] = {
        {&DiffuseAccumulators::DHindernis, "DHindernis", 0.2, 0},
        {&DiffuseAccumulators::DHimmelUeber, "DHimmelUeber", 0.8, 0},
        {&DiffuseAccumulators::DHimmelGleich, "DHimmelGleich", 0.4, 0.15},
        {&DiffuseAccumulators::DHimmelUnter, "DHimmelUnter", 0, 0.3},
        {&DiffuseAccumulators::DBaumUeber, "DBaumUeber", 0.8 * 0.6 + 0.2 * 0.4, 0},
        {&DiffuseAccumulators::DBaumGleich, "DBaumGleich", 0.8 * 0.6 / 2, 0.3 * 0.6 / 2},
        {&DiffuseAccumulators::DBaumUnter, "DBaumUnter", 0.2 * 0.4, 0.3 * 0.6},
    };
    for (const Case& c : cases) {
        DiffuseAccumulators acc;
        acc.n = 2;
        acc.*c.field = 1;
        const auto f = diffuseFactors(acc, 40, 30, 0.8, 0.2);
        ASSERT_TRUE(f.has_value());
        EXPECT_NEAR(f->sky, c.sky, 1e-12) << c.name;
        EXPECT_NEAR(f->ground, c.ground, 1e-12) << c.name;
    }
    // Full foliage: a crown exactly at the horizon height counts nowhere.
    DiffuseAccumulators gleich;
    gleich.n = 2;
    gleich.DBaumGleich = 1;
    EXPECT_EQ(diffuseFactors(gleich, 100, 30, 0.8, 0.2)->sky, 0.0);
    EXPECT_EQ(diffuseFactors(gleich, 100, 30, 0.8, 0.2)->ground, 0.0);
}

TEST(DiffuseFactors, NothingSampledGivesNoFactors) {
    EXPECT_FALSE(diffuseFactors(DiffuseAccumulators{}, 0, 20, 1, 0.2).has_value());
    CompiledModel noTarget;
    noTarget.flaechen.push_back(testing::surface("Wand", {{0, -1, 0}, {1, -1, 0}, {1, -1, 1}}));
    const DiffuseAccumulators acc = precompute(noTarget, 3);
    EXPECT_EQ(acc.n, 0);
    EXPECT_FALSE(diffuseFactors(acc, 0, 20, 1, 0.2).has_value());
}

TEST(DiffuseSamples, SortedByHorizonAndColour) {
    const std::vector<HorizonEntry> horizon = {{0, 360, 20}};
    const RasterCounts counts{10, 6, 4};  // 10 open, 4 crown, 2 other
    struct Case {
        double elevationDeg, azimuth;
        double ueber, unter, baumUeber, baumUnter;
    };
    const double s30 = 0.5, s10 = std::sin(deg(10)), s20 = std::sin(deg(20));
    const Case cases[] = {
        {30, kPi, 10 * s30, 0, 4 * s30, 0},
        {10, kPi, 0, 10 * s10, 0, 4 * s10},
        {-20, kPi, 0, 10 * s20, 0, 4 * s20},  // below the ground: weight |sin|
        // West of north: the horizon entry 0..360 covers it too.
        {10, -0.3, 0, 10 * s10, 0, 4 * s10},
    };
    for (const Case& c : cases) {
        DiffuseAccumulators acc;
        addSamples(acc, counts, {deg(c.elevationDeg), c.azimuth}, horizon);
        EXPECT_EQ(acc.n, 16);
        EXPECT_NEAR(acc.DHimmelUeber, c.ueber, 1e-12) << c.elevationDeg;
        EXPECT_NEAR(acc.DHimmelUnter, c.unter, 1e-12) << c.elevationDeg;
        EXPECT_NEAR(acc.DBaumUeber, c.baumUeber, 1e-12) << c.elevationDeg;
        EXPECT_NEAR(acc.DBaumUnter, c.baumUnter, 1e-12) << c.elevationDeg;
        EXPECT_NEAR(acc.DHindernis, 2 * std::fabs(std::sin(deg(c.elevationDeg))), 1e-12);
        EXPECT_EQ(acc.DHimmelGleich + acc.DBaumGleich, 0);
    }
}

TEST(DiffuseFactors, CrownFoliageZeroIsOpenAndFullIsObstacle) {
    // A roof under a small screen, with a horizon line at 40 degrees so that the
    // screen is seen both above and below it.
    const std::vector<Vec3> screen = {{1, 0.5, 1}, {2, 0.5, 1}, {2, 1.5, 1}, {1, 1.5, 1}};
    auto scene = [&](const char* name) {
        KnownScene s(Kind::Roof, 3, 2);
        s.model.horizon = {{0, 360, 40}};
        s.model.hasFoliage = true;
        if (name != nullptr) s.add(name, screen);
        return s;
    };
    const DiffuseAccumulators crown = precompute(scene("Baum").model, 6);
    const DiffuseAccumulators open = precompute(scene(nullptr).model, 6);
    const DiffuseAccumulators wall = precompute(scene("Wand").model, 6);
    EXPECT_GT(crown.DBaumUeber, 0);
    EXPECT_GT(crown.DBaumUnter, 0);
    EXPECT_EQ(crown.DHindernis, 0);
    EXPECT_GT(wall.DHindernis, 0);
    EXPECT_EQ(crown.n, open.n);

    const auto leafless = diffuseFactors(crown, 0, 25, 0.9, 0.3);
    const auto clear = diffuseFactors(open, 0, 25, 0.9, 0.3);
    EXPECT_NEAR(leafless->sky, clear->sky, 1e-12);
    EXPECT_NEAR(leafless->ground, clear->ground, 1e-12);

    const auto leafy = diffuseFactors(crown, 100, 25, 0.9, 0.3);
    const auto opaque = diffuseFactors(wall, 100, 25, 0.9, 0.3);
    EXPECT_NEAR(leafy->sky, opaque->sky, 1e-12);
    EXPECT_NEAR(leafy->ground, opaque->ground, 1e-12);
    EXPECT_LT(leafy->sky, leafless->sky);
}

}  // namespace
}  // namespace penumbro
