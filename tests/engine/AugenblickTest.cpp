#include "engine/Augenblick.h"

#include "engine/Frames.h"
#include "engine/Sun.h"

#include "RasterScenes.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace penumbro {
namespace {

using testing::KnownScene;
using Kind = KnownScene::Kind;

InstantResult instant(const CompiledModel& m, float elevation, float azimuth, int month = 1) {
    ShadingRaster r;
    r.reset(DrawingWindowKind::FastRun);
    return instantForSun(m, r, SunPosition{azimuth, elevation}, month, 1);
}

TEST(Augenblick, ShadedFractionMatchesTheExactShadowArea) {
    struct Case {
        const char* what;
        Kind kind;
        std::vector<Vec3> obstacle;  // world coordinates, convex
        float elevation, azimuth;
    };
    const std::vector<Vec3> overhang = {{-1, -1, 3}, {5, -1, 3}, {5, 0, 3}, {-1, 0, 3}};
    const std::vector<Case> cases = {
        {"overhang, sun due south", Kind::SouthWall, overhang, 30, 180},
        {"overhang, high sun", Kind::SouthWall, overhang, 63.4f, 179.2f},
        {"short overhang, oblique", Kind::SouthWall, {{1, -0.8, 3}, {3, -0.8, 3}, {3, 0, 3}, {1, 0, 3}}, 35, 145},
        {"east fin, morning", Kind::SouthWall, {{4, 0, 0}, {4, -1, 0}, {4, -1, 3}, {4, 0, 3}}, 20, 120},
        {"free panel", Kind::SouthWall, {{1, -2, 1}, {2.5, -2, 1}, {2.5, -2, 2}, {1, -2, 2}}, 35, 160},
        {"tilted panel", Kind::SouthWall, {{0.5, -1, 0.5}, {2, -2, 0.8}, {2.2, -1.5, 2.4}, {0.7, -0.5, 2}}, 25, 200},
        {"plate above a roof", Kind::Roof, {{1, 1, 1}, {2.5, 1, 1}, {2.5, 2, 1}, {1, 2, 1}}, 60, 135},
        {"wall south of a roof", Kind::Roof, {{-1, -0.5, 0}, {5, -0.5, 0}, {5, -0.5, 2}, {-1, -0.5, 2}}, 45, 180},
        {"triangle above a roof", Kind::Roof, {{0.5, 0.5, 2}, {3.5, 1, 1}, {2, 2.5, 1.5}}, 50, 100},
    };
    for (const Case& c : cases) {
        KnownScene scene(c.kind, 4, 3);
        scene.add("Hindernis", c.obstacle);
        const double expected = testing::exactShadowFraction(scene, c.obstacle, c.elevation, c.azimuth);
        const InstantResult r = instant(scene.model, c.elevation, c.azimuth);
        EXPECT_TRUE(r.sunOnTarget) << c.what;
        EXPECT_NEAR(r.ergebnis, expected, 0.005) << c.what;
        // The exact method has no outline bias.
        ExactShading exact;
        const Vec3 sun = Sonnenvektor(testing::deg(c.elevation), testing::deg(c.azimuth), scene.model.frame);
        EXPECT_NEAR(exactShadedFraction(exact.pass(scene.model, sun), 100), expected, 1e-9) << c.what;
    }
}

TEST(Augenblick, CodesForSunBehindTargetAndHorizonLine) {
    KnownScene scene(Kind::SouthWall, 4, 3);
    scene.add("Vordach", {{-1, -1, 3}, {5, -1, 3}, {5, 0, 3}, {-1, 0, 3}});
    scene.model.horizon = {{100, 170, 0}, {170, 190, 20}, {190, 260, 35.5}};
    const std::tuple<const char*, float, float, double> cases[] = {
        {"below the astronomical horizon", -0.5f, 180, -1},
        {"behind the wall (north)", 30, 0, -1},
        {"exactly at the horizon line", 20, 180, -2},
        {"at the horizon line's upper bound azimuth", 20, 190, -2},
        {"at the horizon", 0, 120, -2},
        {"second entry, exactly at its height", 35.5f, 250, -2},
    };
    ExactShading exact;
    for (const auto& [what, elevation, azimuth, code] : cases) {
        const InstantResult r = instant(scene.model, elevation, azimuth);
        EXPECT_EQ(r.ergebnis, code) << what;
        EXPECT_EQ(instantForSunExact(scene.model, exact, SunPosition{azimuth, elevation}, 1).ergebnis, code) << what;
        EXPECT_FALSE(r.sunOnTarget) << what;
        EXPECT_EQ(r.counts.lit + r.counts.shaded, 0) << what;
    }
    // Just above the horizon line, and east of every entry, the raster runs.
    EXPECT_GE(instant(scene.model, 20.001f, 180).ergebnis, 0);
    EXPECT_TRUE(instant(scene.model, 0.01f, 95).sunOnTarget);
}

TEST(Augenblick, CrownFoliage) {
    // A crown screen far larger than the target, with or without a wall over the
    // left half of the target drawn before or after it.
    const std::vector<Vec3> crown = {{-20, -1, -20}, {24, -1, -20}, {24, -1, 23}, {-20, -1, 23}};
    const std::vector<Vec3> leftWall = {{-5, -2, -5}, {2, -2, -5}, {2, -2, 10}, {-5, -2, 10}};
    // foliage line, May's foliage, wall before / after the crown, raster fraction, exact
    // fraction (by areas a crown never hides another obstacle's shadow).
    const std::tuple<const char*, bool, int, bool, bool, double, double> cases[] = {
        {"no leaves", true, 0, false, false, 0.5, 0.5},
        {"full leaves", true, 100, false, false, 1.0, 1.0},
        {"half leaves", true, 50, false, false, 1.0 / 1.5, 1.0 / 1.5},
        {"no foliage line: crown is plain shadow", false, 0, false, false, 1.0, 1.0},
        {"wall over half the crown shadow", true, 0, false, true, 1.0 / 1.5, 1.0 / 1.5},
        {"wall drawn before the crown: crown wins", true, 0, true, false, 0.5, 1.0 / 1.5},
    };
    for (const auto& [what, foliageLine, foliage, wallBefore, wallAfter, raster, areas] : cases) {
        KnownScene scene(Kind::SouthWall, 4, 3);
        scene.model.hasFoliage = foliageLine;
        scene.model.foliage.fill(100);
        scene.model.foliage[4] = foliage;  // May
        if (wallBefore) scene.add("Wand", leftWall);
        scene.add("Baum", crown);
        if (wallAfter) scene.add("Wand", leftWall);
        const InstantResult r = instant(scene.model, 30, 180, 5);
        EXPECT_NEAR(r.ergebnis, raster, 0.005) << what;
        ExactShading exact;  // the sun as the routine gives it, in single precision
        EXPECT_NEAR(instantForSunExact(scene.model, exact, SunPosition{180, 30}, 5).ergebnis, areas, 1e-6) << what;
        // Without a foliage line no crown is counted; with one another month takes its own
        // foliage (100 here): all shade.
        EXPECT_EQ(r.counts.crown == 0, !foliageLine) << what;
        EXPECT_EQ(instant(scene.model, 30, 180, 6).ergebnis, 1.0) << what;
    }
}

TEST(Augenblick, FractionRoundsTheLeaflessCrownHalfToEven) {
    const std::tuple<long, long, long, int, double> cases[] = {  // lit, shaded, crown, foliage
        {0, 3, 3, 50, 3.0 / 5},   // 1.5 -> 2
        {0, 5, 5, 50, 5.0 / 7},   // 2.5 -> 2
        {0, 7, 7, 50, 7.0 / 11},  // 3.5 -> 4
        {1, 1, 1, 0, 1.0 / 3},
        {2, 6, 4, 100, 6.0 / 8},
    };
    for (const auto& [lit, shaded, crown, foliage, fraction] : cases)
        EXPECT_DOUBLE_EQ(shadedFraction({lit, shaded, crown}, foliage), fraction) << shaded << "/" << crown;
    EXPECT_THROW(shadedFraction({0, 0, 0}, 0), std::domain_error);
}

}  // namespace
}  // namespace penumbro
