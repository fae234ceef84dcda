#include "engine/Compiler.h"
#include "engine/Frames.h"
#include "project/InputError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace penumbro {
namespace {

constexpr double kPi = std::numbers::pi;

TFlaeche polygon(std::initializer_list<Vec3> pts) {
    TFlaeche s;
    for (const Vec3& p : pts) s.v[static_cast<std::size_t>(s.n++)] = p;
    return s;
}

// ---- normal angles -------------------------------------------------------------

TEST(Frames, NormalAnglesFollowVertexOrder) {
    struct Case {
        TFlaeche s;
        double alphaDeg, betaDeg;
    };
    const Case cases[] = {
        // Counter-clockwise seen from the south: faces south.
        {polygon({{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}}), 180, 0},
        {polygon({{0, 0, 0}, {0, 0, 1}, {1, 0, 1}, {1, 0, 0}}), 0, 0},
        {polygon({{0, 0, 0}, {0, 1, 0}, {0, 1, 1}, {0, 0, 1}}), 90, 0},
        {polygon({{0, 0, 0}, {0, 0, 1}, {0, 1, 1}, {0, 1, 0}}), 270, 0},
        {polygon({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}), 0, 90},
        {polygon({{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}}), 0, -90},
        // Tilted 45 degrees toward the sky, facing south.
        {polygon({{0, 0, 0}, {1, 0, 0}, {1, 1, 1}, {0, 1, 1}}), 180, 45},
    };
    for (const auto& c : cases) {
        TFlaeche s = c.s;
        computeNormalAngles(s);
        EXPECT_NEAR(s.alpha * 180 / kPi, c.alphaDeg, 1e-9);
        EXPECT_NEAR(s.beta * 180 / kPi, c.betaDeg, 1e-9);
        EXPECT_GE(s.alpha, 0);
        EXPECT_LT(s.alpha, 2 * kPi);
    }
}

// ---- clipping at the target plane ------------------------------------------------

TEST(Frames, ClippingShapes) {
    struct Case {
        const char* what;
        TFlaeche s;
        std::vector<Vec3> expected;
    };
    const Case cases[] = {
        {"one vertex in the plane, the rest in front stays whole",
         polygon({{0, 0, 0}, {1, -1, 0}, {1, -1, 1}}),
         {{0, 0, 0}, {1, -1, 0}, {1, -1, 1}}},
        {"triangle with one vertex behind becomes a quadrilateral",
         polygon({{0, -1, 0}, {2, 1, 0}, {4, -1, 0}}),
         {{0, -1, 0}, {1, 0, 0}, {3, 0, 0}, {4, -1, 0}}},
        {"rectangle with two adjacent vertices behind keeps four vertices",
         polygon({{0, -1, 0}, {0, 1, 0}, {0, 1, 2}, {0, -1, 2}}),
         {{0, -1, 0}, {0, 0, 0}, {0, 0, 2}, {0, -1, 2}}},
        {"pentagon with three consecutive vertices behind becomes a quadrilateral",
         polygon({{0, -2, 0}, {1, 2, 0}, {2, 4, 0}, {3, 2, 0}, {4, -2, 0}}),
         {{0, -2, 0}, {0.5, 0, 0}, {3.5, 0, 0}, {4, -2, 0}}},
    };
    for (const auto& c : cases) {
        TFlaeche s = c.s;
        clipAtTargetPlane(s);
        ASSERT_EQ(s.n, static_cast<int>(c.expected.size())) << c.what;
        for (int i = 0; i < s.n; ++i) {
            const Vec3& p = s.v[static_cast<std::size_t>(i)];
            const Vec3& e = c.expected[static_cast<std::size_t>(i)];
            EXPECT_NEAR(p.x, e.x, 1e-9) << c.what << " vertex " << i;
            EXPECT_NEAR(p.y, e.y, 1e-9) << c.what << " vertex " << i;
            EXPECT_NEAR(p.z, e.z, 1e-9) << c.what << " vertex " << i;
        }
    }
}

TEST(Frames, ClippingAZigzagTwelveGonDoesNotOverflow) {
    // Every second vertex behind the plane: each adds one crossing point.
    TFlaeche s;
    for (int i = 0; i < 12; ++i) {
        const double a = 2 * kPi * i / 12;
        s.v[static_cast<std::size_t>(s.n++)] = {std::cos(a), i % 2 ? 0.5 : -1.0, std::sin(a)};
    }
    clipAtTargetPlane(s);
    EXPECT_EQ(s.n, 18);
    for (int i = 0; i < s.n; ++i) EXPECT_LE(s.v[static_cast<std::size_t>(i)].y, 1e-12);
}

// ---- parsing -------------------------------------------------------------------

Lines project(const Lines& surfaces, int count, const Lines& trailer = {}) {
    Lines t = {"* test", "* more", std::to_string(count)};
    t.insert(t.end(), surfaces.begin(), surfaces.end());
    t.insert(t.end(), trailer.begin(), trailer.end());
    return t;
}

const Lines kSouthWall = {"Wand", "Target", "4", "0 0 0", "4 0 0", "4 0 3", "0 0 3"};

TEST(Compiler, ReadsFieldsAndSections) {
    Lines surfaces = kSouthWall;
    // Foliage lines after plain surfaces: digits running together, and a later line wins.
    const Lines screens = {"Hecke", "Belaubung  10 10 10 10 10 10 10 10 10 10 10 10", "3", "0 -1 0", "1 -1 0", "1 -1 1",
                           "Linde", "Belaubung  80100100100100100100100100100100100",
                           "#  1.000  2.000     #Baum: Linde", "3",
                           "# local", "1 -5 0", "#", "  2   -5   0  ", "1 -5 1"};
    surfaces.insert(surfaces.end(), screens.begin(), screens.end());
    const Lines trailer = {"Horizont", "0-90=10.5", "90-180= 7", "", "Standort", "47.5 -8.25 -1.0",
                           "Bodenreflexion", "100100100100100100100100100100100100"};
    CompiledModel m = parseProject(project(surfaces, 3, trailer), "t.dat");
    ASSERT_EQ(m.flaechen.size(), 3u);
    EXPECT_TRUE(m.flaechen[0].istTarget);
    EXPECT_FALSE(m.flaechen[2].istTarget);
    EXPECT_EQ(m.flaechen[2].n, 3);
    EXPECT_DOUBLE_EQ(m.flaechen[2].v[1].x, 2);
    EXPECT_DOUBLE_EQ(m.flaechen[2].v[2].z, 1);
    EXPECT_TRUE(m.hasFoliage);
    EXPECT_EQ(m.foliage[0], 80);
    for (int i = 1; i < 12; ++i) EXPECT_EQ(m.foliage[static_cast<std::size_t>(i)], 100);
    ASSERT_EQ(m.horizon.size(), 2u);
    EXPECT_DOUBLE_EQ(m.horizon[0].to, 90);
    EXPECT_DOUBLE_EQ(m.horizon[0].height, 10.5);
    EXPECT_DOUBLE_EQ(m.horizon[1].height, 7);
    EXPECT_DOUBLE_EQ(m.site.latitude, 47.5);
    EXPECT_DOUBLE_EQ(m.site.longitude, -8.25);
    EXPECT_DOUBLE_EQ(m.site.correction, -1.0);
    for (int r : m.reflectance) EXPECT_EQ(r, 100);

    // The reflectance appended by the previous-version conversion has no leading blank.
    m = parseProject(project(kSouthWall, 1, {"Bodenreflexion", "40 40 30 20 20 20 20 20 20 20 30 40"}), "t.dat");
    const std::array<int, 12> expected = {40, 40, 30, 20, 20, 20, 20, 20, 20, 20, 30, 40};
    EXPECT_EQ(m.reflectance, expected);
    EXPECT_TRUE(m.horizon.empty());
}

TEST(Compiler, TreesMoveToTheFrontInGroupsOfSeven) {
    auto surface = [](const std::string& name) { return Lines{name, "3", "0 -1 0", "1 -1 0", "1 -1 1"}; };
    auto tree = [&](const std::string& tag) {
        Lines t = {"Baum", "Belaubung 100100100100100100100100100100100100", "# p #Baum: " + tag, "3",
                   "0 -1 0", "1 -1 0", "1 -1 1"};
        for (const char* n : {"Baum1", "Baum2", "Baum3", "Stamm", "Stamm1", "Stamm2"}) {
            Lines s = surface(n);
            t.insert(t.end(), s.begin(), s.end());
        }
        return t;
    };
    Lines s = surface("A");
    for (const Lines& part : {tree("one"), surface("B"), tree("two")}) s.insert(s.end(), part.begin(), part.end());
    CompiledModel m = parseProject(project(s, 16), "t.dat");
    std::vector<std::string> names;
    for (const auto& f : m.flaechen) names.push_back(f.name);
    const std::vector<std::string> expected = {
        "Baum", "Baum1", "Baum2", "Baum3", "Stamm", "Stamm1", "Stamm2",   // the later tree first
        "Baum", "Baum1", "Baum2", "Baum3", "Stamm", "Stamm1", "Stamm2", "A", "B"};
    EXPECT_EQ(names, expected);
}

TEST(Compiler, MalformedTextsNameTheLine) {
    struct Case {
        Lines text;
        int line;
        const char* fragment;
    };
    const Case cases[] = {
        {{"* c"}, 2, "ends early"},
        {{"* c", "zwei"}, 2, "not an integer"},
        {{"* c", "10001"}, 2, "0..10000"},
        {{"* c", "-1"}, 2, "0..10000"},
        {{"* c", "1", "Wand", "13"}, 4, "0..12"},
        {{"* c", "1", "Wand", "vier"}, 4, "not an integer"},
        {{"* c", "1", "Wand", "Target", "4", "0 0 0", "1 0 0"}, 8, "ends early"},
        {{"* c", "2", "Wand", "3", "0 0 0", "1 0 0", "1 0 1"}, 8, "ends early"},
        {{"* c", "1", "Wand", "3", "0 0 0", "# only comments", "#"}, 8, "ends early"},
        {{"* c", "1", "Wand", "1", "0 x 0"}, 5, "not three numbers"},
        {{"* c", "2", "Baum", "0", "Baum1", "0"}, 3, "7 surfaces"},
        {{"* c", "0", "Horizont", "0-90=10", "90-180=abc"}, 5, "from-to=height"},
        {{"* c", "0", "Standort", "x y z"}, 4, "latitude"},
        {{"* c", "0", "Bodenreflexion", " 40 40 30 2x"}, 4, "percentages"},
    };
    for (const auto& c : cases) {
        try {
            parseProject(c.text, "bad.dat");
            ADD_FAILURE() << "no error for line " << c.line;
        } catch (const InputError& e) {
            EXPECT_EQ(e.file(), "bad.dat");
            EXPECT_EQ(e.line(), c.line) << e.what();
            EXPECT_NE(e.message().find(c.fragment), std::string::npos) << e.what();
        }
    }
}

// ---- the target frame ------------------------------------------------------------

TEST(Compiler, TargetFrameOfATiltedCollector) {
    // A collector facing south, tilted 45 degrees; an obstacle in front, one behind,
    // and one crossing the target plane.
    Lines s = {"Kollektor", "Target", "4",
               "12.000000 12.000000 5.000000", "16.000000 12.000000 5.000000",
               "16.000000 14.121320 7.121320", "12.000000 14.121320 7.121320",
               "Vorne", "4", "10 5 0", "20 5 0", "20 5 4", "10 5 4",
               "Hinten", "4", "10 20 0", "20 20 0", "20 20 4", "10 20 4",
               "Quer", "4", "14 10 0", "14 10 10", "14 20 10", "14 20 0"};
    CompiledModel m = compileProject(project(s, 4), "t.dat");
    ASSERT_EQ(m.flaechen.size(), 3u);
    const TFlaeche& t = m.flaechen[0];
    const double expected[4][2] = {{0, 0}, {4, 0}, {4, 3}, {0, 3}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(t.v[static_cast<std::size_t>(i)].x, expected[i][0], 1e-5);
        EXPECT_NEAR(t.v[static_cast<std::size_t>(i)].y, 0, 1e-5);
        EXPECT_NEAR(t.v[static_cast<std::size_t>(i)].z, expected[i][1], 1e-5);
    }
    EXPECT_EQ(m.flaechen[1].name, "Vorne");
    EXPECT_EQ(m.flaechen[2].name, "Quer");
    for (std::size_t k = 1; k < 3; ++k)
        for (int i = 0; i < m.flaechen[k].n; ++i) EXPECT_LE(m.flaechen[k].v[static_cast<std::size_t>(i)].y, 1e-9);
    EXPECT_NEAR(m.frame.alphaPrime, -kPi, 1e-12);
    EXPECT_NEAR(m.frame.beta, kPi / 4, 1e-12);
}

TEST(Compiler, SunVectorInFrontOfASouthWall) {
    CompiledModel m = compileProject(project(kSouthWall, 1), "t.dat");
    const Vec3 noon = Sonnenvektor(30 * kPi / 180, kPi, m.frame);
    EXPECT_GT(noon.y, 0);
    const Vec3 north = Sonnenvektor(30 * kPi / 180, 0, m.frame);
    EXPECT_LT(north.y, 0);
    // Projection lands in the plane.
    const Vec3 p = projectAlongSun({1, -2, 1}, noon);
    EXPECT_DOUBLE_EQ(p.y, 0);
    EXPECT_NEAR(p.z, 1 - 2 * std::tan(30 * kPi / 180), 1e-12);
}

}  // namespace
}  // namespace penumbro
