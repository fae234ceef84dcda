#include "views/ViewScene.h"

#include "ViewSamples.h"
#include "project/InputError.h"
#include "support/Refusal.h"
#include "support/SampleProjects.h"

#include <gtest/gtest.h>

namespace penumbro {
namespace {

using namespace testing;

TEST(ZahlenZerlegen, SplitsAtBlanksAndKeepsWhatTheLineDoesNotHold) {
    const std::tuple<const char*, std::size_t, LineNumbers> cases[] = {
        {"   -1.5    x   2e1  ", 3, {-1.5, 0, 20, 9, 9, 9, 9, 9, 9, 9}},
        {"12,5 .25 7.", 3, {0, 0.25, 7, 9, 9, 9, 9, 9, 9, 9}},
        {"1 2 3 4 5 6 7 8 9 10 11 12", 10, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
    };
    for (const auto& [line, count, expected] : cases) {
        LineNumbers z;
        z.fill(9);
        EXPECT_EQ(ZahlenZerlegen(line, z), count) << line;
        EXPECT_EQ(z, expected) << line;
    }
}

TEST(ViewScene, ExtentIsTheLargestVertexCoordinateOfEveryKind) {
    const Lines tree = objectBlock(true, "#   3.000    0.500    4.800   -2.000    1.000    0.000     #Baum: x", -7.8, 1);
    const std::tuple<const char*, Lines, double, bool> cases[] = {
        {"no objects", project({}, 0, {"0-350=80"}), 1.0, false},
        {"small surface", project({plainSurface("W", false, "# 999 0 0 0 0", {"0.4 0 0", "-0.3 0.1 0", "0 0 0.2"})}),
         1.0, true},
        {"negative coordinate", project({plainSurface("T", true, "# 0 0 0 0 0", {"1 2 3", "-4.5 0 0", "0 0 1"})}),
         4.5, true},
        {"tree", project({tree}, 7), 7.8, true},
    };
    for (const auto& [what, text, size, hasObjects] : cases) {
        const SceneExtent e = readViewScene(text, "p.dat").extent;
        EXPECT_DOUBLE_EQ(e.size, size) << what;
        EXPECT_EQ(e.hasObjects, hasObjects) << what;
    }
}

// The views read what the editor writes; a text that has the grammar but not the
// editor's layout is refused at the line where the layout breaks.
TEST(ViewScene, TextsOutsideTheEditorsLayoutNameTheLine) {
    Lines noLocal = project({collectorSurface()});
    noLocal.erase(noLocal.begin() + 5, noLocal.begin() + 10);  // the local lines and the placement line
    Lines oneLocalMissing = collectorProject();
    oneLocalMissing.erase(oneLocalMissing.begin() + 6);
    oneLocalMissing.insert(oneLocalMissing.begin() + 10, "# 0 0 0");  // among the vertices
    Lines noTreeParameters = project({objectBlock(true, "#")}, 7);
    noTreeParameters.erase(noTreeParameters.begin() + 4);
    Lines noHouseParameters = project({workedHouse()});
    noHouseParameters.erase(noHouseParameters.begin() + 3);
    Lines hugeLocal = collectorProject();
    hugeLocal[6] = "# 1 0 2e9";
    Lines hugeName = project({objectBlock(false, "# 1 1 1 1 1 1 1 1     #Haus: 5e99")});
    const std::tuple<const char*, Lines, int> cases[] = {
        {"plain surface without local lines", noLocal, 6},
        {"local line among the vertices", oneLocalMissing, 10},
        {"tree without parameter line", noTreeParameters, 5},
        {"house without parameter line", noHouseParameters, 4},
        {"local line beyond any scene", hugeLocal, 7},
        {"horizon line that is no entry", project({}, 0, {"0-90=10", "10-20"}), 5},
        {"horizon spanning ten turns", project({}, 0, {"0-99999=10"}), 4},
    };
    for (const auto& [what, text, line] : cases) {
        const InputError e = refusal([&] { readViewScene(text, "p.dat"); });
        EXPECT_EQ(std::pair(e.file(), e.line()), std::pair(std::string("p.dat"), line)) << what << ": " << e.what();
    }
    // A house named like a number is drawn: its name is no parameter.
    EXPECT_NO_THROW(readViewScene(hugeName, "p.dat"));
}

TEST(ViewScene, HorizonIsTheSectionAfterTheSurfaces) {
    Lines text = project({collectorSurface()}, -1, {"0-90=10", "0-90=89.9"});
    text.insert(text.end() - 4, {"", "180-190=5"});  // after an empty line: no entry
    const ViewScene scene = readViewScene(text, "p.dat");
    ASSERT_EQ(scene.horizon.size(), 2u);
    EXPECT_EQ(std::tuple(scene.horizon[1].from, scene.horizon[1].to, scene.horizon[1].segments), std::tuple(-90, 0, 10));
}

}  // namespace
}  // namespace penumbro
