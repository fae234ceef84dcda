#include "views/PreviewScene.h"

#include "ViewSamples.h"
#include "project/Numbers.h"
#include "support/SampleProjects.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace penumbro {
namespace {

using namespace testing;

bool insidePolygon(const std::vector<PointUV>& poly, double u, double v) {
    bool inside = false;
    for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++)
        if ((poly[i].v > v) != (poly[j].v > v) &&
            u < (poly[j].u - poly[i].u) * (v - poly[i].v) / (poly[j].v - poly[i].v) + poly[i].u)
            inside = !inside;
    return inside;
}

bool insideTriangle(const std::vector<PointUV>& corners, const std::array<int, 3>& t, double u, double v) {
    double sides[3];
    for (std::size_t k = 0; k < 3; ++k) {
        const PointUV &p = corners[static_cast<std::size_t>(t[k])], &q = corners[static_cast<std::size_t>(t[(k + 1) % 3])];
        sides[k] = (q.u - p.u) * (v - p.v) - (q.v - p.v) * (u - p.u);
    }
    return (sides[0] > 0 && sides[1] > 0 && sides[2] > 0) || (sides[0] < 0 && sides[1] < 0 && sides[2] < 0);
}

// The triangles cover the polygon and nothing outside it; for a convex polygon every
// diagonal is usable and the triangles overlap. Clockwise or degenerate polygons get
// none; a triangle is all edges. Count 0: not counted.
TEST(Diagonalentest, FillsThePolygonAndNothingOutsideIt) {
    const std::tuple<const char*, std::vector<PointUV>, std::size_t> shapes[] = {
        {"square", {{0, 0}, {2, 0}, {2, 2}, {0, 2}}, 4},
        {"hexagon", {{2, 0}, {4, 1}, {4, 3}, {2, 4}, {0, 3}, {0, 1}}, 20},
        {"L", {{0, 0}, {2, 0}, {2, 1}, {1, 1}, {1, 2}, {0, 2}}, 7},
        {"U", {{0, 0}, {3, 0}, {3, 3}, {2, 3}, {2, 1}, {1, 1}, {1, 3}, {0, 3}}, 0},
        {"arrow", {{0, 0}, {4, 2}, {0, 4}, {1, 2}}, 2},
        {"triangle", {{0, 0}, {0, 2}, {2, 0}}, 1},
    };
    for (const auto& [name, corners, count] : shapes) {
        const auto triangles = Diagonalentest(corners);
        EXPECT_TRUE(count == 0 || triangles.size() == count) << name;
        // Irregular steps keep the samples off edges and diagonals.
        for (double u = -0.4321; u < 4.5; u += 0.0987)
            for (double v = -0.4123; v < 4.5; v += 0.1013) {
                const bool covered = std::any_of(triangles.begin(), triangles.end(),
                                                 [&](const auto& t) { return insideTriangle(corners, t, u, v); });
                ASSERT_EQ(covered, insidePolygon(corners, u, v)) << name << " at " << u << ", " << v;
            }
    }
    EXPECT_TRUE(Diagonalentest({{0, 0}, {0, 2}, {2, 2}, {2, 0}}).empty() && Diagonalentest({{0, 0}, {1, 0}}).empty());
}

// A plain surface with its corners in its own (u, v) plane as local lines.
Lines surface(const std::string& name, bool target, const std::vector<PointUV>& uv, double elevation,
              const std::vector<std::array<double, 3>>& vertices) {
    const auto line = [](double x, double y, double z) {
        return formatFixed(x, 0, 6) + " " + formatFixed(y, 0, 6) + " " + formatFixed(z, 0, 6);
    };
    std::vector<std::string> world;
    for (const auto& v : vertices) world.push_back(line(v[0], v[1], v[2]));
    Lines l = plainSurface(name, target, "# 180.000  " + formatFixed(elevation, 0, 3) + "  0 0 0", world);
    for (std::size_t k = 0; k < uv.size(); ++k) l[l.size() - 2 * uv.size() - 1 + k] = "# " + line(uv[k].u, 0, uv[k].v);
    return l;
}

// Target, L-shaped roof, worked house, tree (h 4, d 0.4, D 3, foot (2, -3, 0.5)), wall.
Lines sampleProject(const Lines& horizon = {}) {
    const std::vector<PointUV> l = {{0, 0}, {2, 0}, {2, 1}, {1, 1}, {1, 2}, {0, 2}};
    std::vector<std::array<double, 3>> roof;
    for (const auto& p : l) roof.push_back({p.u, 0.7 * p.v, 0.7 * p.v});
    return project({surface("Kollektor", true, {{0, 0}, {4, 0}, {4, 3}, {0, 3}}, 45,
                            {{12, 12, 5}, {16, 12, 5}, {16, 14.12132, 7.12132}, {12, 14.12132, 7.12132}}),
                    surface("Dach", false, l, 45, roof), workedHouse(),
                    objectBlock(true, "#   4.000    0.400    3.000    2.000   -3.000    0.500     #Baum: Linde"),
                    surface("Mauer", false, {{0, 0}, {2, 0}, {2, 1}, {0, 1}}, 0,
                            {{0, -3, 0}, {2, -3, 0}, {2, -3, 1}, {0, -3, 1}})},
                   17, horizon);
}

std::vector<const PreviewPrimitive*> ofObject(const PreviewScene& scene, int object) {
    std::vector<const PreviewPrimitive*> result;
    for (const auto& p : scene.primitives)
        if (p.object == object) result.push_back(&p);
    return result;
}

void expectVertex(const PreviewVertex& v, double x, double y, double z) {
    EXPECT_LE(std::max({std::fabs(v.x - x), std::fabs(v.y - y), std::fabs(v.z - z)}), 1e-4) << v.x << " " << v.y << " " << v.z;
}

TEST(PreviewScene, OnlyTheHighlightedObjectIsYellow) {
    for (int highlighted = 0; highlighted <= 6; ++highlighted)
        for (const PreviewPrimitive& p : buildPreviewScene(sampleProject(), highlighted, false).primitives)
            EXPECT_EQ(p.colour == kPreviewHighlight, p.object == highlighted) << p.object << " " << highlighted;
}

TEST(PreviewScene, PlainSurfacesAreFilledInTheirOwnPlaneAndOutlinedInViewAxes) {
    const PreviewScene scene = buildPreviewScene(sampleProject(), 0, false);
    const auto collector = ofObject(scene, 1);
    ASSERT_EQ(collector.size(), 5u);  // four overlapping triangles of the convex rectangle, outline
    EXPECT_EQ(collector.back()->kind, PrimitiveKind::LineLoop);
    expectVertex(collector.back()->vertices[0], 12, 5, -12);
    expectVertex(collector.back()->vertices[2], 16, 7.12132, -14.12132);
    // The L-shaped roof: seven triangles, none joining the notch corners 2 and 4.
    const auto roof = ofObject(scene, 2);
    ASSERT_EQ(roof.size(), 8u);
    const auto same = [](const PreviewVertex& a, const PreviewVertex& b) { return a.x == b.x && a.y == b.y && a.z == b.z; };
    for (std::size_t i = 0; i + 1 < roof.size(); ++i) {
        int hits = 0;
        for (const auto& v : roof[i]->vertices) hits += same(v, roof.back()->vertices[2]) + same(v, roof.back()->vertices[4]);
        EXPECT_LT(hits, 2) << "triangle " << i;
    }
}

TEST(PreviewScene, HouseFromItsParameterLine) {
    // B = 13, A = 5, H = 7, R = 3, turned by 90 degrees, shifted by (4, 5, 0).
    const PreviewScene scene = buildPreviewScene(sampleProject(), 0, false);
    const auto h = ofObject(scene, 3);
    ASSERT_EQ(h.size(), 9u);
    for (std::size_t i = 0; i < h.size(); ++i)
        EXPECT_EQ(h[i]->kind, i == 5 || i == 6 ? PrimitiveKind::Triangle : PrimitiveKind::Quad) << i;
    // Floor: corner (4, 5, 0) of the project, A runs south (project -y), B east; the front
    // and back gable apexes, and the ridge end of the first roof plane.
    const std::tuple<std::size_t, std::size_t, double, double, double> corners[] = {
        {0, 0, 4, 0, -5}, {0, 1, 4, 0, 0}, {0, 2, 17, 0, 0}, {5, 2, 4, 10, -2.5}, {6, 2, 17, 10, -2.5}, {7, 2, 17, 10, -2.5}};
    for (const auto& [prim, vertex, x, y, z] : corners) expectVertex(h[prim]->vertices[vertex], x, y, z);
}

TEST(PreviewScene, TreeTrunkPrismAndThreeCrownOctagons) {
    const PreviewScene scene = buildPreviewScene(sampleProject(), 0, false);
    const auto t = ofObject(scene, 4);
    ASSERT_EQ(t.size(), 11u);
    for (std::size_t k = 0; k < 8; ++k) {
        ASSERT_EQ(t[k]->kind, PrimitiveKind::Quad);
        for (std::size_t v = 0; v < 4; ++v) EXPECT_FLOAT_EQ(t[k]->vertices[v].y, v == 1 || v == 2 ? 4.5f : 0.5f);
    }
    for (std::size_t k = 8; k < 11; ++k) EXPECT_EQ(t[k]->vertices.size(), 8u);
    // Trunk radius 0.2, the prism closing; crown centre (2, 0.5 + 4 + 1.5, 3), corner
    // radius 1.5: horizontal, X-Y plane, Y-Z plane with its first corner at +Y.
    const double diag = 0.2 / std::sqrt(2.0);
    const std::tuple<std::size_t, std::size_t, double, double, double> corners[] = {
        {0, 0, 2.2, 0.5, 3}, {0, 2, 2 + diag, 4.5, 3 + diag}, {7, 2, 2.2, 4.5, 3},
        {8, 2, 2, 6, 4.5},   {9, 2, 2, 7.5, 3},               {10, 0, 2, 7.5, 3}};
    for (const auto& [prim, vertex, x, y, z] : corners) expectVertex(t[prim]->vertices[vertex], x, y, z);
}

TEST(PreviewScene, GroundPlateAndHorizonScaleWithTheExtent) {
    // Largest coordinate 17, reached by the house: radius 1700. Per horizon entry
    // (shifted by -90 degrees, 90 drawn as 89.9) walls, and ground wedges with the plate.
    const double R = 1700, deg = std::numbers::pi / 180;
    const std::tuple<const char*, std::size_t, double, double, double> cases[] = {
        {"0-90=10", 10, -90, 0, 10}, {"180-185.5=90", 1, 90, 95.5, 89.9}, {"0-360=5", 37, -90, 270, 5}};
    for (const auto& [entry, segments, first, last, height] : cases) {
        for (bool plate : {false, true}) {
            const PreviewScene scene = buildPreviewScene(sampleProject({entry}), 0, plate);
            EXPECT_EQ(scene.primitives.size(), 5 + 9 + 11 + 5 + segments * (plate ? 2 : 1) + 8 + (plate ? 72 : 0));
            if (plate) expectVertex(scene.primitives[2].vertices[0], R * std::cos(10 * deg), 0, R * std::sin(10 * deg));
            const auto wall = std::find_if(scene.primitives.begin(), scene.primitives.end(),
                                           [](const PreviewPrimitive& p) { return p.colour == kPreviewHorizonWall; });
            ASSERT_NE(wall, scene.primitives.end());
            const PreviewPrimitive& end = scene.primitives[scene.primitives.size() - (plate ? 2 : 1)];
            expectVertex(wall->vertices[0], R * std::cos(first * deg), 0, R * std::sin(first * deg));
            EXPECT_NEAR(wall->vertices[1].y, R * std::tan(height * deg), R * std::tan(height * deg) * 1e-6);
            expectVertex(end.vertices[3], R * std::cos(last * deg), 0, R * std::sin(last * deg));
        }
    }
    EXPECT_TRUE(buildPreviewScene(project({}, 0, {"0-90=10"}), 1, true).primitives.empty());  // no surfaces: nothing
}

}  // namespace
}  // namespace penumbro
