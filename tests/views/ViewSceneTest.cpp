#include "views/ViewScene.h"

#include "ViewSamples.h"
#include "project/InputError.h"
#include "support/Refusal.h"
#include "support/SampleProjects.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

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

// A plain surface without the editor's "#" lines is drawn from its vertices: the
// placement is its normal's (facing the side its corners turn counter-clockwise on),
// the corners lie in its plane with u horizontal and v up the slope.
TEST(ViewScene, SurfacesWithoutLocalLinesAreDrawnFromTheirVertices) {
    const double r = std::sqrt(0.5);
    const struct {
        const char* what;
        std::vector<std::string> vertices;
        double azimuth, elevation;
        std::vector<PointUV> local;
    } cases[] = {
        {"south wall", {"0 0 0", "2 0 0", "2 0 1", "0 0 1"}, 180, 0, {{0, 0}, {2, 0}, {2, 1}, {0, 1}}},
        {"north wall", {"2 0 0", "0 0 0", "0 0 1", "2 0 1"}, 0, 0, {{0, 0}, {2, 0}, {2, 1}, {0, 1}}},
        {"east roof at 45 degrees", {"0 0 1", "1 0 0", "1 1 0", "0 1 1"}, 90, 45,
         {{0, 0}, {0, -std::sqrt(2.0)}, {1, -std::sqrt(2.0)}, {1, 0}}},  // from the ridge down
        {"flat triangle", {"0 0 0", "3 0 0", "0 4 0"}, 0, 90, {{0, 0}, {3, 0}, {0, 4}}},
        {"south-west wall", {"0 0 0", "1 -1 0", "1 -1 2"}, 225, 0, {{0, 0}, {2 * r, 0}, {2 * r, 2}}},
    };
    for (const auto& c : cases) {
        Lines with = project({plainSurface("W", false, "# 1 1 1 1 1", c.vertices)});
        // Without the local lines and the placement line, and with one "#" line among the vertices.
        with.erase(with.begin() + 4, with.begin() + 4 + static_cast<std::ptrdiff_t>(c.vertices.size()) + 1);
        with.insert(with.begin() + 5, "# 0 0 0");
        const ViewObject o = readViewScene(with, "p.dat").objects.at(0);
        EXPECT_NEAR(o.azimuth, c.azimuth, 1e-9) << c.what;
        EXPECT_NEAR(o.elevation, c.elevation, 1e-9) << c.what;
        ASSERT_EQ(o.local.size(), c.local.size()) << c.what;
        for (std::size_t k = 0; k < c.local.size(); ++k) {
            EXPECT_NEAR(o.local[k].u, c.local[k].u, 1e-9) << c.what << " corner " << k;
            EXPECT_NEAR(o.local[k].v, c.local[k].v, 1e-9) << c.what << " corner " << k;
        }
    }
}

// A text with the grammar but not the editor's layout is refused where the layout breaks.
TEST(ViewScene, TextsOutsideTheEditorsLayoutNameTheLine) {
    Lines noTreeParameters = project({objectBlock(true, "#")}, 7);
    noTreeParameters.erase(noTreeParameters.begin() + 4);
    Lines noHouseParameters = project({workedHouse()});
    noHouseParameters.erase(noHouseParameters.begin() + 3);
    Lines hugeLocal = collectorProject();
    hugeLocal[6] = "# 1 0 2e9";
    Lines hugeName = project({objectBlock(false, "# 1 1 1 1 1 1 1 1     #Haus: 5e99")});
    const std::tuple<const char*, Lines, int> cases[] = {
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
