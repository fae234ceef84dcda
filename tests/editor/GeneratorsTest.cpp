// Generated lines letter for letter: the worked rectangle and house, the unit tree,
// the placement rules, overhangs on their target.

#include "editor/GeneratorFormat.h"
#include "editor/HouseGenerator.h"
#include "editor/OverhangGenerator.h"
#include "editor/PanelHouse.h"
#include "editor/PanelRectangle.h"
#include "editor/PanelTree.h"
#include "editor/PolygonGenerator.h"
#include "editor/TreeGenerator.h"

#include <gtest/gtest.h>

#include <cmath>

namespace penumbro {
namespace {

TEST(Generators, CollectorRectangleComesOutLetterForLetter) {
    const RectanglePanel p{"Kollektor", true, "4", "3", "0", "0", "180", "45", "12", "12", "5"};
    const Lines expected = {
        "Kollektor", "Target", "4",
        "# 0.000000 0.000000 0.000000", "# 4.000000 0.000000 0.000000",
        "# 4.000000 0.000000 3.000000", "# 0.000000 0.000000 3.000000",
        "# 180.000  45.000  12.000  12.000  5.000",
        "12.000000 12.000000 5.000000", "16.000000 12.000000 5.000000",
        "16.000000 14.121320 7.121320", "12.000000 14.121320 7.121320",
    };
    EXPECT_EQ(p.generate(Language::German), expected);
}

TEST(Generators, WorkedHouseComesOutLetterForLetter) {
    const HousePanel p{"", "13", "5", "7", "3", "90", "4", "5", "0"};
    const Lines expected = {
        "Frontseite",
        "#  13.000    5.000    7.000    3.000   90.000    4.000    5.000    0.000     #Haus: ",
        "4",
        "4.000000 5.000000 0.000000", "4.000000 0.000000 0.000000",
        "4.000000 0.000000 7.000000", "4.000000 5.000000 7.000000",
        "R\xFC" "ckseite", "4",
        "17.000000 5.000000 0.000000", "17.000000 0.000000 0.000000",
        "17.000000 0.000000 7.000000", "17.000000 5.000000 7.000000",
        "L\xE4" "ngsseite 1", "4",
        "4.000000 0.000000 0.000000", "17.000000 0.000000 0.000000",
        "17.000000 0.000000 7.000000", "4.000000 0.000000 7.000000",
        "L\xE4" "ngsseite 2", "4",
        "4.000000 5.000000 0.000000", "17.000000 5.000000 0.000000",
        "17.000000 5.000000 7.000000", "4.000000 5.000000 7.000000",
        "Dach Giebelseite Front", "3",
        "4.000000 5.000000 7.000000", "4.000000 0.000000 7.000000", "4.000000 2.500000 10.000000",
        "Dachl\xE4" "ngsseite 1", "4",
        "4.000000 0.000000 7.000000", "17.000000 0.000000 7.000000",
        "17.000000 2.500000 10.000000", "4.000000 2.500000 10.000000",
        "Dachl\xE4" "ngsseite 2", "4",
        "4.000000 5.000000 7.000000", "17.000000 5.000000 7.000000",
        "17.000000 2.500000 10.000000", "4.000000 2.500000 10.000000",
    };
    const Lines lines = p.generate(Language::German);
    ASSERT_EQ(lines.size(), kHouseLines);
    EXPECT_EQ(lines, expected);
}

TEST(Generators, HouseInStandardPositionAndFlatRoof) {
    const Lines lines = generateHouse({"Nachbar", 8, 6, 3, 0, 0, {0, 0, 0}});
    EXPECT_EQ(lines[1], "#   8.000    6.000    3.000    0.000    0.000    0.000    0.000    0.000     #Haus: Nachbar");
    EXPECT_EQ(lines[4], "6.000000 0.000000 0.000000");
    // A flat roof: surfaces 5 to 7 (lines 27..41) lie in the plane z = H.
    for (std::size_t i = 27; i < lines.size(); ++i) {
        if (lines[i].find(' ') != std::string::npos && lines[i][0] != 'D') {
            EXPECT_EQ(lines[i].substr(lines[i].rfind(' ') + 1), "3.000000") << i;
        }
    }
}

TEST(Generators, UnitTreeIsReproducedExactly) {
    Tree t;
    t.trunkHeight = 1;
    t.trunkDiameter = 1;
    t.crownDiameter = 2.4;
    t.name = "Linde";
    const Lines lines = generateTree(t);
    ASSERT_EQ(lines.size(), kTreeLines);
    EXPECT_EQ(lines[0], "Baum");
    EXPECT_EQ(lines[1], "Belaubung   0  0  0  0  0  0  0  0  0  0  0  0");
    EXPECT_EQ(lines[2], "#   1.000    1.000    2.400    0.000    0.000    0.000     #Baum: Linde");
    EXPECT_EQ(lines[3], "8");
    EXPECT_EQ(lines[4], "-1.200000 0.000000 1.700000");
    EXPECT_EQ(lines[6], "-0.500000 0.000000 3.400000");
    EXPECT_EQ(lines[12], "Baum1");
    EXPECT_EQ(lines[14], "-0.600000 1.040000 1.700000");
    EXPECT_EQ(lines[17], "0.250000 -0.430000 3.400000");
    EXPECT_EQ(lines[22], "Baum2");
    EXPECT_EQ(lines[32], "Baum3");
    EXPECT_EQ(lines[34], "-1.200000 -0.500000 2.200000");
    EXPECT_EQ(lines[42], "Stamm");
    EXPECT_EQ((Lines{lines.begin() + 43, lines.begin() + 48}),
              (Lines{"4", "-0.500000 0.500000 0.000000", "-0.500000 0.500000 1.000000",
                     "0.500000 0.500000 1.000000", "0.500000 0.500000 0.000000"}));
    EXPECT_EQ(lines[48], "Stamm1");
    EXPECT_EQ(lines[54], "Stamm2");
    EXPECT_EQ(lines[59], "-0.500000 -0.500000 0.000000");
}

TEST(Generators, TreeScalesCrownAndTrunk) {
    Tree t;
    t.trunkHeight = 2;
    t.trunkDiameter = 0;  // a trunk of no width
    t.crownDiameter = 4.8;
    t.foot = {10, 20, 1};
    const Lines lines = generateTree(t);
    // The crown runs from h to h + D above the foot.
    EXPECT_EQ(lines[4], "7.600000 20.000000 4.400000");   // (-1.2*2, 0, (1.7-1)*2+1+1) + foot
    EXPECT_EQ(lines[6], "9.000000 20.000000 7.800000");   // top of the crown at 2 + 4.8 + 1
    EXPECT_EQ(lines[11], "9.000000 20.000000 3.000000");  // bottom at h above the foot
    EXPECT_EQ(lines[34], "7.600000 19.000000 5.400000");  // horizontal octagon at h + D/2
    EXPECT_EQ((Lines{lines.begin() + 44, lines.begin() + 48}),
              (Lines{"10.000000 20.000000 1.000000", "10.000000 20.000000 3.000000",
                     "10.000000 20.000000 3.000000", "10.000000 20.000000 1.000000"}));
}

TEST(Generators, FoliageFieldsAreThreeCharactersWithoutSeparator) {
    struct Case {
        std::array<int, 12> foliage;
        const char* line;
    };
    const Case cases[] = {
        {{0, 50, 100, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "Belaubung   0 50100  0  0  0  0  0  0  0  0  0"},
        {{100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100},
         "Belaubung 100100100100100100100100100100100100"},
        {{5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60}, "Belaubung   5 10 15 20 25 30 35 40 45 50 55 60"},
    };
    for (const Case& c : cases) EXPECT_EQ(foliageLine(c.foliage), c.line);
}

TEST(Generators, PlacementOfPlainSurfaces) {
    struct Case {
        double a, e;
        Vec3 p;
        UV corner;
        const char* vertex;
    };
    const Case cases[] = {
        {180, 0, {1, 2, 3}, {4, 5}, "5.000000 2.000000 8.000000"},     // facing south, u toward +x
        {90, 0, {1, 2, 3}, {4, 5}, "1.000000 6.000000 8.000000"},      // facing east, u toward north
        {0, 0, {1, 2, 3}, {4, 5}, "-3.000000 2.000000 8.000000"},      // facing north, u toward -x
        {270, 0, {0, 0, 0}, {4, 5}, "0.000000 -4.000000 5.000000"},    // facing west, u toward south
        {180, 90, {0, 0, 0}, {4, 5}, "4.000000 5.000000 0.000000"},    // horizontal, v toward north
        {180, -90, {0, 0, 0}, {4, 5}, "4.000000 -5.000000 0.000000"},  // facing the ground
        {180, 0, {1234.5, 0, 0}, {0, 0}, "1234.500000 0.000000 0.000000"},  // wider than the field
    };
    for (const Case& c : cases) {
        const auto v = placeCorners({c.corner}, {c.a, c.e, c.p});
        EXPECT_EQ(vertexLine(v[0]), c.vertex) << "a=" << c.a << " e=" << c.e;
    }
}

TEST(Generators, CornersEnteredCounterClockwiseFaceTheAzimuth) {
    // Newell's normal of the placed vertices points where the surface faces.
    for (double a : {0.0, 45.0, 90.0, 180.0, 300.0}) {
        const auto v = placeCorners(rectangleCorners(2, 1, 0, 0), {a, 0, {}});
        double nx = 0, ny = 0;
        for (std::size_t i = 0; i < v.size(); ++i) {
            const Vec3& p = v[i];
            const Vec3& q = v[(i + 1) % v.size()];
            nx += p.y * q.z - p.z * q.y;
            ny += p.z * q.x - p.x * q.z;
        }
        const double az = std::atan2(nx, ny) * kDegreesPerRadian;
        EXPECT_NEAR(std::remainder(az - a, 360.0), 0.0, 1e-9) << a;
    }
}

TEST(Generators, OverhangWithoutDifferencesLiesInTheTargetPlane) {
    const Placement target{180, 45, {12, 12, 5}};
    Overhang o;
    o.name = "Blende";
    o.targetNumber = 1;
    o.corners = {{1, 3}, {3, 3}, {3, 4}, {1, 4}};
    const auto placed = placeOverhang(o, target);
    const auto expected = placeCorners(o.corners, target);
    ASSERT_EQ(placed.size(), expected.size());
    for (std::size_t i = 0; i < placed.size(); ++i) EXPECT_EQ(vertexLine(placed[i]), vertexLine(expected[i]));
}

TEST(Generators, OverhangOnSouthWallStandsOutSouthward) {
    const Placement wall{180, 0, {0, 0, 0}};
    Overhang o;
    o.name = "Vordach";
    o.targetNumber = 2;
    o.corners = {{1, 2.5}, {3, 2.5}, {3, 3.5}, {1, 3.5}};
    o.elevationDifference = -90;
    o.formU = 1;
    o.formV = 2.5;
    const Lines expected = {
        "$#2Vordach",
        "4",
        "# 1.000000 0.000000 2.500000",
        "# 3.000000 0.000000 2.500000",
        "# 3.000000 0.000000 3.500000",
        "# 1.000000 0.000000 3.500000",
        "# 0.000  -90.000  1.000  2.500  0.000",
        "1.000000 0.000000 2.500000",
        "3.000000 0.000000 2.500000",
        "3.000000 -1.000000 2.500000",
        "1.000000 -1.000000 2.500000",
    };
    EXPECT_EQ(generateOverhang(o, wall), expected);
}

TEST(Generators, OverhangSideFinTurnsAboutItsFirstCorner) {
    // A fin turned by 90 degrees about the vertical through its first corner.
    const Placement wall{180, 0, {10, 20, 0}};
    Overhang o;
    o.targetNumber = 1;
    o.name = "Fin";
    o.corners = {{2, 0}, {3, 0}, {3, 2}, {2, 2}};
    o.azimuthDifference = 90;
    const auto v = placeOverhang(o, wall);
    EXPECT_EQ(vertexLine(v[0]), "12.000000 20.000000 0.000000");
    EXPECT_EQ(vertexLine(v[1]), "12.000000 19.000000 0.000000");
    EXPECT_EQ(vertexLine(v[2]), "12.000000 19.000000 2.000000");
}

TEST(Generators, OverhangNameLines) {
    EXPECT_EQ(overhangNameLine(1, "Vordach"), "$#1Vordach");
    EXPECT_EQ(overhangNameLine(12, ""), "$#12");
    struct Case {
        const char* line;
        int number;
    };
    const Case cases[] = {{"$#1Vordach", 1}, {"$#12", 12}, {"$#0x", 0}, {"$#Vordach", -1},
                          {"Vordach", -1},   {"$", -1},    {"$#99999999999", -1}};
    for (const Case& c : cases) EXPECT_EQ(overhangTargetNumber(c.line), c.number) << c.line;
    EXPECT_EQ(stripOverhangPrefix("$#12Vordach"), "Vordach");
    EXPECT_EQ(stripOverhangPrefix("Vordach"), "Vordach");
}

TEST(Generators, ReadLineNumbersSkipsHashAndBlanks) {
    struct Case {
        const char* line;
        std::size_t count;
        std::optional<std::vector<double>> numbers;
    };
    const Case cases[] = {
        {"# 180.000  45.000  12.000  12.000  5.000", 5, std::vector<double>{180, 45, 12, 12, 5}},
        {"#  13.000    5.000     #Haus: x", 2, std::vector<double>{13, 5}},
        {"   1 2 3   ", 3, std::vector<double>{1, 2, 3}},
        {"# 1 2", 3, std::nullopt},
        {"# 1 x 3", 3, std::nullopt},
        {"", 1, std::nullopt},
        {"#", 1, std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(readLineNumbers(c.line, c.count), c.numbers) << c.line;
}

TEST(Generators, PanelNumbersKeepEveryStoredDigit) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {{180, "180"}, {-0.0, "0"}, {0.000001, "0.000001"}, {12345.678, "12345.678"},
                          {-3.25, "-3.25"}};
    for (const Case& c : cases) EXPECT_EQ(panelNumber(c.value), c.text);
}

}  // namespace
}  // namespace penumbro
