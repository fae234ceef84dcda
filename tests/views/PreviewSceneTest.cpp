#include "views/PreviewScene.h"

#include "ViewSamples.h"
#include "project/Numbers.h"
#include "support/SampleProjects.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <numbers>

namespace penumbro {
namespace {

constexpr double kDeg = std::numbers::pi / 180.0;

bool insidePolygon(const std::vector<PointUV>& poly, double u, double v) {
    bool inside = false;
    for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++)
        if ((poly[i].v > v) != (poly[j].v > v) &&
            u < (poly[j].u - poly[i].u) * (v - poly[i].v) / (poly[j].v - poly[i].v) + poly[i].u)
            inside = !inside;
    return inside;
}

bool insideTriangle(const PointUV& a, const PointUV& b, const PointUV& c, double u, double v) {
    const auto side = [&](const PointUV& p, const PointUV& q) { return (q.u - p.u) * (v - p.v) - (q.v - p.v) * (u - p.u); };
    const double s1 = side(a, b), s2 = side(b, c), s3 = side(c, a);
    return (s1 > 0 && s2 > 0 && s3 > 0) || (s1 < 0 && s2 < 0 && s3 < 0);
}

// The triangles cover the polygon and nothing outside it; for a convex polygon every
// diagonal is usable and the triangles overlap. 0: not counted.
TEST(Diagonalentest, FillsThePolygonAndNothingOutsideIt) {
    const std::tuple<const char*, std::vector<PointUV>, std::size_t> shapes[] = {
        {"square", {{0, 0}, {2, 0}, {2, 2}, {0, 2}}, 4},
        {"hexagon", {{2, 0}, {4, 1}, {4, 3}, {2, 4}, {0, 3}, {0, 1}}, 20},
        {"L", {{0, 0}, {2, 0}, {2, 1}, {1, 1}, {1, 2}, {0, 2}}, 7},
        {"U", {{0, 0}, {3, 0}, {3, 3}, {2, 3}, {2, 1}, {1, 1}, {1, 3}, {0, 3}}, 0},
        {"arrow", {{0, 0}, {4, 2}, {0, 4}, {1, 2}}, 2},
    };
    for (const auto& [name, corners, count] : shapes) {
        const auto triangles = Diagonalentest(corners);
        EXPECT_TRUE(count == 0 || triangles.size() == count) << name;
        // Irregular steps keep the samples off edges and diagonals.
        for (double u = -0.4321; u < 4.5; u += 0.0987) {
            for (double v = -0.4123; v < 4.5; v += 0.1013) {
                bool covered = false;
                for (const auto& t : triangles)
                    covered = covered || insideTriangle(corners[static_cast<std::size_t>(t[0])], corners[static_cast<std::size_t>(t[1])],
                                                        corners[static_cast<std::size_t>(t[2])], u, v);
                ASSERT_EQ(covered, insidePolygon(corners, u, v)) << name << " at " << u << ", " << v;
            }
        }
    }
    // Clockwise or degenerate polygons get no diagonals; a triangle is all edges.
    EXPECT_TRUE(Diagonalentest({{0, 0}, {0, 2}, {2, 2}, {2, 0}}).empty());
    EXPECT_TRUE(Diagonalentest({{0, 0}, {1, 0}}).empty());
    EXPECT_EQ(Diagonalentest({{0, 0}, {0, 2}, {2, 0}}).size(), 1u);
}

// ---------------------------------------------------------------- scene

using namespace testing;

std::string vertexLine(double x, double y, double z) {
    return formatFixed(x, 0, 6) + " " + formatFixed(y, 0, 6) + " " + formatFixed(z, 0, 6);
}

// A plain surface with its corners in its own (u, v) plane as local lines.
Lines surface(const std::string& name, bool target, const std::vector<PointUV>& uv, double elevation,
              const std::vector<std::array<double, 3>>& vertices) {
    std::vector<std::string> world;
    for (const auto& v : vertices) world.push_back(vertexLine(v[0], v[1], v[2]));
    Lines l = plainSurface(name, target, "# 180.000  " + formatFixed(elevation, 0, 3) + "  0 0 0", world);
    for (std::size_t k = 0; k < uv.size(); ++k) l[l.size() - 2 * uv.size() - 1 + k] = "# " + vertexLine(uv[k].u, 0, uv[k].v);
    return l;
}

// Kollektor (target), an L-shaped roof at 45 degrees, the worked house, a tree (h 4,
// d 0.4, D 3, foot (2, -3, 0.5)) and a vertical wall: five objects, 17 surfaces.
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
    EXPECT_NEAR(v.x, x, 1e-4);
    EXPECT_NEAR(v.y, y, 1e-4);
    EXPECT_NEAR(v.z, z, 1e-4);
}

TEST(PreviewScene, EveryObjectHasItsColourAndOnlyTheHighlightedOneIsYellow) {
    const std::map<int, std::vector<PreviewColour>> colours = {
        {1, {kPreviewTarget}}, {2, {kPreviewDarkRed}}, {3, {kPreviewHouse, kPreviewRoof}},
        {4, {kPreviewTrunk, kPreviewCrown}}, {5, {kPreviewGrey}}};
    for (int highlighted = 0; highlighted <= 6; ++highlighted) {
        const PreviewScene scene = buildPreviewScene(sampleProject(), highlighted, false);
        for (const auto& [object, expected] : colours) {
            const auto prims = ofObject(scene, object);
            ASSERT_FALSE(prims.empty()) << object;
            for (const PreviewPrimitive* p : prims) {
                const bool ok = object == highlighted ? p->colour == kPreviewHighlight
                                                      : std::count(expected.begin(), expected.end(), p->colour) > 0;
                EXPECT_TRUE(ok) << "object " << object << ", highlighted " << highlighted;
            }
        }
    }
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
    for (std::size_t i = 0; i < h.size(); ++i) {
        EXPECT_EQ(h[i]->kind, i == 5 || i == 6 ? PrimitiveKind::Triangle : PrimitiveKind::Quad) << i;
        EXPECT_EQ(h[i]->colour, i < 7 ? kPreviewHouse : kPreviewRoof) << i;
    }
    // Floor: corner (4, 5, 0) of the project, A runs south (project -y), B east.
    expectVertex(h[0]->vertices[0], 4, 0, -5);
    expectVertex(h[0]->vertices[1], 4, 0, 0);
    expectVertex(h[0]->vertices[2], 17, 0, 0);
    expectVertex(h[5]->vertices[2], 4, 10, -2.5);  // front gable apex
    expectVertex(h[6]->vertices[2], 17, 10, -2.5);  // back gable apex
    expectVertex(h[7]->vertices[2], 17, 10, -2.5);  // ridge end of the first roof plane
}

TEST(PreviewScene, TreeTrunkPrismAndThreeCrownOctagons) {
    const PreviewScene scene = buildPreviewScene(sampleProject(), 0, false);
    const auto t = ofObject(scene, 4);
    ASSERT_EQ(t.size(), 11u);
    const double r = 0.2, diag = 0.2 / std::sqrt(2.0);
    for (std::size_t k = 0; k < 8; ++k) {
        ASSERT_EQ(t[k]->kind, PrimitiveKind::Quad);
        for (std::size_t v = 0; v < 4; ++v) EXPECT_FLOAT_EQ(t[k]->vertices[v].y, v == 1 || v == 2 ? 4.5f : 0.5f);
    }
    expectVertex(t[0]->vertices[0], 2 + r, 0.5, 3);
    expectVertex(t[0]->vertices[2], 2 + diag, 4.5, 3 + diag);
    expectVertex(t[7]->vertices[2], 2 + r, 4.5, 3);  // the prism closes
    // Crown centre (2, 0.5 + 4 + 1.5, 3), corner radius 1.5.
    for (std::size_t k = 8; k < 11; ++k) EXPECT_EQ(t[k]->vertices.size(), 8u);
    expectVertex(t[8]->vertices[2], 2, 6, 4.5);   // horizontal
    expectVertex(t[9]->vertices[2], 2, 7.5, 3);   // X-Y plane
    expectVertex(t[10]->vertices[0], 2, 7.5, 3);  // Y-Z plane, first corner at +Y
}

TEST(PreviewScene, GroundPlateAndHorizonScaleWithTheExtent) {
    // Largest coordinate 17, reached by the house: radius 1700. Per horizon entry
    // (shifted by -90 degrees, 90 drawn as 89.9) walls, and ground wedges with the plate.
    const double R = 1700;
    struct Case {
        const char* entry;
        std::size_t segments;
        double first, last, height;
    };
    const Case cases[] = {{"0-90=10", 10, -90, 0, 10}, {"180-185.5=90", 1, 90, 95.5, 89.9}, {"0-360=5", 37, -90, 270, 5}};
    for (const Case& c : cases) {
        for (bool plate : {false, true}) {
            const PreviewScene scene = buildPreviewScene(sampleProject({c.entry}), 0, plate);
            EXPECT_EQ(scene.primitives.size(), 5 + 9 + 11 + 5 + c.segments * (plate ? 2 : 1) + 8 + (plate ? 72 : 0));
            if (plate) expectVertex(scene.primitives[2].vertices[0], R * std::cos(10 * kDeg), 0, R * std::sin(10 * kDeg));
            const auto wall = std::find_if(scene.primitives.begin(), scene.primitives.end(),
                                           [](const PreviewPrimitive& p) { return p.colour == kPreviewHorizonWall; });
            ASSERT_NE(wall, scene.primitives.end());
            const PreviewPrimitive& last = scene.primitives[scene.primitives.size() - (plate ? 2 : 1)];
            expectVertex(wall->vertices[0], R * std::cos(c.first * kDeg), 0, R * std::sin(c.first * kDeg));
            EXPECT_NEAR(wall->vertices[1].y, R * std::tan(c.height * kDeg), R * std::tan(c.height * kDeg) * 1e-6);
            expectVertex(last.vertices[3], R * std::cos(c.last * kDeg), 0, R * std::sin(c.last * kDeg));
        }
    }
}

TEST(PreviewScene, ProjectWithoutSurfacesDrawsNothing) {
    const PreviewScene scene = buildPreviewScene(project({}, 0, {"0-90=10"}), 1, true);
    EXPECT_FALSE(scene.extent.hasObjects);
    EXPECT_TRUE(scene.primitives.empty());
}

}  // namespace
}  // namespace penumbro
