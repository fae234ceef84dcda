#include "engine/Compiler.h"
#include "engine/Frames.h"
#include "project/InputError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace penumbro {
namespace {

constexpr double kPi = std::numbers::pi;

TFlaeche polygon(const std::vector<Vec3>& pts) {
    TFlaeche s;
    for (const Vec3& p : pts) s.v[static_cast<std::size_t>(s.n++)] = p;
    return s;
}

TEST(Frames, NormalAnglesFollowVertexOrder) {
    const std::tuple<std::vector<Vec3>, double, double> cases[] = {
        // Counter-clockwise seen from the south: faces south.
        {{{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}}, 180, 0},
        {{{0, 0, 0}, {0, 0, 1}, {1, 0, 1}, {1, 0, 0}}, 0, 0},
        {{{0, 0, 0}, {0, 1, 0}, {0, 1, 1}, {0, 0, 1}}, 90, 0},
        {{{0, 0, 0}, {0, 0, 1}, {0, 1, 1}, {0, 1, 0}}, 270, 0},
        {{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}, 0, 90},
        {{{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}}, 0, -90},
        {{{0, 0, 0}, {1, 0, 0}, {1, 1, 1}, {0, 1, 1}}, 180, 45},  // tilted toward the sky
    };
    for (const auto& [pts, alphaDeg, betaDeg] : cases) {
        TFlaeche s = polygon(pts);
        computeNormalAngles(s);
        EXPECT_NEAR(s.alpha * 180 / kPi, alphaDeg, 1e-9);
        EXPECT_NEAR(s.beta * 180 / kPi, betaDeg, 1e-9);
    }
}

TEST(Frames, ClippingAtTheTargetPlane) {
    std::vector<Vec3> zigzag;  // every second vertex behind the plane: each adds a crossing
    for (int i = 0; i < 12; ++i)
        zigzag.push_back({std::cos(2 * kPi * i / 12), i % 2 ? 0.5 : -1.0, std::sin(2 * kPi * i / 12)});
    const std::tuple<const char*, std::vector<Vec3>, std::vector<Vec3>> cases[] = {
        {"one vertex in the plane, the rest in front stays whole",
         {{0, 0, 0}, {1, -1, 0}, {1, -1, 1}}, {{0, 0, 0}, {1, -1, 0}, {1, -1, 1}}},
        {"triangle with one vertex behind becomes a quadrilateral",
         {{0, -1, 0}, {2, 1, 0}, {4, -1, 0}}, {{0, -1, 0}, {1, 0, 0}, {3, 0, 0}, {4, -1, 0}}},
        {"pentagon with three consecutive vertices behind becomes a quadrilateral",
         {{0, -2, 0}, {1, 2, 0}, {2, 4, 0}, {3, 2, 0}, {4, -2, 0}},
         {{0, -2, 0}, {0.5, 0, 0}, {3.5, 0, 0}, {4, -2, 0}}},
        {"zigzag twelve-gon grows to 18 vertices", zigzag, {}},
    };
    for (const auto& [what, pts, expected] : cases) {
        TFlaeche s = polygon(pts);
        clipAtTargetPlane(s);
        ASSERT_EQ(s.n, expected.empty() ? 18 : static_cast<int>(expected.size())) << what;
        for (std::size_t i = 0; i < static_cast<std::size_t>(s.n); ++i) {
            EXPECT_LE(s.v[i].y, 1e-12) << what;
            if (expected.empty()) continue;
            const Vec3 &p = s.v[i], &e = expected[i];
            EXPECT_NEAR(std::hypot(p.x - e.x, p.y - e.y, p.z - e.z), 0, 1e-9) << what << " vertex " << i;
        }
    }
}

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
    surfaces.insert(surfaces.end(), {"Hecke", "Belaubung  10 10 10 10 10 10 10 10 10 10 10 10", "3", "0 -1 0",
                                     "1 -1 0", "1 -1 1", "Linde", "Belaubung  80100100100100100100100100100100100",
                                     "#  1.000  2.000     #Baum: Linde", "3", "# local", "1 -5 0", "#",
                                     "  2   -5   0  ", "1 -5 1"});
    const Lines trailer = {"Horizont", "0-90=10.5", "90-180= 7", "", "Standort", "47.5 -8.25 -1.0",
                           "Bodenreflexion", "100100100100100100100100100100100100"};
    CompiledModel m = parseProject(project(surfaces, 3, trailer), "t.dat");
    ASSERT_EQ(m.flaechen.size(), 3u);
    EXPECT_EQ(std::tuple(m.flaechen[0].istTarget, m.flaechen[2].istTarget, m.flaechen[2].n, m.flaechen[2].v[1].x),
              std::tuple(true, false, 3, 2.0));
    EXPECT_TRUE(m.hasFoliage);
    EXPECT_EQ(m.foliage, (std::array<int, 12>{80, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100}));
    ASSERT_EQ(m.horizon.size(), 2u);
    EXPECT_EQ(std::tuple(m.horizon[0].to, m.horizon[0].height, m.horizon[1].height), std::tuple(90.0, 10.5, 7.0));
    EXPECT_EQ(std::tuple(m.site.latitude, m.site.longitude, m.site.correction), std::tuple(47.5, -8.25, -1.0));
    for (int r : m.reflectance) EXPECT_EQ(r, 100);

    // The reflectance appended by the previous-version conversion has no leading blank.
    m = parseProject(project(kSouthWall, 1, {"Bodenreflexion", "40 40 30 20 20 20 20 20 20 20 30 40"}), "t.dat");
    EXPECT_EQ(m.reflectance, (std::array<int, 12>{40, 40, 30, 20, 20, 20, 20, 20, 20, 20, 30, 40}));
    EXPECT_TRUE(m.horizon.empty());
}

TEST(Compiler, TreesMoveToTheFrontInGroupsOfSeven) {
    auto surface = [](const std::string& name) { return Lines{name, "3", "0 -1 0", "1 -1 0", "1 -1 1"}; };
    auto tree = [&](const std::string& tag) {
        Lines t = {"Baum", "Belaubung 100100100100100100100100100100100100", "# p #Baum: " + tag, "3",
                   "0 -1 0", "1 -1 0", "1 -1 1"};
        for (const char* n : {"Baum1", "Baum2", "Baum3", "Stamm", "Stamm1", "Stamm2"}) {
            const Lines s = surface(n);
            t.insert(t.end(), s.begin(), s.end());
        }
        return t;
    };
    Lines s = surface("A");
    for (const Lines& part : {tree("one"), surface("B"), tree("two")}) s.insert(s.end(), part.begin(), part.end());
    std::vector<std::string> names;
    for (const auto& f : parseProject(project(s, 16), "t.dat").flaechen) names.push_back(f.name);
    const std::vector<std::string> expected = {
        "Baum", "Baum1", "Baum2", "Baum3", "Stamm", "Stamm1", "Stamm2",   // the later tree first
        "Baum", "Baum1", "Baum2", "Baum3", "Stamm", "Stamm1", "Stamm2", "A", "B"};
    EXPECT_EQ(names, expected);
}

TEST(Compiler, MalformedTextsNameTheLine) {
    const std::tuple<Lines, int, const char*> cases[] = {
        {{"* c"}, 2, "ends early"},
        {{"* c", "zwei"}, 0, "not a project file (line 2: "},  // the line is inside the message
        {{"* c", "10001"}, 2, "0..10000"},
        {{"* c", "1", "Wand", "13"}, 4, "0..12"},
        {{"* c", "1", "Wand", "vier"}, 4, "not an integer"},
        {{"* c", "1", "Wand", "Target", "4", "0 0 0", "1 0 0"}, 8, "ends early"},
        {{"* c", "1", "Wand", "3", "0 0 0", "# only comments", "#"}, 8, "ends early"},
        {{"* c", "1", "Wand", "1", "0 x 0"}, 5, "not three numbers"},
        {{"* c", "2", "Baum", "0", "Baum1", "0"}, 3, "7 surfaces"},
        {{"* c", "0", "Horizont", "0-90=10", "90-180=abc"}, 5, "from-to=height"},
        {{"* c", "0", "Standort", "x y z"}, 4, "latitude"},
        {{"* c", "0", "Bodenreflexion", " 40 40 30 2x"}, 4, "percentages"},
    };
    for (const auto& [text, line, fragment] : cases) {
        try {
            parseProject(text, "bad.dat");
            ADD_FAILURE() << "no error for line " << line;
        } catch (const InputError& e) {
            EXPECT_EQ(e.file(), "bad.dat");
            EXPECT_EQ(e.line(), line) << e.what();
            EXPECT_NE(e.message().find(fragment), std::string::npos) << e.what();
        }
    }
}

TEST(Compiler, TargetFrameOfATiltedCollector) {
    // A collector facing south, tilted 45 degrees; an obstacle in front, one behind,
    // and one crossing the target plane.
    const Lines s = {"Kollektor", "Target", "4", "12 12 5", "16 12 5", "16 14.121320 7.121320",
                     "12 14.121320 7.121320", "Vorne", "4", "10 5 0", "20 5 0", "20 5 4", "10 5 4",
                     "Hinten", "4", "10 20 0", "20 20 0", "20 20 4", "10 20 4",
                     "Quer", "4", "14 10 0", "14 10 10", "14 20 10", "14 20 0"};
    const CompiledModel m = compileProject(project(s, 4), "t.dat");
    ASSERT_EQ(m.flaechen.size(), 3u);
    const double expected[4][2] = {{0, 0}, {4, 0}, {4, 3}, {0, 3}};
    for (std::size_t i = 0; i < 4; ++i) {
        const Vec3& v = m.flaechen[0].v[i];
        EXPECT_NEAR(std::hypot(v.x - expected[i][0], v.y, v.z - expected[i][1]), 0, 1e-5) << i;
    }
    EXPECT_EQ(m.flaechen[1].name, "Vorne");
    EXPECT_EQ(m.flaechen[2].name, "Quer");
    for (int i = 0; i < m.flaechen[2].n; ++i) EXPECT_LE(m.flaechen[2].v[static_cast<std::size_t>(i)].y, 1e-9);
    EXPECT_NEAR(m.frame.alphaPrime, -kPi, 1e-12);
    EXPECT_NEAR(m.frame.beta, kPi / 4, 1e-12);
}

}  // namespace
}  // namespace penumbro
