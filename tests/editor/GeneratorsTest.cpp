// Generated lines letter for letter: the worked rectangle, house and tree, the
// placement rules, overhangs on their target.

#include "editor/generators/OverhangGenerator.h"
#include "editor/panels/HousePanel.h"
#include "editor/panels/RectanglePanel.h"
#include "editor/panels/TreePanel.h"
#include "project/ProjectFile.h"
#include "project/ProjectFormat.h"
#include "support/SampleProjects.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace penumbro {
namespace {

// The collector, and the house and tree of the shipped example, letter for letter.
TEST(Generators, RectangleHouseAndTreeComeOutLetterForLetter) {
    Lines collector = testing::collectorSurface();  // whose local lines the shared text leaves at zero
    collector[4] = "# 4.000000 0.000000 0.000000", collector[5] = "# 4.000000 0.000000 3.000000";
    collector[6] = "# 0.000000 0.000000 3.000000";
    EXPECT_EQ((RectanglePanel{"Kollektor", true, "4", "3", "0", "0", "180", "45", "12", "12", "5"}.generate(Language::German)),
              collector);
    const Lines example = splitLines(testing::TempDir::readFile(testing::examplePath("collector.dat")));
    const auto part = [&example](std::size_t from, std::size_t size) {
        return Lines(example.begin() + static_cast<std::ptrdiff_t>(from), example.begin() + static_cast<std::ptrdiff_t>(from + size));
    };
    EXPECT_EQ((HousePanel{"Nachbarhaus", "8", "10", "6", "3", "0", "2", "-6", "0"}.generate(Language::German)),
              part(14, kHouseLines));
    EXPECT_EQ((TreePanel{"Linde", "3", "0.4", "6", "18", "4", "0",
                         {"0", "0", "10", "50", "90", "100", "100", "100", "90", "60", "20", "0"}}.generate(Language::German)),
              part(56, kTreeLines));
}

TEST(Generators, PlacementOfPlainSurfaces) {
    const std::tuple<double, double, Vec3, UV, const char*> cases[] = {
        {180, 0, {1, 2, 3}, {4, 5}, "5.000000 2.000000 8.000000"},          // facing south, u toward +x
        {90, 0, {1, 2, 3}, {4, 5}, "1.000000 6.000000 8.000000"},           // facing east, u toward north
        {180, -90, {0, 0, 0}, {4, 5}, "4.000000 -5.000000 0.000000"},       // facing the ground
    };
    for (const auto& [a, e, p, corner, vertex] : cases)
        EXPECT_EQ(vertexLine(placeCorners({corner}, {a, e, p})[0]), vertex) << "a=" << a << " e=" << e;
    // Corners entered counter-clockwise face the azimuth (Newell's normal).
    for (double a : {0.0, 45.0, 180.0, 300.0}) {
        const auto v = placeCorners(rectangleCorners(2, 1, 0, 0), {a, 0, {}});
        double nx = 0, ny = 0;
        for (std::size_t i = 0; i < v.size(); ++i) {
            const Vec3 &p = v[i], &q = v[(i + 1) % v.size()];
            nx += p.y * q.z - p.z * q.y;
            ny += p.z * q.x - p.x * q.z;
        }
        EXPECT_NEAR(std::remainder(std::atan2(nx, ny) * kDegreesPerRadian - a, 360.0), 0.0, 1e-9) << a;
    }
}

TEST(Generators, OverhangsHangOnTheirTarget) {
    Overhang o{"Vordach", 2, {{1, 2.5}, {3, 2.5}, {3, 3.5}, {1, 3.5}}, 0, -90, 1, 2.5};
    const Lines expected = {"$#2Vordach", "4", "# 1.000000 0.000000 2.500000", "# 3.000000 0.000000 2.500000",
                            "# 3.000000 0.000000 3.500000", "# 1.000000 0.000000 3.500000",
                            "# 0.000  -90.000  1.000  2.500  0.000", "1.000000 0.000000 2.500000",
                            "3.000000 0.000000 2.500000", "3.000000 -1.000000 2.500000", "1.000000 -1.000000 2.500000"};
    EXPECT_EQ(generateOverhang(o, {180, 0, {0, 0, 0}}), expected);  // stands out southward
    // A fin turned by 90 degrees about the vertical through its first corner.
    const Overhang fin{"Fin", 1, {{2, 0}, {3, 0}, {3, 2}, {2, 2}}, 90, 0, 0, 0};
    const auto v = placeOverhang(fin, {180, 0, {10, 20, 0}});
    EXPECT_EQ(vertexLine(v[1]), "12.000000 19.000000 0.000000");
    EXPECT_EQ(vertexLine(v[2]), "12.000000 19.000000 2.000000");
}

// An overhang wholly behind the target plane (inside the wall) can never shade it;
// one in the plane or reaching in front of it can.
TEST(Generators, OverhangsWhollyBehindTheirTargetAreTold) {
    const std::vector<UV> square = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    const std::vector<UV> fromTheTop = {{0, 1}, {1, 1}, {1, 0}, {0, 0}};
    const struct {
        double azimuth, elevation;
        std::vector<UV> corners;
        bool behind;
    } cases[] = {
        {0, 90, square, true},        // tilted up into the wall
        {0, -90, square, false},      // the canopy: out in front
        {0, 0, square, false},        // in the plane
        {0, 180, square, false},      // folded over, in the plane but for rounding
        {270, 0, square, true},       // a fin turned into the wall
        {90, 0, square, false},       // a fin turned out of it
        {0, 30, fromTheTop, false},   // hung from its top corner, it tilts out
        {180, 90, square, false},     // tilted up and turned round
        {0, 30, square, true},
    };
    for (const auto& c : cases) {
        const Overhang o{"U", 1, c.corners, c.azimuth, c.elevation, 0, 0};
        EXPECT_EQ(overhangBehindTarget(o), c.behind) << c.azimuth << " " << c.elevation;
        // On a south wall the target's front is south: behind means north of it.
        double south = 0, north = 0;
        for (const Vec3& p : placeOverhang(o, {180, 0, {0, 0, 0}})) south = std::max(south, -p.y), north = std::max(north, p.y);
        EXPECT_EQ(south < 1e-9 && north > 1e-9, c.behind) << c.azimuth << " " << c.elevation;
    }
}

}  // namespace
}  // namespace penumbro
