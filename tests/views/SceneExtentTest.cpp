#include "views/SceneExtent.h"

#include "VrmlTestSupport.h"
#include "editor/generators/HouseGenerator.h"
#include "editor/generators/TreeGenerator.h"
#include "project/InputError.h"

#include <gtest/gtest.h>

namespace penumbro {
namespace {

using namespace vrmltest;

TEST(ZahlenZerlegen, SplitsAtBlanksAndKeepsWhatTheLineDoesNotHold) {
    struct Case {
        const char* line;
        std::size_t count;
        Zahlen expected;
    };
    const Case cases[] = {
        {"1 2 3", 3, {1, 2, 3, 9, 9, 9, 9, 9, 9, 9}},
        {"   -1.5    x   2e1  ", 3, {-1.5, 0, 20, 9, 9, 9, 9, 9, 9, 9}},
        {"", 0, {9, 9, 9, 9, 9, 9, 9, 9, 9, 9}},
        {"     ", 0, {9, 9, 9, 9, 9, 9, 9, 9, 9, 9}},
        {"12,5 .25 7.", 3, {0, 0.25, 7, 9, 9, 9, 9, 9, 9, 9}},
        {"1 2 3 4 5 6 7 8 9 10 11 12", 10, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {" 180.000  45.000  12.000  12.000  5.000", 5, {180, 45, 12, 12, 5, 9, 9, 9, 9, 9}},
    };
    for (const auto& c : cases) {
        Zahlen z;
        z.fill(9);
        EXPECT_EQ(ZahlenZerlegen(c.line, z), c.count) << c.line;
        EXPECT_EQ(z, c.expected) << c.line;
    }
}

TEST(SzenenAusdehnung, LargestCoordinateOfEveryObjectKind) {
    Tree tree;
    tree.trunkHeight = 3;
    tree.trunkDiameter = 0.5;
    tree.crownDiameter = 4.8;
    tree.foot = {-2, 1, 0};  // crown top at 7.8
    House house;
    house.ewWidth = 13;
    house.nsWidth = 5;
    house.height = 7;
    house.roof = 3;
    house.rotation = 90;
    house.shift = {4, 5, 0};  // reaches x = 17
    struct Case {
        const char* what;
        int surfaces;
        Lines objects;
        Lines horizon;
        SceneExtent expected;
    };
    const Case cases[] = {
        {"no objects", 0, {}, {}, {1.0, false}},
        {"negative count", -2, {}, {}, {1.0, false}},
        {"small surface", 1,
         flaeche("W", false, "# 0 0 0 0 0", {"0.4 0 0", "-0.3 0.1 0", "0 0 0.2"}), {}, {1.0, true}},
        {"target with negative coordinate", 1,
         flaeche("T", true, "# 0 0 0 0 0", {"1 2 3", "-4.5 0 0", "0 0 1"}), {}, {4.5, true}},
        {"local and placement lines do not count", 1,
         flaeche("W", false, "# 999 999 999 999 999", {"1 1 1", "2 2 2", "3 3 3"}), {}, {3, true}},
        {"horizon does not count", 1,
         flaeche("W", false, "# 0 0 0 0 0", {"1 1 1", "2 2 2", "3 3 3"}), {"0-350=80"}, {3, true}},
        {"tree", 7, generateTree(tree), {}, {7.8, true}},
        {"house", 7, generateHouse(house), {}, {17, true}},
        {"worked house lines", 7, beispielHaus(), {}, {17, true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const SceneExtent e = SzenenAusdehnung(projekt(c.surfaces, c.objects, c.horizon), "p.dat");
        EXPECT_NEAR(e.ausdehnung, c.expected.ausdehnung, 1e-9);
        EXPECT_EQ(e.hatObjekte, c.expected.hatObjekte);
    }
}

TEST(SzenenAusdehnung, ObjectsAfterTreesAndHousesAreReadInStep) {
    Tree tree;
    tree.trunkHeight = 1;
    tree.trunkDiameter = 1;
    tree.crownDiameter = 2.4;
    Lines objects = generateTree(tree);
    const Lines wall = flaeche("Wand", false, "# 0 0 0 0 0", {"0 0 0", "0 -21 0", "0 0 1"});
    objects.insert(objects.end(), wall.begin(), wall.end());
    const Lines house = beispielHaus();
    objects.insert(objects.end(), house.begin(), house.end());
    const Lines target = flaeche("T", true, "# 0 0 0 0 0", {"0 0 0", "0 0 -30", "1 0 0"});
    objects.insert(objects.end(), target.begin(), target.end());
    EXPECT_DOUBLE_EQ(SzenenAusdehnung(projekt(16, objects)).ausdehnung, 30);
    // Counting only the tree and the wall stops before the house and the target.
    EXPECT_DOUBLE_EQ(SzenenAusdehnung(projekt(8, objects)).ausdehnung, 21);
}

TEST(SzenenAusdehnung, MalformedTextNamesFileAndLine) {
    struct Case {
        Lines text;
        int line;
    };
    Lines badVertex = projekt(1, flaeche("W", false, "# 0 0 0 0 0", {"1 1 1", "2 2 2", "3 3 3"}));
    badVertex[3] = "3x";
    Lines negative = badVertex;
    negative[3] = "-1";
    const Case cases[] = {
        {{"* a", "* b", "eins"}, 3},
        {{"", "1"}, 1},
        {badVertex, 4},
        {negative, 4},
        {{"* a", "2", "W", "3", "#", "#", "#", "#", "1 1 1", "2 2 2", "3 3 3"}, 11},
        {{"* a", "1", "Baum", "Belaubung", "# 1 1 1", "8", "0 0 0"}, 7},
    };
    for (const auto& c : cases) {
        try {
            SzenenAusdehnung(c.text, "Haus.dat");
            ADD_FAILURE() << "no error, expected line " << c.line;
        } catch (const InputError& e) {
            EXPECT_EQ(e.file(), "Haus.dat");
            EXPECT_EQ(e.line(), c.line) << e.what();
        }
    }
}

}  // namespace
}  // namespace penumbro
