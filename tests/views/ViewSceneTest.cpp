#include "views/ViewScene.h"

#include "ViewSamples.h"
#include "project/InputError.h"
#include "support/Refusal.h"
#include "support/SampleProjects.h"

#include <gtest/gtest.h>

namespace penumbro {
namespace {

using namespace testing;

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

// A text with the grammar but not the editor's layout is refused where the layout breaks.
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

}  // namespace
}  // namespace penumbro
