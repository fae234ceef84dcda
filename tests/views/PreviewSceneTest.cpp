#include "views/PreviewScene.h"

#include "project/InputError.h"
#include "project/Numbers.h"
#include "views/Diagonalentest.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <numbers>

namespace penumbro {
namespace {

constexpr double kDeg = std::numbers::pi / 180.0;

// ---------------------------------------------------------------- Diagonalentest

bool insidePolygon(const std::vector<PointUV>& poly, double u, double v) {
    bool inside = false;
    for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        if ((poly[i].v > v) != (poly[j].v > v) &&
            u < (poly[j].u - poly[i].u) * (v - poly[i].v) / (poly[j].v - poly[i].v) + poly[i].u) {
            inside = !inside;
        }
    }
    return inside;
}

bool insideTriangle(const PointUV& a, const PointUV& b, const PointUV& c, double u, double v) {
    const auto side = [&](const PointUV& p, const PointUV& q) {
        return (q.u - p.u) * (v - p.v) - (q.v - p.v) * (u - p.u);
    };
    const double s1 = side(a, b), s2 = side(b, c), s3 = side(c, a);
    return (s1 > 0 && s2 > 0 && s3 > 0) || (s1 < 0 && s2 < 0 && s3 < 0);
}

struct Shape {
    const char* name;
    std::vector<PointUV> corners;  // counter-clockwise
    std::size_t triangles;
};

const std::vector<Shape>& shapes() {
    static const std::vector<Shape> all = {
        {"triangle", {{0, 0}, {3, 0}, {0, 2}}, 1},
        // Every diagonal of a convex polygon is usable: the triangles overlap.
        {"square", {{0, 0}, {2, 0}, {2, 2}, {0, 2}}, 4},
        {"hexagon", {{2, 0}, {4, 1}, {4, 3}, {2, 4}, {0, 3}, {0, 1}}, 20},
        {"L", {{0, 0}, {2, 0}, {2, 1}, {1, 1}, {1, 2}, {0, 2}}, 7},
        {"U", {{0, 0}, {3, 0}, {3, 3}, {2, 3}, {2, 1}, {1, 1}, {1, 3}, {0, 3}}, 0},
        {"arrow", {{0, 0}, {4, 2}, {0, 4}, {1, 2}}, 2},
    };
    return all;
}

TEST(Diagonalentest, FillsThePolygonAndNothingOutsideIt) {
    for (const Shape& s : shapes()) {
        SCOPED_TRACE(s.name);
        const auto triangles = Diagonalentest(s.corners);
        if (s.triangles) {
            EXPECT_EQ(triangles.size(), s.triangles);
        }
        for (const auto& t : triangles) {
            EXPECT_LT(t[0], t[1]);
            EXPECT_LT(t[1], t[2]);
        }
        // Irregular steps keep the samples off edges and diagonals.
        for (double u = -0.4321; u < 4.5; u += 0.0987) {
            for (double v = -0.4123; v < 4.5; v += 0.1013) {
                bool covered = false;
                for (const auto& t : triangles) {
                    covered = covered || insideTriangle(s.corners[static_cast<std::size_t>(t[0])],
                                                        s.corners[static_cast<std::size_t>(t[1])],
                                                        s.corners[static_cast<std::size_t>(t[2])], u, v);
                }
                ASSERT_EQ(covered, insidePolygon(s.corners, u, v)) << "at " << u << ", " << v;
            }
        }
    }
}

TEST(Diagonalentest, ClockwiseOrDegeneratePolygonsGetNoDiagonals) {
    EXPECT_TRUE(Diagonalentest({{0, 0}, {0, 2}, {2, 2}, {2, 0}}).empty());
    EXPECT_TRUE(Diagonalentest({{0, 0}, {1, 0}}).empty());
    // A triangle is all edges, whatever its orientation.
    EXPECT_EQ(Diagonalentest({{0, 0}, {0, 2}, {2, 0}}).size(), 1u);
}

TEST(Diagonalentest, CrossingOnlyStrictlyInsideBothSegments) {
    struct Case {
        const char* name;
        PointUV a, b, c, d;
        bool cross;
    };
    const std::vector<Case> cases = {
        {"X", {0, 0}, {2, 2}, {0, 2}, {2, 0}, true},
        {"shared end point", {0, 0}, {2, 2}, {2, 2}, {3, 0}, false},
        {"T touching", {0, 0}, {2, 0}, {1, 0}, {1, 2}, false},
        {"parallel", {0, 0}, {2, 0}, {0, 1}, {2, 1}, false},
        {"collinear overlap", {0, 0}, {2, 0}, {1, 0}, {3, 0}, false},
        {"apart", {0, 0}, {1, 1}, {3, 0}, {2, 1}, false},
        {"near the end", {0, 0}, {2, 0}, {1.999, -1}, {1.999, 1}, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(schneiden(c.a, c.b, c.c, c.d), c.cross) << c.name;
        EXPECT_EQ(schneiden(c.c, c.d, c.a, c.b), c.cross) << c.name << " swapped";
    }
}

// ---------------------------------------------------------------- project texts

std::string vertexLine(double x, double y, double z) {
    return formatFixed(x, 8, 6) + " " + formatFixed(y, 8, 6) + " " + formatFixed(z, 8, 6);
}

// A plain surface in the editor's layout; vertices in project coordinates.
Lines plainSurface(const std::string& name, bool target, const std::vector<PointUV>& uv,
                   double elevation, const std::vector<std::array<double, 3>>& vertices) {
    Lines l{name};
    if (target) l.push_back("Target");
    l.push_back(std::to_string(uv.size()));
    for (const auto& p : uv) l.push_back("# " + vertexLine(p.u, 0, p.v));
    l.push_back("# " + formatFixed(180, 4, 3) + "  " + formatFixed(elevation, 4, 3) + "  0.000  0.000  0.000");
    for (const auto& v : vertices) l.push_back(vertexLine(v[0], v[1], v[2]));
    return l;
}

// A surface of an object with n vertices all at the foot point.
void addSurface(Lines& l, const std::string& name, int n) {
    if (!name.empty()) l.push_back(name);
    l.push_back(std::to_string(n));
    for (int i = 0; i < n; ++i) l.push_back(vertexLine(1, 1, 0));
}

Lines house(const std::string& parameters) {
    Lines l{"Frontseite", parameters};
    addSurface(l, "", 4);
    for (const char* name : {"R\xFC" "ckseite", "L\xE4ngsseite 1", "L\xE4ngsseite 2"}) addSurface(l, name, 4);
    addSurface(l, "Dach Giebelseite Front", 3);
    for (const char* name : {"Dachl\xE4ngsseite 1", "Dachl\xE4ngsseite 2"}) addSurface(l, name, 4);
    return l;
}

Lines tree(const std::string& parameters) {
    Lines l{"Baum", "Belaubung 100100100100100100100100100100100100", parameters};
    addSurface(l, "", 8);
    for (const char* name : {"Baum1", "Baum2", "Baum3"}) addSurface(l, name, 8);
    for (const char* name : {"Stamm", "Stamm1", "Stamm2"}) addSurface(l, name, 4);
    return l;
}

Lines project(int surfaces, const std::vector<Lines>& objects, const Lines& trailer = {}) {
    Lines l{"* test", std::to_string(surfaces)};
    for (const Lines& o : objects) l.insert(l.end(), o.begin(), o.end());
    l.insert(l.end(), trailer.begin(), trailer.end());
    l.insert(l.end(), {"Standort", "51.0 -8.0 -1.0", "Bodenreflexion", " 40 40 30 20 20 20 20 20 20 20 30 40"});
    return l;
}

const std::vector<PointUV> kLShape = {{0, 0}, {2, 0}, {2, 1}, {1, 1}, {1, 2}, {0, 2}};

// Kollektor (target), an L-shaped roof at 45 degrees, the example house, a tree and a
// vertical wall: five objects, 17 surfaces.
Lines sampleProject(const Lines& trailer = {}) {
    const Lines kollektor = plainSurface(
        "Kollektor", true, {{0, 0}, {4, 0}, {4, 3}, {0, 3}}, 45,
        {{12, 12, 5}, {16, 12, 5}, {16, 14.12132, 7.12132}, {12, 14.12132, 7.12132}});
    std::vector<std::array<double, 3>> lVertices;
    for (const auto& p : kLShape) lVertices.push_back({p.u, 0.7 * p.v, 0.7 * p.v});
    const Lines roof = plainSurface("Dach", false, kLShape, 45, lVertices);
    const Lines wall = plainSurface("Mauer", false, {{0, 0}, {2, 0}, {2, 1}, {0, 1}}, 0,
                                    {{0, -3, 0}, {2, -3, 0}, {2, -3, 1}, {0, -3, 1}});
    return project(17,
                   {kollektor, roof,
                    house("#  13.000    5.000    7.000    3.000   90.000    4.000    5.000    0.000     #Haus: "),
                    tree("#   4.000    0.400    3.000    2.000   -3.000    0.500     #Baum: Linde"), wall},
                   trailer);
}

std::vector<const PreviewPrimitive*> ofObject(const PreviewScene& scene, int object) {
    std::vector<const PreviewPrimitive*> result;
    for (const auto& p : scene.primitives) {
        if (p.object == object) result.push_back(&p);
    }
    return result;
}

void expectVertex(const PreviewVertex& v, double x, double y, double z) {
    EXPECT_NEAR(v.x, x, 1e-4);
    EXPECT_NEAR(v.y, y, 1e-4);
    EXPECT_NEAR(v.z, z, 1e-4);
}

// ---------------------------------------------------------------- scene

TEST(PreviewScene, ElevationColours) {
    const std::vector<std::pair<double, PreviewColour>> cases = {
        {0, kPreviewGrey},     {-90, kPreviewGrey},     {19.4, kPreviewGrey},    {70.6, kPreviewGrey},
        {20, kPreviewDarkRed}, {70, kPreviewDarkRed},   {-45, kPreviewDarkRed},  {1e300, kPreviewGrey},
        {19.5, kPreviewDarkRed} /* rounds to the even 20 */, {71.5, kPreviewGrey} /* 72 */,
        {110, kPreviewDarkRed} /* 110 mod 90 = 20 */,
    };
    for (const auto& [elevation, colour] : cases) {
        EXPECT_EQ(surfaceColourForElevation(elevation), colour) << elevation;
    }
}

TEST(PreviewScene, EveryObjectHasItsColourAndOnlyTheHighlightedOneIsYellow) {
    const Lines text = sampleProject();
    // Expected colours per object (1-based), in drawing order of their primitives.
    const std::map<int, std::vector<PreviewColour>> normal = {
        {1, {kPreviewTarget}},
        {2, {kPreviewDarkRed}},
        {3, {kPreviewHouse, kPreviewRoof}},
        {4, {kPreviewTrunk, kPreviewCrown}},
        {5, {kPreviewGrey}},
    };
    for (int markiert = 0; markiert <= 6; ++markiert) {
        SCOPED_TRACE("highlighted object " + std::to_string(markiert));
        const PreviewScene scene = buildPreviewScene(text, markiert, false);
        for (const auto& [object, colours] : normal) {
            const auto prims = ofObject(scene, object);
            ASSERT_FALSE(prims.empty()) << object;
            for (const PreviewPrimitive* p : prims) {
                if (object == markiert) {
                    EXPECT_EQ(p->colour, kPreviewHighlight);
                } else {
                    EXPECT_NE(std::find(colours.begin(), colours.end(), p->colour), colours.end())
                        << "object " << object;
                }
            }
        }
    }
}

TEST(PreviewScene, PlainSurfacesAreFilledAndOutlinedInViewAxes) {
    const PreviewScene scene = buildPreviewScene(sampleProject(), 0, false);
    const auto kollektor = ofObject(scene, 1);
    ASSERT_EQ(kollektor.size(), 5u);  // four overlapping triangles of the convex rectangle, outline
    for (int i = 0; i < 4; ++i) EXPECT_EQ(kollektor[static_cast<std::size_t>(i)]->kind, PrimitiveKind::Triangle);
    const PreviewPrimitive& outline = *kollektor.back();
    EXPECT_EQ(outline.kind, PrimitiveKind::LineLoop);
    ASSERT_EQ(outline.vertices.size(), 4u);
    expectVertex(outline.vertices[0], 12, 5, -12);
    expectVertex(outline.vertices[2], 16, 7.12132, -14.12132);

    // The L-shaped roof gets the seven triangles of its (u, v) fill; none spans the
    // notch, i.e. joins the corners 3 and 5 (0-based 2 and 4).
    const auto roof = ofObject(scene, 2);
    ASSERT_EQ(roof.size(), 8u);
    const PreviewVertex notchEnd1 = roof.back()->vertices[2], notchEnd2 = roof.back()->vertices[4];
    for (std::size_t i = 0; i + 1 < roof.size(); ++i) {
        int hits = 0;
        for (const auto& v : roof[i]->vertices) {
            if ((v.x == notchEnd1.x && v.y == notchEnd1.y && v.z == notchEnd1.z) ||
                (v.x == notchEnd2.x && v.y == notchEnd2.y && v.z == notchEnd2.z)) {
                ++hits;
            }
        }
        EXPECT_LT(hits, 2) << "triangle " << i;
    }
}

TEST(PreviewScene, HouseFromItsParameterLine) {
    // B = 13, A = 5, H = 7, R = 3, turned by 90 degrees, shifted by (4, 5, 0).
    const PreviewScene scene = buildPreviewScene(sampleProject(), 0, false);
    const auto h = ofObject(scene, 3);
    ASSERT_EQ(h.size(), 9u);
    const std::vector<std::pair<PrimitiveKind, PreviewColour>> expected = {
        {PrimitiveKind::Quad, kPreviewHouse},     {PrimitiveKind::Quad, kPreviewHouse},
        {PrimitiveKind::Quad, kPreviewHouse},     {PrimitiveKind::Quad, kPreviewHouse},
        {PrimitiveKind::Quad, kPreviewHouse},     {PrimitiveKind::Triangle, kPreviewHouse},
        {PrimitiveKind::Triangle, kPreviewHouse}, {PrimitiveKind::Quad, kPreviewRoof},
        {PrimitiveKind::Quad, kPreviewRoof},
    };
    for (std::size_t i = 0; i < h.size(); ++i) {
        EXPECT_EQ(h[i]->kind, expected[i].first) << i;
        EXPECT_EQ(h[i]->colour, expected[i].second) << i;
    }
    // Floor: corner (4, 5, 0) of the project, A runs south (project -y), B east.
    const auto& floor = h[0]->vertices;
    expectVertex(floor[0], 4, 0, -5);
    expectVertex(floor[1], 4, 0, 0);
    expectVertex(floor[2], 17, 0, 0);
    expectVertex(floor[3], 17, 0, -5);
    // Front gable apex: the project point (4, 2.5, 10) of the house generator.
    expectVertex(h[5]->vertices[2], 4, 10, -2.5);
    // Back gable apex and the ridge end of the first roof plane.
    expectVertex(h[6]->vertices[2], 17, 10, -2.5);
    expectVertex(h[7]->vertices[2], 17, 10, -2.5);
}

TEST(PreviewScene, TreeTrunkPrismAndThreeCrownOctagons) {
    // h = 4, d = 0.4, D = 3, foot (2, -3, 0.5).
    const PreviewScene scene = buildPreviewScene(sampleProject(), 0, false);
    const auto t = ofObject(scene, 4);
    ASSERT_EQ(t.size(), 11u);
    const double r = 0.2, diag = 0.2 / std::sqrt(2.0);
    for (std::size_t k = 0; k < 8; ++k) {
        EXPECT_EQ(t[k]->kind, PrimitiveKind::Quad);
        ASSERT_EQ(t[k]->vertices.size(), 4u);
        EXPECT_FLOAT_EQ(t[k]->vertices[0].y, 0.5f);
        EXPECT_FLOAT_EQ(t[k]->vertices[1].y, 4.5f);
        EXPECT_FLOAT_EQ(t[k]->vertices[2].y, 4.5f);
        EXPECT_FLOAT_EQ(t[k]->vertices[3].y, 0.5f);
    }
    expectVertex(t[0]->vertices[0], 2 + r, 0.5, 3);
    expectVertex(t[0]->vertices[2], 2 + diag, 4.5, 3 + diag);
    expectVertex(t[7]->vertices[2], 2 + r, 4.5, 3);  // the prism closes
    // Crown centre (2, 0.5 + 4 + 1.5, 3), corner radius 1.5.
    for (std::size_t k = 8; k < 11; ++k) {
        EXPECT_EQ(t[k]->kind, PrimitiveKind::Polygon);
        ASSERT_EQ(t[k]->vertices.size(), 8u);
    }
    expectVertex(t[8]->vertices[0], 3.5, 6, 3);   // horizontal
    expectVertex(t[8]->vertices[2], 2, 6, 4.5);
    expectVertex(t[9]->vertices[2], 2, 7.5, 3);   // X-Y plane
    expectVertex(t[10]->vertices[0], 2, 7.5, 3);  // Y-Z plane, first corner at +Y
    expectVertex(t[10]->vertices[2], 2, 6, 4.5);
}

TEST(PreviewScene, GroundPlateScalesWithTheExtent) {
    // Largest coordinate 16, reached by the collector: ground radius 1600.
    const PreviewScene plate = buildPreviewScene(sampleProject(), 0, true);
    EXPECT_DOUBLE_EQ(plate.extent.ausdehnung, 16.0);
    ASSERT_GE(plate.primitives.size(), 72u);
    for (std::size_t i = 0; i < 36; ++i) {
        const PreviewPrimitive& wedge = plate.primitives[2 * i];
        const PreviewPrimitive& rim = plate.primitives[2 * i + 1];
        EXPECT_EQ(wedge.kind, PrimitiveKind::Polygon);
        EXPECT_EQ(rim.kind, PrimitiveKind::Line);
        EXPECT_EQ(wedge.colour, kPreviewGround);
        EXPECT_EQ(wedge.object, 0);
        const double a = 10.0 * static_cast<double>(i) * kDeg, b = 10.0 * static_cast<double>(i + 1) * kDeg;
        expectVertex(wedge.vertices[0], 1600 * std::cos(a), 0, 1600 * std::sin(a));
        expectVertex(wedge.vertices[1], 0, 0, 0);
        expectVertex(rim.vertices[1], 1600 * std::cos(b), 0, 1600 * std::sin(b));
    }
    const PreviewScene none = buildPreviewScene(sampleProject(), 0, false);
    EXPECT_EQ(plate.primitives.size() - none.primitives.size(), 72u);
    EXPECT_NE(none.primitives.front().object, 0);
}

TEST(PreviewScene, HorizonWallsAndWedges) {
    struct Case {
        const char* entry;
        std::size_t segments;
        double first, last, height;  // angles after the shift by -90, degrees
    };
    const std::vector<Case> cases = {
        {"0-90=10", 10, -90, 0, 10},
        {"90-0=10", 10, -90, 0, 10},  // swapped
        {"180-185.5=90", 1, 90, 95.5, 89.9},
        {"0-360=5", 37, -90, 270, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        for (bool plate : {false, true}) {
            const PreviewScene scene = buildPreviewScene(sampleProject({"Horizont", c.entry}), 0, plate);
            std::vector<const PreviewPrimitive*> walls, wedges;
            for (const auto& p : scene.primitives) {
                if (p.colour == kPreviewHorizonWall) walls.push_back(&p);
                if (p.colour == kPreviewGround && p.kind == PrimitiveKind::Triangle) wedges.push_back(&p);
            }
            ASSERT_EQ(walls.size(), c.segments);
            EXPECT_EQ(wedges.size(), plate ? c.segments : 0u);
            const double R = 1600, top = R * std::tan(c.height * kDeg);
            expectVertex(walls.front()->vertices[0], R * std::cos(c.first * kDeg), 0, R * std::sin(c.first * kDeg));
            EXPECT_NEAR(walls.front()->vertices[1].y, top, std::abs(top) * 1e-6);
            expectVertex(walls.back()->vertices[3], R * std::cos(c.last * kDeg), 0, R * std::sin(c.last * kDeg));
            // Consecutive segments join.
            for (std::size_t i = 1; i < walls.size(); ++i) {
                expectVertex(walls[i]->vertices[0], walls[i - 1]->vertices[3].x, 0, walls[i - 1]->vertices[3].z);
            }
        }
    }
    // Azimuth 0 (north) lies at -Z: the first wall of "0-90=10" starts there.
    const PreviewScene north = buildPreviewScene(sampleProject({"Horizont", "0-90=10"}), 0, false);
    const auto it = std::find_if(north.primitives.begin(), north.primitives.end(),
                                 [](const PreviewPrimitive& p) { return p.colour == kPreviewHorizonWall; });
    ASSERT_NE(it, north.primitives.end());
    expectVertex(it->vertices[0], 0, 0, -1600);
}

TEST(PreviewScene, ProjectWithoutSurfacesDrawsNothing) {
    const PreviewScene scene =
        buildPreviewScene(project(0, {}, {"Horizont", "0-90=10"}), 1, true);
    EXPECT_FALSE(scene.extent.hatObjekte);
    EXPECT_TRUE(scene.primitives.empty());
}

TEST(PreviewScene, MalformedTextsNameTheLine) {
    struct Case {
        const char* name;
        Lines text;
        int line;
    };
    Lines shortTree = project(7, {tree("#   4.000    0.400    3.000    2.000   -3.000    0.500")});
    shortTree.resize(2 + 50);
    Lines badHorizon = sampleProject({"Horizont", "10-20"});
    const int horizonLine = static_cast<int>(badHorizon.size()) - 4;
    const std::vector<Case> cases = {
        {"text ends inside a tree", shortTree, 52},
        {"horizon entry without height", badHorizon, horizonLine},
    };
    for (const Case& c : cases) {
        try {
            buildPreviewScene(c.text, 0, true, "p.dat");
            ADD_FAILURE() << c.name << ": no error";
        } catch (const InputError& e) {
            EXPECT_EQ(e.file(), "p.dat") << c.name;
            EXPECT_EQ(e.line(), c.line) << c.name << ": " << e.what();
        }
    }
}

}  // namespace
}  // namespace penumbro
